#include "sender/pipeline/command_text.h"

#include <cstring>

namespace tarnik {

void CommandOutput::SetBuffer(char* begin, std::size_t capacity) {
    if (begin == nullptr || capacity < kLongestCommand) {
        begin = spare_;
        capacity = kLongestCommand;
    }
    Drain();
    begin_ = begin;
    cursor_ = begin;
    end_ = begin + capacity;
}

void CommandOutput::Drain() {
    if (cursor_ != begin_) {
        Take(begin_, static_cast<std::size_t>(cursor_ - begin_));
        cursor_ = begin_;
    }
}

void CommandOutput::Append(const char* text, std::size_t length) {
    if (static_cast<std::size_t>(end_ - cursor_) < length) {
        Drain();
        if (static_cast<std::size_t>(end_ - cursor_) < length) {
            Take(text, length);
            return;
        }
    }
    std::memcpy(cursor_, text, length);
    cursor_ += length;
}

void CommandOutput::AppendNumber(int32_t value) {
    Commit(PutNumber(Room(), value));
}

CommandTemplate::CommandTemplate(const char* text) {
    std::size_t length = 0;
    for (const char* c = text; *c != '\0' && length < kMaxText; ++c) {
        if (c[0] == '%' && c[1] == 'd' && slots_ < kMaxSlots) {
            ++slots_;
            piece_start_[slots_] = static_cast<uint8_t>(length);
            ++c;
            continue;
        }
        if (c[0] == '%' && c[1] == '%') {
            ++c;
        }
        text_[length++] = *c;
    }
    piece_start_[slots_ + 1] = static_cast<uint8_t>(length);
    short_pair_ = slots_ == 2;
    for (std::size_t i = 0; i <= slots_; ++i) {
        if (static_cast<std::size_t>(piece_start_[i + 1] - piece_start_[i]) > kCopyWidth)
            short_pair_ = false;
    }
}

void CommandTemplate::Render(CommandOutput& out, const int32_t* values, std::size_t count) const {
    // kMaxText literal bytes and kMaxSlots numbers of 11 characters fit in
    // one command's room, and so does a whole-width copy at the last piece.
    static_assert(kMaxText + kMaxSlots * 11 + kCopyWidth <= kLongestCommand);
    char* p = out.Room();
    for (std::size_t i = 0; i <= slots_; ++i) {
        const std::size_t start = piece_start_[i];
        const std::size_t piece = piece_start_[i + 1] - start;
        if (piece <= kCopyWidth) {
            std::memcpy(p, text_ + start, kCopyWidth);
        } else {
            std::memcpy(p, text_ + start, piece);
        }
        p += piece;
        if (i < slots_) {
            p = PutNumber(p, i < count ? values[i] : 0);
        }
    }
    out.Commit(p);
}

std::string CommandTemplate::ToString(const int32_t* values, std::size_t count) const {
    StringCommandOutput out;
    Render(out, values, count);
    return out.Text();
}

}  // namespace tarnik
