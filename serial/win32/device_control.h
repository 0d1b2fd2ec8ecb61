#pragma once
// The three device-control calls with which a port takes its line
// definition, as a table. Windows' BuildCommDCB turns XON/XOFF and hardware
// flow control off whatever the block held before; Wine's keeps them. Tests
// stand in a device that behaves as Windows documents, to hold the openers
// to the order that keeps CTS flow control on.
#include <windows.h>

namespace tarnik {

struct DeviceControlCalls {
    BOOL(WINAPI* get_state)(HANDLE port, LPDCB dcb);
    BOOL(WINAPI* build_dcb)(LPCSTR definition, LPDCB dcb);
    BOOL(WINAPI* set_state)(HANDLE port, LPDCB dcb);
};

// The calls every opener uses: the system's, unless a test put others in.
const DeviceControlCalls& DeviceControl();
// Replaces the calls for every opener; null restores the system's.
void SetDeviceControlForTest(const DeviceControlCalls* calls);

// The step of the set-up that failed.
enum class LineSetupStep { kNone, kGetState, kBuildDcb, kSetState };

// Reads the port's state into `dcb`, applies `definition` (e.g. "baud=38400
// parity=N data=8 stop=1") to it, turns CTS output flow control on and sets
// the state. kNone when every step succeeded.
LineSetupStep ApplyLineDefinition(HANDLE port, const char* definition, DCB& dcb);

}  // namespace tarnik
