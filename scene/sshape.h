// The scene models: the display lists of the clock face, the hands and the globe, their material colours,
// and the loading of the globe's texture file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// Records lists 10, 1, 2, 3 and 4, in that order, into the current rendering context. Reads "Earth.RAS"
// first.
void BuildDisplayLists();
// Sets the front ambient and diffuse material from a packed colour (red in the low byte), alpha 1. Negative
// values are split with truncating division, so -16,352 is (32, 193, 0).
void SetMaterialColor(std::int32_t value);

// Fills TextureImage from "Earth.RAS" in the program's own folder, which becomes the current directory.
// A failure is shown in one message box; the program goes on with what the buffer then holds.
void LoadTexture();

// Reads the texture file at `path` into `buffer` (kTextureBytes long) without ever blocking on a pipe or a
// device. Returns the description of what went wrong, or nothing when the whole image was read. Whatever the
// file did not give (all of it, where it could not be opened) is zero.
std::optional<std::string> ReadTextureFile(const char* path, std::uint8_t* buffer);
