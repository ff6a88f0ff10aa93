// The scene models: the display lists of the clock face, the hands and the globe, their material colours,
// the bar solid they share, and the loading of the globe's texture file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// Records lists 10, 1, 2, 3 and 4, in that order, into the current rendering context. Reads "Earth.RAS"
// first.
void BuildDisplayLists();
// Records list 10: the textured back half of a sphere of radius 100.
void BuildGlobe();
// Records list 1: hour marks, dial, rim and hub.
void BuildClockFace();
// Sets the front ambient and diffuse material from a packed colour (red in the low byte), alpha 1. Negative
// values are split with truncating division, so -16,352 is (32, 193, 0).
void SetMaterialColor(std::int32_t value);
// Emits an open five-faced box along +Y from tail to tip, width across X, standing on z = 0, height up Z.
void DrawBar(float tip, float tail, float width, float height);

// Fills TextureImage from "Earth.RAS" in the program's own folder, which becomes the current directory.
// A failure is shown in one message box; the program goes on with what the buffer then holds.
void LoadTexture();

// Reads the texture file at `path` into `buffer` (kTextureBytes long) without ever blocking on a pipe or a
// device. Returns the description of what went wrong, or nothing when the whole image was read. A short file
// leaves the bytes it had, zeroes the rest and is reported.
std::optional<std::string> ReadTextureFile(const char* path, std::uint8_t* buffer);
