#pragma once
// Moving single paths of a tour next to their nearest neighbours in space,
// wherever in the tour those are: the nearest-path order leaves stragglers
// (a path passed over while it was not yet allowed, or just out of reach)
// that a window of neighbouring positions never brings home. A move is kept
// only when it shortens the travel, keeps each path after everything inside
// it and before everything around it, and keeps the panels in order.
#include <cstdint>
#include <vector>

#include "sender/plan/nesting.h"
#include "sender/plan/travel_grid.h"
#include "sender/plan/travel_order.h"

namespace tarnik {

// Sweeps over tour (order, reversed) with ends seated as tour.start says;
// moved closed paths are seated afresh in ends. The travel never grows.
void RelinkStragglers(StepEnds& ends, const Nesting& nesting, const std::vector<int64_t>& panel,
                      TravelTour& tour);

}  // namespace tarnik
