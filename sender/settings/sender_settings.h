#pragma once
// Every setting of the job sender, as loaded from "tarnik.ini". Field names
// follow the ini keys; lengths are in millimetres unless noted.
#include <cstdint>

#include "sender/settings/cut_plan_options.h"

namespace tarnik {

// Paths of up to 260 characters plus the terminator (a Windows MAX_PATH).
constexpr int kSettingsPathSize = 261;

struct SenderSettings {
    char SettingsPath[kSettingsPathSize] = {};

    uint8_t CurrentCom = 1;   // COM port number
    int32_t BaudRate = 9600;  // bits per second
    int32_t WaitSecond = 1;   // seconds
    int32_t PortType = 0;     // 0 serial COM port, 1 USB printer port
    uint8_t USBPort = 1;      // USB printer port number
    int32_t ModelIndex = 0;   // 0 model "NVA" (DM/PL), 1 model "NVAS" (HPGL)

    // The export folder (always the temporary folder after a load, with its
    // trailing backslash) and the export file name.
    char ColExportPath[kSettingsPathSize] = " ";
    char ColExportFilename[kSettingsPathSize] = " ";

    int32_t DashedMode = 0;
    uint8_t CutImageMode = 0;
    uint8_t CloseEnble = 0;
    uint8_t SharpEnble = 0;
    uint8_t ReducePointEnble = 0;
    float CloseOffset = 0.5f;
    float SharpOffset = 0.3f;
    float ReducePoint = 0.2f;
    float SolidLineLen = 0.0f;
    float JumpLineLen = 0.0f;

    uint8_t CanFeedPaper = 0;
    float XSTEPS = 0.0f;
    float YSTEPS = 0.0f;

    double MAXdeg = 2.6179940700531006;  // radians (150 degrees)

    float XDesignSize = 100.0f;
    float XTrueSize = 100.0f;
    float YDesignSize = 100.0f;
    float YTrueSize = 100.0f;
    float XSizeRedeem = 1.0f;  // scale divisor of the HPGL Y axis
    float YSizeRedeem = 1.0f;  // scale divisor of the HPGL X axis

    uint8_t FlagColor = 0;  // registration mark colour: 0 none, 1 blue, 2 red

    CutPlanOptions CutPlan;  // section "CutPlan": the cut order and panels
};

}  // namespace tarnik
