#pragma once
// The colours of the custom-drawn controls, read from the system colours on
// each call (so a colour scheme change reaches the next paint), the
// drawing helpers they share, and the drop-down arrow images.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

namespace tarnik {

class GuiDrawLayer {
  public:
    static COLORREF Face();
    static COLORREF Shadow();
    static COLORREF Highlight();
    static COLORREF Selection();
    static COLORREF LiftedHighlight();
    static COLORREF PaleHighlight();
    static COLORREF SoftHighlight();
    static COLORREF FaceTint();

    static void Fill(HDC dc, const RECT& area, COLORREF colour);
    // A one-pixel rectangle: top and left edges in one colour, bottom and
    // right in the other.
    static void Frame3d(HDC dc, const RECT& area, COLORREF top_left, COLORREF bottom_right);
    static void Frame(HDC dc, const RECT& area, COLORREF colour);
};

// The drop-down arrows (bitmap 166: images 9 pixels wide, magenta
// transparent), loaded from the program's resources.
class ArrowImages {
  public:
    ArrowImages() = default;
    ~ArrowImages();
    ArrowImages(const ArrowImages&) = delete;
    ArrowImages& operator=(const ArrowImages&) = delete;

    bool Load();
    // Image `index` with its top left at (x, y); the magenta shows through.
    void Draw(HDC dc, int index, int x, int y) const;
    int Height() const { return height_; }

    static constexpr int kWidth = 9;

  private:
    HIMAGELIST images_ = nullptr;
    int height_ = 0;
};

// Selects a GDI object into a context for a scope and restores the one it
// replaced; an owned object (a pen, brush or font made for the scope) is
// deleted afterwards.
class ScopedSelection {
  public:
    ScopedSelection(HDC dc, HGDIOBJ object, bool owned = false)
        : dc_(dc), object_(object), previous_(SelectObject(dc, object)), owned_(owned) {}
    ~ScopedSelection() {
        SelectObject(dc_, previous_);
        if (owned_) {
            DeleteObject(object_);
        }
    }
    ScopedSelection(const ScopedSelection&) = delete;
    ScopedSelection& operator=(const ScopedSelection&) = delete;

  private:
    HDC dc_;
    HGDIOBJ object_;
    HGDIOBJ previous_;
    bool owned_;
};

}  // namespace tarnik
