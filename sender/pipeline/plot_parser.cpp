#include "sender/pipeline/plot_parser.h"

namespace tarnik {
namespace {

// value * 800 / units_per_inch, rounded to the nearest unit (halves away
// from zero); false when it does not fit a signed 32-bit integer.
bool ToSystemUnits(int32_t value, int32_t units_per_inch, int32_t& out) {
    if (units_per_inch <= 0)
        return false;
    const int64_t scaled = int64_t{value} * kPlotUnitsPerInch;
    const int64_t half = units_per_inch / 2;
    const int64_t rounded = (scaled < 0 ? scaled - half : scaled + half) / int64_t{units_per_inch};
    if (rounded < INT32_MIN || rounded > INT32_MAX)
        return false;
    out = static_cast<int32_t>(rounded);
    return true;
}

}  // namespace

bool PlotParser::Open(const char* path) {
    extent_ = PlotExtent{};
    in_run_ = in_points_ = pending_ = false;
    done_ = false;
    final_ = Item::End;
    return commands_.Open(path);
}

void PlotParser::Close() {
    commands_.Close();
}

PlotParser::Pair PlotParser::ReadPair() {
    int32_t x = 0;
    int32_t y = 0;
    if (commands_.Finished())
        return Pair::None;
    if (commands_.NextPlainPair(x, y))
        return TakePair(x, y);
    bool after_separator = false;
    PlotCommandReader::Token token = commands_.NextNumber(x, after_separator);
    if (token == PlotCommandReader::Token::Number) {
        token = commands_.NextNumber(y, after_separator);
        // An unpaired last number is ignored.
        if (token == PlotCommandReader::Token::End)
            return Pair::None;
    }
    if (token == PlotCommandReader::Token::End)
        return Pair::None;
    if (token == PlotCommandReader::Token::Error)
        return Pair::Error;
    return TakePair(x, y);
}

PlotParser::Pair PlotParser::TakePair(int32_t x, int32_t y) {
    if (units_per_inch_ != kPlotUnitsPerInch &&
        (!ToSystemUnits(x, units_per_inch_, x) || !ToSystemUnits(y, units_per_inch_, y)))
        return Pair::Error;
    x_ = x;
    y_ = y;
    if (x < extent_.MinX)
        extent_.MinX = x;
    if (x > extent_.MaxX)
        extent_.MaxX = x;
    if (y < extent_.MinY)
        extent_.MinY = y;
    if (y > extent_.MaxY)
        extent_.MaxY = y;
    return Pair::Point;
}

std::size_t PlotParser::NextRunPoints(int32_t* xy, std::size_t max) {
    // A file at another resolution takes the point-by-point road, where
    // TakePair converts each point.
    if (done_ || in_points_ || !in_run_ || pending_ || units_per_inch_ != kPlotUnitsPerInch)
        return 0;
    const std::size_t count = commands_.NextPlainRunPoints(xy, max);
    if (count == 0)
        return 0;
    x_ = xy[2 * count - 2];
    y_ = xy[2 * count - 1];
    if (!measure_run_points_)
        return count;
    PlotExtent extent = extent_;
    for (std::size_t i = 0; i < count; ++i) {
        const int32_t x = xy[2 * i];
        const int32_t y = xy[2 * i + 1];
        extent.MinX = x < extent.MinX ? x : extent.MinX;
        extent.MaxX = x > extent.MaxX ? x : extent.MaxX;
        extent.MinY = y < extent.MinY ? y : extent.MinY;
        extent.MaxY = y > extent.MaxY ? y : extent.MaxY;
    }
    extent_ = extent;
    return count;
}

// Moves through every pair of the "PU"; the run opens at the last one.
bool PlotParser::ReadPenUp() {
    bool any = false;
    for (;;) {
        const Pair pair = ReadPair();
        if (pair == Pair::Error)
            return false;
        if (pair == Pair::None)
            break;
        any = true;
    }
    in_run_ = any;
    return true;
}

bool PlotParser::ReadWindow() {
    bool found = false;
    for (;;) {
        int32_t value = 0;
        bool after_separator = false;
        const PlotCommandReader::Token token = commands_.NextNumber(value, after_separator);
        if (token == PlotCommandReader::Token::Error)
            return false;
        if (token == PlotCommandReader::Token::End)
            break;
        if (after_separator) {
            if (!ToSystemUnits(value, units_per_inch_, x_))
                return false;
            found = true;
        }
    }
    return found;
}

bool PlotParser::HandleTopLevel(Item& item) {
    const char first = commands_.First();
    const char second = commands_.Second();
    bool ok = true;
    bool yields = false;
    if (first == 'P' && second == 'U') {
        ok = ReadPenUp();
        yields = in_run_;
        item = Item::PathOpen;
    } else if (first == 'I' && second == 'W') {
        ok = ReadWindow();
        yields = true;
        item = Item::Window;
    } else if ((first == 'S' && second == 'P') || (first == 'L' && second == 'T')) {
        third_ = commands_.TakeThird();
        ok = commands_.SkipRest();
        yields = true;
        item = first == 'S' ? Item::PenSelect : Item::LineType;
    } else {
        ok = commands_.SkipRest();
    }
    if (!ok) {
        done_ = true;
        final_ = Item::Error;
        item = Item::Error;
        return true;
    }
    return yields;
}

PlotParser::Item PlotParser::Next() {
    for (;;) {
        if (done_)
            return final_;
        if (in_points_) {
            const Pair pair = ReadPair();
            if (pair == Pair::Point)
                return Item::PathPoint;
            in_points_ = false;
            if (pair == Pair::Error) {
                done_ = true;
                final_ = Item::Error;
                continue;
            }
        }
        if (in_run_ && !pending_) {
            int32_t x = 0;
            int32_t y = 0;
            if (commands_.NextPlainRunPoint(x, y)) {
                if (TakePair(x, y) == Pair::Point)
                    return Item::PathPoint;
                done_ = true;
                final_ = Item::Error;
                continue;
            }
        }
        if (!pending_) {
            if (!commands_.ReadPlotCommand(in_run_ ? kUnboundedCommand : kTopLevelCommandLimit)) {
                done_ = true;
                final_ = commands_.Failed() ? Item::Error : Item::End;
                if (in_run_ && final_ == Item::End) {
                    in_run_ = false;
                    return Item::PathClose;
                }
                continue;
            }
            if (in_run_) {
                if (commands_.Second() == 'D') {
                    in_points_ = true;
                    continue;
                }
                in_run_ = false;
                pending_ = true;
                return Item::PathClose;
            }
        }
        pending_ = false;
        Item item = Item::End;
        if (HandleTopLevel(item))
            return item;
    }
}

}  // namespace tarnik
