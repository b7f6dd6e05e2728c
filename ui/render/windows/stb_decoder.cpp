// The image decoder's code: Debian's stb library is built for Linux only, so
// the Windows program compiles the header's implementation itself.

#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>
