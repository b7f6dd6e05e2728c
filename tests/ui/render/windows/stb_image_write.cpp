// The PNG writer's code: Debian's stb library is built for Linux only.

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>
