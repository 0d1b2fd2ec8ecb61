#pragma once
// The settings dialog (dialog 129): plotter model and port, the cutting
// options, and hidden controls whose values pass through unchanged or with
// their range rules. It works on its own copy of the settings; the main
// window's Option command copies them in, runs it and saves what it holds.
#include <windows.h>

#include <cstdint>
#include <string>

#include "sender/app/win32/settings_dialog_controls.h"
#include "sender/settings/sender_settings.h"
#include "ui/win32/dialog.h"

namespace tarnik {

// The serial line shown (never edited) in the hidden serial boxes.
struct SerialLineDescription {
    DWORD baud_rate = 0;
    BYTE parity = 0;     // NOPARITY, ODDPARITY ... as a list index
    BYTE data_bits = 0;  // 5 to 8
    BYTE stop_bits = 0;  // ONESTOPBIT, ONE5STOPBITS, TWOSTOPBITS as a list index
};

// What the job sender's serial line is described as: 38400 baud, no
// parity, 8 data bits, 1 stop bit (as BuildCommDCBA makes it of the text).
SerialLineDescription DefaultSerialLine();

class CCfgdlg : public ui::Dialog {
  public:
    CCfgdlg();

    // The dialog's copy of the settings; the export folder and file name
    // are edited as text and copied back by TakeExportTexts.
    SenderSettings Values;
    std::string ColExportPath;
    std::string ColExportFilename;
    SerialLineDescription SerialLine;

    // Copies the dialog's copy of the settings in, the two export texts
    // included.
    void SetValues(const SenderSettings& settings);
    // The dialog's values with the export texts written back into their
    // fields (cut to the fields' size).
    SenderSettings TakeValues() const;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& exchange) override;
    void OnOK() override;

  private:
    void FillFixedLists();
    void SelectSerialLine();
    void RebuildPortList();
    void OnUsbPortClicked();
    void BrowseExportFolder();

    // The model the dialog was opened with, kept when the list selects none.
    int32_t stored_model_ = 0;
    // Check box 1037 of a serial option that was never finished: cleared at
    // every opening and not used.
    int32_t new_serial_port_ = 0;
    SettingsDialogControls controls_;
};

}  // namespace tarnik
