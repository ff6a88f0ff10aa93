// Device contexts without a surface whose pixel format is set already, for the formats that no display here
// offers (the 8-bit palette formats of old displays), and what the platform layer keeps of palettes. Linux
// only: on Windows the system's GDI answers for itself.
#pragma once

#include "platform/win32api.h"

#include <vector>

// Rendering contexts cannot be made on such a device context; pixel-format and palette calls work as on a
// window's.
HDC CreateFormatDC(const PIXELFORMATDESCRIPTOR& format);
void DeleteFormatDC(HDC hdc);
// The 8-bit RGBA format of palette-based displays: red 3 bits at shift 0, green 3 at shift 3, blue 2 at 6.
PIXELFORMATDESCRIPTOR Palette332Format();

HPALETTE SelectedPalette(HDC hdc);
// The entries of a palette; none once it is deleted.
std::vector<PALETTEENTRY> PaletteEntries(HPALETTE palette);
