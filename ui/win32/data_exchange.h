#pragma once
// Data exchange between a dialog's controls and its fields, with the
// validation rules of the fields. Loading fills controls; saving reads and
// checks them, and the first value that fails shows the framework's message
// (from the string table, in the program's language), puts the focus on
// the control and stops the exchange: later calls do nothing.
#include <windows.h>

#include <cstdint>
#include <string>

namespace tarnik::ui {

// Text to number as the framework accepts it: optional blanks, the number,
// optional blanks, nothing else. Integers are 32-bit signed decimals.
bool ParseInt32(const char* text, int32_t& value);
bool ParseFloat(const char* text, float& value);
// Numbers as a control shows them: "%d", and "%.*g" with the float's six
// significant digits.
std::string FormatInt32(int32_t value);
std::string FormatFloat(float value);

// The framework's message texts with %1 and %2 replaced.
std::string FillPlaceholders(const std::string& text, const std::string& first,
                             const std::string& second);

// A check box that keeps its checked flag itself: an owner-drawn button,
// which the standard check messages do not reach. The exchange sets and
// reads the flag directly.
class CheckedFlag {
  public:
    virtual bool Checked() const = 0;
    virtual void SetChecked(bool checked) = 0;

  protected:
    ~CheckedFlag() = default;
};

class DataExchange {
  public:
    DataExchange(HWND dialog, bool save) : dialog_(dialog), save_(save) {}

    bool Saving() const { return save_; }
    bool Failed() const { return failed_; }

    void Int(int id, int32_t& value);
    void Float(int id, float& value);
    void Text(int id, std::string& value);
    // A check box as 0 or 1.
    void Check(int id, int32_t& value);
    void Check(int id, uint8_t& value);
    void Check(CheckedFlag& box, int32_t& value);
    void Check(CheckedFlag& box, uint8_t& value);
    // Selected entry of a list or combo box; -1 when none.
    void ListIndex(int id, int32_t& value);

    // Range rules, applied after the value was read (saving only).
    void IntRange(int id, int32_t value, int32_t low, int32_t high);
    void FloatRange(int id, float value, float low, float high);

  private:
    std::string ControlText(int id) const;
    void Fail(int id, const std::string& message);

    HWND dialog_;
    bool save_;
    bool failed_ = false;
};

}  // namespace tarnik::ui
