# Warning flags shared by every target of the project.
add_library(thrummock_warnings INTERFACE)
target_compile_options(thrummock_warnings INTERFACE -Wall -Wextra)
