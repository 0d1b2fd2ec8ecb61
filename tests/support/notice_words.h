#pragma once
// What a recording fake writes for a notice: its fixed text, or its string
// table id as a number; and a word for its style.
#include <string>

#include "sender/pipeline/notice.h"

namespace tarnik::testing {

inline std::string NoticeWords(const NoticeText& text) {
    return text.IsStringId() ? std::to_string(text.StringIdValue()) : std::string(text.Text());
}

inline const char* StyleWord(NoticeStyle style) {
    switch (style) {
        case NoticeStyle::kInfoBalloon:
            return "info-balloon";
        case NoticeStyle::kWarningBalloon:
            return "warn-balloon";
        case NoticeStyle::kMessageBox:
            break;
    }
    return "box";
}

}  // namespace tarnik::testing
