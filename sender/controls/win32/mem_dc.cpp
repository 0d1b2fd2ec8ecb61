#include "sender/controls/win32/mem_dc.h"

namespace tarnik {

CMemDC::CMemDC(HDC target) : target_(target) {
    GetClipBox(target_, &clip_);
    if (GetDeviceCaps(target_, TECHNOLOGY) == DT_RASPRINTER) {
        return;
    }
    memory_ = CreateCompatibleDC(target_);
    bitmap_ = CreateCompatibleBitmap(target_, clip_.right - clip_.left, clip_.bottom - clip_.top);
    if (memory_ == nullptr || bitmap_ == nullptr) {
        // Without a bitmap the drawing goes to the target directly.
        if (bitmap_ != nullptr) {
            DeleteObject(bitmap_);
            bitmap_ = nullptr;
        }
        if (memory_ != nullptr) {
            DeleteDC(memory_);
            memory_ = nullptr;
        }
        return;
    }
    previous_bitmap_ = SelectObject(memory_, bitmap_);
    SetWindowOrgEx(memory_, clip_.left, clip_.top, nullptr);
}

CMemDC::~CMemDC() {
    if (memory_ == nullptr) {
        return;
    }
    BitBlt(target_, clip_.left, clip_.top, clip_.right - clip_.left, clip_.bottom - clip_.top,
           memory_, clip_.left, clip_.top, SRCCOPY);
    SelectObject(memory_, previous_bitmap_);
    DeleteObject(bitmap_);
    DeleteDC(memory_);
}

}  // namespace tarnik
