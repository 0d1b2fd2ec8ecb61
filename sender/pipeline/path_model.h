#pragma once
// The in-memory form of one cut path: a singly linked list of points in
// plotter coordinates (x along the paper feed, from the design's top edge;
// y across the paper). Only one path exists at a time; its nodes come from
// a free list owned by the path, so a job of a million paths allocates only
// as many nodes as its longest path needs.
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
    bool Append(int32_t x, int32_t y);
    // Links a new point in directly behind node and returns it.
    PathPoint* InsertPointAfter(PathPoint* node, int32_t x, int32_t y,
                                AllocationSite site = AllocationSite::Transform);
    // Unlinks the node after node (which must exist) and recycles it.
    void RemovePointAfter(PathPoint* node);
    // A fresh unlinked node; the caller links it in or recycles it.
    PathPoint* NewPoint(int32_t x, int32_t y, AllocationSite site);
    // Returns an unlinked node to the free list.
    void Recycle(PathPoint* node);
    // Releases every node of the path and resets head to (0, 0), count and
    // tail to empty, ready for the next path.
    void Release();

    // Points in the list from head on (walks the list).
    int32_t Length() const;

  private:
    void Grow(AllocationSite site);

    std::vector<std::unique_ptr<PathPoint[]>> blocks_;
    PathPoint* free_ = nullptr;
};

}  // namespace tarnik
