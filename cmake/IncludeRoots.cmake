# Each layer's headers are included as "<folder>/...", where <folder> is the layer's own folder
# (platform, game, app). So that a target sees only the layers it links, the include root it
# gets holds nothing but a link to that folder, made in the build tree.
function(thrummock_include_root target folder)
  set(root ${CMAKE_BINARY_DIR}/include-roots/${folder})
  file(MAKE_DIRECTORY ${root})
  if(NOT EXISTS ${root}/${folder})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  endif()
  target_include_directories(${target} PUBLIC ${root})
endfunction()
