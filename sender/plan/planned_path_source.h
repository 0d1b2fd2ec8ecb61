#pragma once
// Hands the steps of a job plan to an encoder as the plot reader's events:
// a LineType event wherever the line type in force changes from one step to
// the next, then the step's path in the CutPath. Pen selection is not
// repeated: the index holds only the paths the encoder's pen filter keeps.
#include <cstddef>
#include <cstdint>

#include "sender/pipeline/path_source.h"
#include "sender/pipeline/plot_reader.h"
#include "sender/plan/job_plan.h"

namespace tarnik {

class PlannedPathSource : public PathSource {
  public:
    // The mapping says in which frame FeedX is measured: the HPGL model's
    // trailer feeds in its own scaled frame, as the plot reader reports it.
    PlannedPathSource(const JobPlan& plan, CutPath& path, const PlotMapping& mapping)
        : plan_(plan), path_(path), mapping_(mapping) {}

    Event Next() override;
    char PenDigit() const override { return 0; }
    bool LineTypeHasNumber() const override { return dashed_; }
    void SetLeaveOut(bool) override {}
    int32_t FeedX() const override { return feed_x_; }
    void KeepOnlyBand(int64_t from_y, int64_t to_y) override {
        band_from_y_ = from_y;
        band_to_y_ = to_y;
    }

  private:
    // Fills the CutPath with the step's points as cut.
    void LoadStep(const PlanStep& step);
    // Whether the step lies wholly outside the band kept.
    bool OutsideBand(const PlanStep& step) const;
    // Takes the step's furthest point along the feed into FeedX, whether
    // the step is loaded or passed over.
    void TakeFeed(const PlanStep& step);

    const JobPlan& plan_;
    CutPath& path_;
    const PlotMapping& mapping_;
    std::size_t next_ = 0;
    bool dashed_ = false;
    int32_t feed_x_ = 0;
    int64_t band_from_y_ = INT64_MIN;
    int64_t band_to_y_ = INT64_MAX;
};

}  // namespace tarnik
