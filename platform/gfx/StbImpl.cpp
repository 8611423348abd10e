// The one home of the stb implementations the program uses (images in and out, scaling, glyphs).
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_RESIZE_IMPLEMENTATION
#define STB_TRUETYPE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-but-set-variable"
#include <stb/stb_image.h>
#include <stb/stb_image_resize.h>
#include <stb/stb_image_write.h>
// Dear ImGui packs its font atlas with the system stb library's rectangle packer and calls the
// glyph functions defined here, so these must use that packer's layout rather than their own.
#include <stb/stb_rect_pack.h>
#include <stb/stb_truetype.h>
#pragma GCC diagnostic pop
