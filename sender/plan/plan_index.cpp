// Reading a plot file into the plan's index.
#include "sender/plan/plan_index.h"

namespace tarnik {

void PlanIndex::Finish(IndexedPath& entry, bool closed_by_points) {
    entry.closed = closed_by_points;
    paths_.PushBack(entry);
}

bool PlanIndex::AddPath(const CutPath& path, bool dashed) {
    if (path.count < 2)
        return true;
    if (!HasRoom(static_cast<uint32_t>(path.count)))
        return false;
    IndexedPath entry;
    entry.first = points_.Size();
    entry.dashed = dashed;
    for (const PathPoint* p = path.head; p != nullptr; p = p->next) {
        const PlanPoint point{p->x, p->y};
        points_.PushBack(point);
        entry.box.Add(point);
    }
    entry.count = points_.Size() - entry.first;
    const PlanPoint first = points_[entry.first];
    const PlanPoint last = points_[points_.Size() - 1];
    Finish(entry, entry.count >= 3 && first == last);
    return true;
}

bool PlanIndex::AddGeneratedPath(const PlanPoint* points, uint32_t count, bool closed) {
    if (count < 2)
        return true;
    if (!HasRoom(count + 1))
        return false;
    IndexedPath entry;
    entry.first = points_.Size();
    entry.generated = true;
    for (uint32_t k = 0; k < count; ++k) {
        points_.PushBack(points[k]);
        entry.box.Add(points[k]);
    }
    // A closed path ends where it starts, as a closed path read from a file.
    if (closed && !(points[0] == points[count - 1]))
        points_.PushBack(points[0]);
    entry.count = points_.Size() - entry.first;
    Finish(entry, closed && entry.count >= 3);
    return true;
}

IndexOutcome BuildPlanIndex(const char* plot_path, PlotMapping& mapping, const PenFilter& filter,
                            PlanIndex& index, int32_t& feed_x) {
    CutPath path;
    PlotPathReader reader(path, mapping);
    if (!reader.Open(plot_path))
        return IndexOutcome::Unreadable;
    bool leave_out = false;
    bool dashed = false;
    for (;;) {
        switch (reader.Next()) {
            case PlotPathReader::Event::PenSelect:
                leave_out = ApplyPenFilter(filter.variant, filter.cut_image_mode, filter.flag_color,
                                           reader.PenDigit(), leave_out);
                reader.SetLeaveOut(leave_out);
                break;
            case PlotPathReader::Event::LineType:
                dashed = reader.LineTypeHasNumber();
                break;
            case PlotPathReader::Event::PathReady: {
                const bool kept = index.AddPath(path, dashed);
                path.Release();
                if (!kept)
                    return IndexOutcome::TooLarge;
                break;
            }
            case PlotPathReader::Event::End:
                feed_x = reader.FeedX();
                return IndexOutcome::Done;
            case PlotPathReader::Event::DataError:
                return IndexOutcome::DataError;
        }
    }
}

}  // namespace tarnik
