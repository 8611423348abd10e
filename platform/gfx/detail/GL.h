// OpenGL entry points (libepoxy) for the graphics layer's own sources. Public headers never
// include this: they name GL objects by plain unsigned numbers.
#pragma once

#ifndef THRUMMOCK_PLATFORM_INTERNAL
#error "GL.h is the platform layer's own: draw through the platform/gfx types"
#endif

#include <epoxy/gl.h>
