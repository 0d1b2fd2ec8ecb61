#pragma once
// The settings dialog's rules that need no window: the port list of either
// port kind, which entries are selected, and what a selection stores.
#include <cstdint>
#include <string>
#include <vector>

#include "sender/settings/sender_settings.h"

namespace tarnik {

// Port kinds a plotter can hang on: COM1 to COM254, USB001 to USB019.
inline constexpr int kComPortCount = 254;
inline constexpr int kUsbPortCount = 19;

// The seconds the contour-cut macro link may wait for the print dialog.
inline constexpr int32_t kWaitSecondMin = 1;
inline constexpr int32_t kWaitSecondMax = 5;

// The cutting lengths' ranges, in mm, as the dialog enforces them on OK.
inline constexpr float kCloseOffsetMin = 0.01f;
inline constexpr float kCloseOffsetMax = 2.0f;
inline constexpr float kSharpOffsetMin = 0.01f;
inline constexpr float kSharpOffsetMax = 1.0f;
inline constexpr float kReducePointMin = 0.0f;
inline constexpr float kReducePointMax = 1.0f;

// "COM%d" or, with `port_type` 1, "USB%03d" for every port number.
std::vector<std::string> PortListEntries(int32_t port_type);

// The port list entry to select for the stored port of the kind
// `settings.PortType` names: its number minus one (-1, nothing selected, for
// port 0).
int PortListSelection(const SenderSettings& settings);

// The port number a list selection stands for: index + 1, 0 when nothing
// is selected.
uint8_t PortNumberFromSelection(int index);

// ModelIndex after OK: the model list's selection, or the stored model
// when nothing is selected. The list offers only "NVA", so a stored "NVAS"
// selects nothing; it must survive OK rather than become -1, which no
// encoder takes.
int32_t ModelIndexFromSelection(int selection, int32_t stored);

// The mark colour entry to select: FlagColor read as a signed 8-bit value,
// so 255 (stored for "nothing selected") selects nothing again.
int MarkColourSelection(uint8_t flag_color);

// FlagColor of a mark colour selection: 255 when nothing is selected.
uint8_t FlagColorFromSelection(int index);

// A stored wait brought into the range the dialog accepts. Its control is
// hidden, so a value outside it could never be corrected by the user and
// would refuse every OK.
int32_t WaitSecondInRange(int32_t wait_second);

}  // namespace tarnik
