#include "sender/pipeline/path_model.h"

#include <new>

#include "sender/pipeline/fatal_error.h"

namespace tarnik {
namespace {
constexpr std::size_t kBlockPoints = 256;
}

CutPath::CutPath() {
    head = NewPoint(0, 0, AllocationSite::Reader);
}

void CutPath::NextBlock(AllocationSite site) {
    if (unused_end_ != nullptr)
        ++unused_block_;
    if (unused_block_ == blocks_.size()) {
        std::unique_ptr<PathPoint[]> block(new (std::nothrow) PathPoint[kBlockPoints]);
        if (!block) {
            if (site == AllocationSite::Reader) {
                EndOnOutOfMemory("Not enough memory to allocate buffer\n", "ERROR");
            }
            EndOnOutOfMemory("Not enough memory to allocate buffer ", "error");
        }
        blocks_.push_back(std::move(block));
    }
    unused_ = blocks_[unused_block_].get();
    unused_end_ = unused_ + kBlockPoints;
}

void CutPath::Recycle(PathPoint* node) {
    node->next = free_;
    free_ = node;
}

void CutPath::Open(int32_t x, int32_t y) {
    head->x = x;
    head->y = y;
    head->next = nullptr;
    tail = head;
    count = 1;
}

void CutPath::RemovePointAfter(PathPoint* node) {
    PathPoint* gone = node->next;
    node->next = gone->next;
    Recycle(gone);
}

// Every node but the head is free after a release, recycled or not: the
// blocks are handed out again from the first one, whose first node becomes
// the head (a transform may have made another node the head).
void CutPath::Release() {
    free_ = nullptr;
    unused_block_ = 0;
    head = blocks_[0].get();
    unused_ = head + 1;
    unused_end_ = head + kBlockPoints;
    head->x = 0;
    head->y = 0;
    head->next = nullptr;
    tail = nullptr;
    count = 0;
}

int32_t CutPath::Length() const {
    int32_t length = 0;
    for (const PathPoint* node = head; node; node = node->next) ++length;
    return length;
}

}  // namespace tarnik
