#pragma once
// Owning handles of GDI and USER objects (fonts, brushes, bitmaps, regions,
// icons, memory contexts): each is released once, when its owner goes,
// whichever way the owner leaves.
#include <windows.h>

#include <memory>
#include <type_traits>

namespace tarnik::ui {

struct GdiObjectRelease {
    void operator()(void* object) const { DeleteObject(static_cast<HGDIOBJ>(object)); }
};
struct IconRelease {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct MemoryDcRelease {
    void operator()(HDC dc) const { DeleteDC(dc); }
};

template <typename Handle>
using GdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectRelease>;
using UniqueFont = GdiObject<HFONT>;
using UniqueBrush = GdiObject<HBRUSH>;
using UniqueBitmap = GdiObject<HBITMAP>;
using UniqueRegion = GdiObject<HRGN>;
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconRelease>;
using UniqueMemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryDcRelease>;

}  // namespace tarnik::ui
