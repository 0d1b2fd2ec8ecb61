#include "ui/win32/data_exchange.h"

#include <cerrno>
#include <cfloat>
#include <cstdio>
#include <cstdlib>

#include "ui/win32/framework_resource.h"
#include "ui/win32/resources.h"
#include "ui/win32/utf16_text.h"

namespace tarnik::ui {
namespace {

// Longest text read back from a control for a number or a field.
constexpr int kControlTextSize = 512;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

const char* SkipBlanks(const char* p) {
    while (IsBlank(*p)) {
        ++p;
    }
    return p;
}

}  // namespace

bool ParseInt32(const char* text, int32_t& value) {
    const char* start = SkipBlanks(text);
    if (*start == '\0') {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    const long long parsed = std::strtoll(start, &end, 10);
    if (end == start || errno == ERANGE || parsed < INT32_MIN || parsed > INT32_MAX ||
        *SkipBlanks(end) != '\0') {
        return false;
    }
    value = static_cast<int32_t>(parsed);
    return true;
}

bool ParseFloat(const char* text, float& value) {
    const char* start = SkipBlanks(text);
    if (*start == '\0') {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    const double parsed = std::strtod(start, &end);
    if (end == start || errno == ERANGE || parsed > FLT_MAX || parsed < -FLT_MAX ||
        *SkipBlanks(end) != '\0') {
        return false;
    }
    value = static_cast<float>(parsed);
    return true;
}

std::string FormatInt32(int32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
    return text;
}

std::string FormatFloat(float value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*g", FLT_DIG, static_cast<double>(value));
    return text;
}

std::string FillPlaceholders(const std::string& text, const std::string& first,
                             const std::string& second) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && (text[i + 1] == '1' || text[i + 1] == '2')) {
            out += text[i + 1] == '1' ? first : second;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string DataExchange::ControlText(int id) const {
    char text[kControlTextSize] = {};
    GetDlgItemTextA(dialog_, id, text, kControlTextSize);
    return text;
}

void DataExchange::Fail(int id, const std::string& message) {
    failed_ = true;
    AppMessageBoxUtf8(dialog_, message, MB_OK | MB_ICONEXCLAMATION);
    HWND control = GetDlgItem(dialog_, id);
    if (control != nullptr) {
        SetFocus(control);
        SendMessageA(control, EM_SETSEL, 0, -1);
    }
}

void DataExchange::Int(int id, int32_t& value) {
    if (failed_) {
        return;
    }
    if (!save_) {
        SetDlgItemTextA(dialog_, id, FormatInt32(value).c_str());
        return;
    }
    if (!ParseInt32(ControlText(id).c_str(), value)) {
        Fail(id, LoadResourceStringUtf8(IDS_FRAMEWORK_PARSE_INT));
    }
}

void DataExchange::Float(int id, float& value) {
    if (failed_) {
        return;
    }
    if (!save_) {
        SetDlgItemTextA(dialog_, id, FormatFloat(value).c_str());
        return;
    }
    if (!ParseFloat(ControlText(id).c_str(), value)) {
        Fail(id, LoadResourceStringUtf8(IDS_FRAMEWORK_PARSE_REAL));
    }
}

void DataExchange::Text(int id, std::string& value) {
    if (failed_) {
        return;
    }
    if (!save_) {
        SetDlgItemTextA(dialog_, id, value.c_str());
        return;
    }
    value = ControlText(id);
}

void DataExchange::Check(int id, int32_t& value) {
    if (failed_) {
        return;
    }
    if (!save_) {
        CheckDlgButton(dialog_, id, value != 0 ? BST_CHECKED : BST_UNCHECKED);
        return;
    }
    value = IsDlgButtonChecked(dialog_, id) == BST_CHECKED ? 1 : 0;
}

void DataExchange::Check(int id, uint8_t& value) {
    int32_t wide = value;
    Check(id, wide);
    value = static_cast<uint8_t>(wide);
}

void DataExchange::Check(CheckedFlag& box, int32_t& value) {
    if (failed_) {
        return;
    }
    if (!save_) {
        box.SetChecked(value != 0);
        return;
    }
    value = box.Checked() ? 1 : 0;
}

void DataExchange::Check(CheckedFlag& box, uint8_t& value) {
    int32_t wide = value;
    Check(box, wide);
    value = static_cast<uint8_t>(wide);
}

void DataExchange::ListIndex(int id, int32_t& value) {
    if (failed_) {
        return;
    }
    if (!save_) {
        SendDlgItemMessageA(dialog_, id, CB_SETCURSEL, static_cast<WPARAM>(value), 0);
        return;
    }
    value = static_cast<int32_t>(SendDlgItemMessageA(dialog_, id, CB_GETCURSEL, 0, 0));
}

void DataExchange::IntRange(int id, int32_t value, int32_t low, int32_t high) {
    if (failed_ || !save_ || (value >= low && value <= high)) {
        return;
    }
    Fail(id, FillPlaceholders(LoadResourceStringUtf8(IDS_FRAMEWORK_INT_RANGE), FormatInt32(low),
                              FormatInt32(high)));
}

void DataExchange::FloatRange(int id, float value, float low, float high) {
    if (failed_ || !save_ || (value >= low && value <= high)) {
        return;
    }
    Fail(id, FillPlaceholders(LoadResourceStringUtf8(IDS_FRAMEWORK_REAL_RANGE), FormatFloat(low),
                              FormatFloat(high)));
}

}  // namespace tarnik::ui
