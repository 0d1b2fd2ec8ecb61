#include "serial/win32/device_control.h"

namespace tarnik {
namespace {

constexpr DeviceControlCalls kSystemCalls = {GetCommState, BuildCommDCBA, SetCommState};
const DeviceControlCalls* g_calls = &kSystemCalls;

}  // namespace

const DeviceControlCalls& DeviceControl() {
    return *g_calls;
}

void SetDeviceControlForTest(const DeviceControlCalls* calls) {
    g_calls = calls != nullptr ? calls : &kSystemCalls;
}

LineSetupStep ApplyLineDefinition(HANDLE port, const char* definition, DCB& dcb) {
    const DeviceControlCalls& calls = DeviceControl();
    dcb = {};
    dcb.DCBlength = sizeof dcb;
    if (!calls.get_state(port, &dcb)) {
        return LineSetupStep::kGetState;
    }
    if (!calls.build_dcb(definition, &dcb)) {
        return LineSetupStep::kBuildDcb;
    }
    // After the definition: BuildCommDCB turns hardware flow control off,
    // and the plotter holds CTS off while its buffer is full.
    dcb.fOutxCtsFlow = TRUE;
    if (!calls.set_state(port, &dcb)) {
        return LineSetupStep::kSetState;
    }
    return LineSetupStep::kNone;
}

}  // namespace tarnik
