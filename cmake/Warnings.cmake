# Warning flags shared by every target of the project.
add_library(thrummock_warnings INTERFACE)
target_compile_options(thrummock_warnings INTERFACE -Wall -Wextra)

# CI builds with every warning, -Wpedantic's included, as an error.
option(THRUMMOCK_WERROR "Treat warnings as errors, with -Wpedantic" OFF)
if(THRUMMOCK_WERROR)
  target_compile_options(thrummock_warnings INTERFACE -Wpedantic -Werror)
endif()
