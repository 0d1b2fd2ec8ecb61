#pragma once
// Off-screen painting for a window: drawing goes into a memory bitmap of
// the target's clip box, which is copied to the target in one piece when
// the object goes, so the progress bar never flickers. A printing context
// is drawn into directly.
#include <windows.h>

namespace tarnik {

class CMemDC {
  public:
    explicit CMemDC(HDC target);
    ~CMemDC();
    CMemDC(const CMemDC&) = delete;
    CMemDC& operator=(const CMemDC&) = delete;

    // Where to draw: the memory context, or the target itself.
    HDC Get() const { return memory_ ? memory_ : target_; }

  private:
    HDC target_;
    HDC memory_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_bitmap_ = nullptr;
    RECT clip_ = {};
};

}  // namespace tarnik
