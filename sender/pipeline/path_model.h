#pragma once
// The in-memory form of one cut path: a singly linked list of points in
// plotter coordinates (x along the paper feed, from the design's top edge;
// y across the paper). Only one path exists at a time; its nodes come from
// blocks owned by the path, so a job of a million paths allocates only as
// many nodes as its longest path needs. Releasing a path hands every block
// back at once: the next path takes its nodes from the start of the first
// block again, so each path's nodes lie one after another in memory however
// many paths came before.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace tarnik {

struct PathPoint {
    int32_t x = 0;
    int32_t y = 0;
    PathPoint* next = nullptr;
};

// Who asked for a node decides the wording of the out-of-memory message.
enum class AllocationSite {
    Reader,     // "Not enough memory to allocate buffer\n", caption "ERROR"
    Transform,  // "Not enough memory to allocate buffer ", caption "error"
};

class CutPath {
  public:
    CutPath();
    ~CutPath() = default;
    CutPath(const CutPath&) = delete;
    CutPath& operator=(const CutPath&) = delete;

    // First point; never null. Transforms may replace it (closing overcut).
    PathPoint* head = nullptr;
    // Last point appended by the reader; null while no path is open.
    PathPoint* tail = nullptr;
    // Points stored by the reader (transforms do not update it); 0 while no
    // path is open.
    int32_t count = 0;

    // Starts a path at (x, y): head takes the point, count becomes 1.
    void Open(int32_t x, int32_t y);
    // Appends (x, y) behind tail unless it equals the last stored point in
    // both coordinates; returns whether it was stored.
    bool Append(int32_t x, int32_t y) {
        if (tail->x == x && tail->y == y)
            return false;
        PathPoint* node = NewPoint(x, y, AllocationSite::Reader);
        tail->next = node;
        tail = node;
        ++count;
        return true;
    }
    // Links a new point in directly behind node and returns it.
    PathPoint* InsertPointAfter(PathPoint* node, int32_t x, int32_t y,
                                AllocationSite site = AllocationSite::Transform) {
        PathPoint* inserted = NewPoint(x, y, site);
        inserted->next = node->next;
        node->next = inserted;
        return inserted;
    }
    // Unlinks the node after node (which must exist) and recycles it.
    void RemovePointAfter(PathPoint* node);
    // A fresh unlinked node; the caller links it in or recycles it.
    PathPoint* NewPoint(int32_t x, int32_t y, AllocationSite site) {
        PathPoint* node = free_;
        if (node != nullptr) {
            free_ = node->next;
        } else {
            if (unused_ == unused_end_)
                NextBlock(site);
            node = unused_++;
        }
        node->x = x;
        node->y = y;
        node->next = nullptr;
        return node;
    }
    // Returns an unlinked node to the free list.
    void Recycle(PathPoint* node);
    // Releases every node of the path and resets head to (0, 0), count and
    // tail to empty, ready for the next path.
    void Release();

    // Points in the list from head on (walks the list).
    int32_t Length() const;

  private:
    // Moves the never-used nodes on to the next block, allocating it when
    // every block is in use.
    void NextBlock(AllocationSite site);

    std::vector<std::unique_ptr<PathPoint[]>> blocks_;
    // Nodes recycled while a path is worked on; taken before unused ones.
    PathPoint* free_ = nullptr;
    // Nodes not handed out since the last Release: the rest of block
    // unused_block_.
    std::size_t unused_block_ = 0;
    PathPoint* unused_ = nullptr;
    PathPoint* unused_end_ = nullptr;
};

}  // namespace tarnik
