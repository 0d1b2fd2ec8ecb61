#include "sender/pipeline/path_model.h"

#include <new>

#include "sender/pipeline/fatal_error.h"

namespace tarnik {
namespace {
constexpr int kBlockPoints = 256;
}

CutPath::CutPath() {
    head = NewPoint(0, 0, AllocationSite::Reader);
}

void CutPath::Grow(AllocationSite site) {
    std::unique_ptr<PathPoint[]> block(new (std::nothrow) PathPoint[kBlockPoints]);
    if (!block) {
        if (site == AllocationSite::Reader) {
            EndOnOutOfMemory("Not enough memory to allocate buffer\n", "ERROR");
        }
        EndOnOutOfMemory("Not enough memory to allocate buffer ", "error");
    }
    for (int i = 0; i < kBlockPoints; ++i) {
        block[i].next = free_;
        free_ = &block[i];
    }
    blocks_.push_back(std::move(block));
}

PathPoint* CutPath::NewPoint(int32_t x, int32_t y, AllocationSite site) {
    if (!free_)
        Grow(site);
    PathPoint* node = free_;
    free_ = node->next;
    node->x = x;
    node->y = y;
    node->next = nullptr;
    return node;
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

bool CutPath::Append(int32_t x, int32_t y) {
    if (tail->x == x && tail->y == y)
        return false;
    PathPoint* node = NewPoint(x, y, AllocationSite::Reader);
    tail->next = node;
    tail = node;
    ++count;
    return true;
}

PathPoint* CutPath::InsertPointAfter(PathPoint* node, int32_t x, int32_t y, AllocationSite site) {
    PathPoint* inserted = NewPoint(x, y, site);
    inserted->next = node->next;
    node->next = inserted;
    return inserted;
}

void CutPath::RemovePointAfter(PathPoint* node) {
    PathPoint* gone = node->next;
    node->next = gone->next;
    Recycle(gone);
}

void CutPath::Release() {
    PathPoint* node = head->next;
    while (node) {
        PathPoint* next = node->next;
        Recycle(node);
        node = next;
    }
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
