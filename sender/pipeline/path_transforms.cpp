// The order in which both encoders rework a path before writing it.
#include "sender/pipeline/path_transforms.h"

namespace tarnik {

void ApplyPathTransforms(CutPath& path, int32_t points_as_read, const SenderSettings& settings,
                         BladeState& blade, SwingArcMemo* arcs) {
    // Paths of 1 to 3 points (text strokes, dots) are cut as drawn.
    if (points_as_read < 4 || path.head->next == nullptr)
        return;
    if (settings.ReducePointEnble)
        ReducePathPoints(path, settings.ReducePoint);
    if (settings.CloseEnble) {
        const PathPoint* last = path.head;
        while (last->next) last = last->next;
        const bool closed = last != path.head && last->x == path.head->x && last->y == path.head->y;
        if (closed)
            AddClosingOvercut(path, settings.CloseOffset);
    }
    if (settings.SharpEnble) {
        CompensateKnifeOffset(path, blade, settings.SharpOffset, settings.MAXdeg, arcs);
    }
}

}  // namespace tarnik
