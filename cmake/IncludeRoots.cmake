# Each layer's headers are included as "<folder>/...", where <folder> is the layer's own folder
# (platform, game, app). So that a target sees only the layers it links, the include root it
# gets holds nothing but a link to that folder, made in the build tree.
function(thrummock_include_root target folder)
  set(root ${CMAKE_BINARY_DIR}/include-roots/${folder})
  thrummock_folder_link(${root} ${folder} ${CMAKE_SOURCE_DIR}/${folder})
  target_include_directories(${target} PUBLIC ${root})
endfunction()

# The engine's headers are included by their folder under include/ or src/ ("core/...",
# "render/..."). It gets one root for each, holding a link per folder, so that the project root
# above them is not an include root.
function(thrummock_engine_include_roots target)
  foreach(top include src)
    set(root ${CMAKE_BINARY_DIR}/include-roots/engine/${top})
    file(GLOB folders LIST_DIRECTORIES true RELATIVE ${CMAKE_SOURCE_DIR}/${top} ${CMAKE_SOURCE_DIR}/${top}/*)
    foreach(folder ${folders})
      if(IS_DIRECTORY ${CMAKE_SOURCE_DIR}/${top}/${folder})
        thrummock_folder_link(${root} ${folder} ${CMAKE_SOURCE_DIR}/${top}/${folder})
      endif()
    endforeach()
    target_include_directories(${target} PUBLIC ${root})
  endforeach()
endfunction()

function(thrummock_folder_link root name source)
  file(MAKE_DIRECTORY ${root})
  if(NOT IS_SYMLINK ${root}/${name})
    file(CREATE_LINK ${source} ${root}/${name} SYMBOLIC)
  endif()
endfunction()
