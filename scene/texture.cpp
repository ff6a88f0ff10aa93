#include "scene/texture.h"

std::uint8_t TextureImage[kTextureSize][kTextureSize][3] = {};

static_assert(sizeof(TextureImage) == kTextureBytes, "the texture buffer has no padding");
