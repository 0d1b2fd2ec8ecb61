// Point reduction: points closer than the reduction distance to the last
// point kept are not worth sending to the plotter.
#include "sender/pipeline/path_arithmetic.h"
#include "sender/pipeline/path_transforms.h"

namespace tarnik {

// Each point is measured against the last point kept, not against its
// neighbour as read. The last point always stays so that the path still ends
// where it was drawn (and a closed path stays closed). A distance of 0 drops
// only repeated points; a negative one drops nothing.
void ReducePathPoints(CutPath& path, float reduce_point_mm) {
    const double limit = MillimetresToUnits(reduce_point_mm);
    PathPoint* kept = path.head;
    while (PathPoint* candidate = kept->next) {
        const bool is_last = candidate->next == nullptr;
        if (!is_last && PointDistance(kept->x, kept->y, candidate->x, candidate->y) <= limit) {
            path.RemovePointAfter(kept);
            continue;
        }
        kept = candidate;
    }
}

}  // namespace tarnik
