#pragma once
// The job plan's index of a plot file: every path the encoders would cut,
// read once, with what ordering and placing need (its bounding box, end
// points, whether it is closed, the line type in force) and its points, so
// that the encoders can be handed the path again in any order without a
// second pass over the file.
//
// Why the points and not a file position: handing 100 000 paths out in a new
// order by seeking would refill the reader's 64 KiB buffer once per path
// (gigabytes read for one job), and nesting needs the points of every
// closed path anyway. A point takes 8 bytes, a path 28; storage grows in
// fixed chunks, never by doubling, so peak memory follows the design.
#include <cstdint>
#include <memory>
#include <vector>

#include "sender/pipeline/mark_jobs.h"
#include "sender/pipeline/path_model.h"
#include "sender/pipeline/plot_reader.h"

namespace tarnik {

struct PlanPoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const PlanPoint&) const = default;
};

struct PlanBox {
    int32_t MinX = INT32_MAX;
    int32_t MinY = INT32_MAX;
    int32_t MaxX = INT32_MIN;
    int32_t MaxY = INT32_MIN;

    void Add(PlanPoint p) {
        MinX = p.x < MinX ? p.x : MinX;
        MinY = p.y < MinY ? p.y : MinY;
        MaxX = p.x > MaxX ? p.x : MaxX;
        MaxY = p.y > MaxY ? p.y : MaxY;
    }
    bool Holds(const PlanBox& inner) const {
        return MinX <= inner.MinX && MinY <= inner.MinY && MaxX >= inner.MaxX && MaxY >= inner.MaxY;
    }
};

struct IndexedPath {
    uint32_t first = 0;  // its first point in the index's point store
    uint32_t count = 0;  // its points, 2 or more
    PlanBox box;
    bool closed = false;     // the last point is the first again
    bool dashed = false;     // an "LT" with a number was in force when it was read
    bool generated = false;  // added by the plan (weed lines, borders), not read
};

// The most a plan holds. A sign of a 50 MB plot file has some 5 million
// points; beyond these the job is refused rather than planned, and can still
// be cut as drawn, which holds one path at a time.
inline constexpr uint32_t kMaxPlanPoints = 16'000'000;
inline constexpr uint32_t kMaxPlanPaths = 2'000'000;

// Elements in fixed chunks of 64 Ki: appending never copies what is stored.
template <typename T>
class ChunkedStore {
  public:
    static constexpr uint32_t kShift = 16;
    static constexpr uint32_t kChunk = uint32_t{1} << kShift;

    uint32_t Size() const { return size_; }
    const T& operator[](uint32_t i) const { return chunks_[i >> kShift][i & (kChunk - 1)]; }
    T& operator[](uint32_t i) { return chunks_[i >> kShift][i & (kChunk - 1)]; }
    void PushBack(const T& value) {
        if ((size_ & (kChunk - 1)) == 0 && (size_ >> kShift) == chunks_.size())
            chunks_.push_back(std::make_unique<T[]>(kChunk));
        (*this)[size_++] = value;
    }

  private:
    std::vector<std::unique_ptr<T[]>> chunks_;
    uint32_t size_ = 0;
};

class PlanIndex {
  public:
    uint32_t PathCount() const { return paths_.Size(); }
    const IndexedPath& Path(uint32_t i) const { return paths_[i]; }
    // The k-th point of path i.
    PlanPoint PointOf(const IndexedPath& path, uint32_t k) const { return points_[path.first + k]; }
    uint32_t PointCount() const { return points_.Size(); }

    // Appends a path as read; a path of one point (a pen-up move) cuts
    // nothing and is not kept. False when the index is full.
    bool AddPath(const CutPath& path, bool dashed);
    // Appends a path made by the plan (at least 2 points). False when full.
    bool AddGeneratedPath(const PlanPoint* points, uint32_t count, bool closed);

  private:
    bool HasRoom(uint32_t more_points) const {
        return paths_.Size() < kMaxPlanPaths && more_points <= kMaxPlanPoints - points_.Size();
    }
    void Finish(IndexedPath& entry, bool closed_by_points);

    ChunkedStore<IndexedPath> paths_;
    ChunkedStore<PlanPoint> points_;
};

// The pen filter of the encoder the job goes to: the paths it would pass
// over never enter the index.
struct PenFilter {
    PenFilterVariant variant = PenFilterVariant::Dmpl;
    bool cut_image_mode = false;
    uint8_t flag_color = 0;
};

enum class IndexOutcome {
    Done,
    Unreadable,  // the plot file cannot be opened
    DataError,   // malformed data ("data error!")
    TooLarge,    // beyond kMaxPlanPoints or kMaxPlanPaths
};

// Reads the plot file through mapping (as the encoders' pass does, "IW"
// included) into index. feed_x receives the reader's FeedX at the end.
IndexOutcome BuildPlanIndex(const char* plot_path, PlotMapping& mapping, const PenFilter& filter,
                            PlanIndex& index, int32_t& feed_x);

}  // namespace tarnik
