// A GDI font made from the form design at a window's DPI; deleted with its owner.
#pragma once

#include "app/formdesign.h"

#include <windows.h>

#include <memory>
#include <type_traits>

struct FontDeleter {
    void operator()(HFONT font) const { DeleteObject(font); }
};
using DesignFont = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

DesignFont CreateDesignFont(const FormDesign::FontDesign& design, UINT dpi);
