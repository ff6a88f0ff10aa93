// The globe's image: 512 × 512 pixels of red, green and blue bytes, 512 rows of 1,536 bytes, row 0 first.
// Element (component c, column x, row y) is TextureImage[y][x][c], at byte offset c + 3·x + 1,536·y: exactly
// the client-memory layout of a 512 × 512 GL_RGB, GL_UNSIGNED_BYTE image with 1-byte row alignment.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int kTextureSize = 512;
constexpr std::size_t kTextureBytes = 3u * kTextureSize * kTextureSize; // 786,432

// Zero until LoadTexture fills it; lives for the whole run.
extern std::uint8_t TextureImage[kTextureSize][kTextureSize][3];
