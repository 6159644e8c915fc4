// stb_image's code, compiled once for the test programs, which read back the PNG files hostsim writes.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb_image.h>
