#include "sender/plan/strip_path_source.h"

#include "sender/plan/media_strips.h"

namespace tarnik {

StripPathSource::StripPathSource(PathSource& inner, CutPath& path, const MediaLayout& layout,
                                 const MediaStrip& strip)
    : inner_(inner), path_(path), strip_(strip), ticks_(StripTicks(layout, strip)) {
    inner_.KeepOnlyBand(strip.from_y, strip.to_y);
}

PathSource::Event StripPathSource::HandOutPiece() {
    const Polyline& piece = pieces_[next_piece_++];
    for (std::size_t k = 0; k < piece.size(); ++k) {
        const int32_t x = static_cast<int32_t>(piece[k].x);
        const int32_t y = static_cast<int32_t>(piece[k].y + strip_.shift_y);
        if (k == 0)
            path_.Open(x, y);
        else
            path_.Append(x, y);
    }
    return Event::PathReady;
}

bool StripPathSource::ShiftIfInside() {
    for (const PathPoint* p = path_.head; p != nullptr; p = p->next) {
        if (p->y < strip_.from_y || p->y > strip_.to_y)
            return false;
    }
    for (PathPoint* p = path_.head; p != nullptr; p = p->next) {
        p->y = static_cast<int32_t>(p->y + strip_.shift_y);
    }
    return true;
}

PathSource::Event StripPathSource::Next() {
    for (;;) {
        if (next_piece_ < pieces_.size())
            return HandOutPiece();
        pieces_.clear();
        next_piece_ = 0;
        if (inner_ended_) {
            if (ticks_.empty())
                return Event::End;
            // Ticks are plain cuts whatever the design's last line type.
            if (inner_.LineTypeHasNumber() && !plain_ticks_) {
                plain_ticks_ = true;
                return Event::LineType;
            }
            pieces_ = std::move(ticks_);
            ticks_.clear();
            continue;
        }
        const Event event = inner_.Next();
        if (event == Event::End) {
            inner_ended_ = true;
            continue;
        }
        if (event != Event::PathReady)
            return event;
        if (ShiftIfInside())
            return Event::PathReady;
        Polyline line;
        line.reserve(static_cast<std::size_t>(path_.count));
        for (const PathPoint* p = path_.head; p != nullptr; p = p->next) {
            line.push_back(LayoutPoint{p->x, p->y});
        }
        path_.Release();
        ClipToStrip(line, strip_.from_y, strip_.to_y, pieces_);
    }
}

}  // namespace tarnik
