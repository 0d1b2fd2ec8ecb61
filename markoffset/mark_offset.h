#pragma once
// The mark-offset tool's rules: which texts an offset edit takes, how an
// offset is formatted, the command text the plotter gets, and the name a
// saved file gets. Shared by Mirando's dialog and tarnik-cli mark-offset.
#include <string>
#include <string_view>

namespace tarnik::markoffset {

// The value an offset holds when it carries nothing.
inline constexpr char kZeroOffset[] = "0.00";

// The four offsets as the dialog holds them, in millimetres, as text. Only
// one of each pair is used: upper/lower (the A command) and left/right
// (the B command).
struct MarkOffsets {
    std::string upper = kZeroOffset;
    std::string lower = kZeroOffset;
    std::string left = kZeroOffset;
    std::string right = kZeroOffset;
};

enum class OffsetField { kUpper, kLower, kLeft, kRight };

std::string& OffsetOf(MarkOffsets& offsets, OffsetField field);
// The other field of the same pair (upper and lower, left and right).
OffsetField PartnerOf(OffsetField field);

// Digits and points only; an empty text and several points are accepted,
// a sign is not.
bool IsOffsetText(std::string_view text);

// The rule run on every text update of an offset edit: a valid text clears
// the partner to "0.00" (so at most one direction per pair carries a
// value); an invalid one is reset to "0.00". False when the text was
// refused (the caller shows kInputNumberOrDot).
bool ValidateOffset(MarkOffsets& offsets, OffsetField field);

// The rule run when an offset edit loses the focus: the leading number of
// the text (leading digits and one point; none gives 0) with two decimals,
// so "1.5" is "1.50", "" is "0.00" and "1.2.3" is "1.20".
std::string FormatOffset(std::string_view text);

// The 109 characters put before the commands when they are sent to the
// plotter (never into a file): 62 blanks, 2 tabs, 45 blanks.
std::string LeadIn();

// "$A,-upper;" unless upper is exactly "0.00", else "$A,lower;"; then
// "$B,left;" unless left is exactly "0.00", else "$B,-right;"; then "$$",
// each line ended by "\r\n". The comparison is on the text, so an upper
// typed as "0" and not yet formatted is used.
std::string MarkOffsetCommands(const MarkOffsets& offsets, bool with_lead_in);

// The path a chosen save name is written to: unless its extension is
// "plt" in any case, ".plt" is appended ("job.txt" becomes "job.txt.plt").
std::string PltSavePath(std::string_view path);

// The Port box lists "COM1" to "COM20": list index i stands for COM i+1.
inline constexpr int kListedPortCount = 20;
std::string ListedPortName(int index);
// The list index of the port that the Port box's text names: the box takes
// typing, and a typed "com3" means the listed COM3. Blanks around the name
// and letter case do not matter; -1 when the text names no listed port.
int ListedPortIndex(std::string_view text);

// The tool's messages, exactly as the user sees them.
inline constexpr char kTextInputNumberOrDot[] = "Input number or dot";
inline constexpr char kTextPortUnusable[] = "Port can't be used,Check please!";
inline constexpr char kTextOnlinePlease[] = "ONLINE,please!";
inline constexpr char kTextWritePortFailed[] = "Write port faild!";
inline constexpr char kTextSetSuccess[] = "Set MARK offset success!";
inline constexpr char kTextSaveFailed[] = "Save faild!";
inline constexpr char kTextSaveOk[] = "Save OK!";

}  // namespace tarnik::markoffset
