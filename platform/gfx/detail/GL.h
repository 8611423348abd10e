// OpenGL entry points (libepoxy) for the graphics layer's own sources. Public headers never
// include this: they name GL objects by plain unsigned numbers.
#pragma once

#include <epoxy/gl.h>
