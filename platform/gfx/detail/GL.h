// OpenGL entry points for the graphics layer's own sources (never included by public headers).
#pragma once

#include <epoxy/gl.h>
