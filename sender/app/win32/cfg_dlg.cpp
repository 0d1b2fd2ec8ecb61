#include "sender/app/win32/cfg_dlg.h"

#include <shlobj.h>

#include <algorithm>
#include <array>
#include <cstring>

#include "sender/app/settings_dialog_rules.h"
#include "sender/res/resource.h"
#include "ui/win32/data_exchange.h"
#include "ui/win32/resources.h"
#include "ui/win32/utf16_text.h"

namespace tarnik {
namespace {

// The browse button's icon, drawn 20 x 20 pixels.
constexpr int kBrowseIconSize = 20;

constexpr const char* kBaudRates[] = {"57600", "38400", "19200", "14400", "9600"};
constexpr const char* kParities[] = {"None", "Odd", "Even", "Mark", "Space"};
constexpr const char* kDataBits[] = {"8", "7", "6"};
constexpr const char* kStopBits[] = {"1", "1.5", "2"};
constexpr const char* kBufferSizes[] = {"8"};
constexpr int kMarkColourStrings[] = {IDS_MARK_COLOUR_NONE, IDS_MARK_COLOUR_BLUE,
                                      IDS_MARK_COLOUR_RED};
// The model list as the template brings it; initialisation replaces it by
// the one model this dialog offers.
constexpr const char* kTemplateModel = "NVA";
constexpr const char* kModelName = "NVA";

void AddEntry(HWND list, const char* text) {
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

// An entry that may hold Chinese: added as UTF-16.
void AddEntryUtf8(HWND list, const std::string& text) {
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ui::Utf16FromUtf8(text).c_str()));
}

template <std::size_t N>
void FillList(HWND list, const char* const (&entries)[N]) {
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    for (const char* entry : entries) {
        AddEntry(list, entry);
    }
}

void CopyBounded(const std::string& text, char* field, std::size_t size) {
    const std::size_t length = std::min(text.size(), size - 1);
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}

}  // namespace

SerialLineDescription DefaultSerialLine() {
    DCB dcb = {};
    dcb.DCBlength = sizeof dcb;
    char text[] = "baud=38400 parity=n data=8 stop=1";
    SerialLineDescription line;
    if (BuildCommDCBA(text, &dcb)) {
        line.baud_rate = dcb.BaudRate;
        line.parity = dcb.Parity;
        line.data_bits = dcb.ByteSize;
        line.stop_bits = dcb.StopBits;
    }
    return line;
}

CCfgdlg::CCfgdlg() : ui::Dialog(IDD_CFG_DIALOG) {
    OnCommand(IDC_CFG_USB_PORT, BN_CLICKED, [this] { OnUsbPortClicked(); });
    OnCommand(IDC_CFG_EXPORT_BROWSE, BN_CLICKED, [this] { BrowseExportFolder(); });
    OnCommand(IDC_CFG_CANCEL, BN_CLICKED, [this] { OnCancel(); });
}

void CCfgdlg::SetValues(const SenderSettings& settings) {
    Values = settings;
    stored_model_ = settings.ModelIndex;
    ColExportPath = settings.ColExportPath;
    ColExportFilename = settings.ColExportFilename;
}

SenderSettings CCfgdlg::TakeValues() const {
    SenderSettings settings = Values;
    CopyBounded(ColExportPath, settings.ColExportPath, sizeof settings.ColExportPath);
    CopyBounded(ColExportFilename, settings.ColExportFilename, sizeof settings.ColExportFilename);
    return settings;
}

void CCfgdlg::DoDataExchange(ui::DataExchange& exchange) {
    // The port kind first: the USB check box takes the values only to learn
    // it, whatever a later value says.
    exchange.Check(controls_.usb_port, Values.PortType);
    exchange.ListIndex(IDC_CFG_MODEL, Values.ModelIndex);
    exchange.Check(controls_.close_enable, Values.CloseEnble);
    exchange.Float(IDC_CFG_CLOSE_OFFSET, Values.CloseOffset);
    exchange.FloatRange(IDC_CFG_CLOSE_OFFSET, Values.CloseOffset, kCloseOffsetMin, kCloseOffsetMax);
    exchange.Check(controls_.sharp_enable, Values.SharpEnble);
    exchange.Float(IDC_CFG_SHARP_OFFSET, Values.SharpOffset);
    exchange.FloatRange(IDC_CFG_SHARP_OFFSET, Values.SharpOffset, kSharpOffsetMin, kSharpOffsetMax);
    exchange.Check(controls_.contour_mode, Values.CutImageMode);
    exchange.Check(controls_.dashed_mode, Values.DashedMode);
    exchange.Float(IDC_CFG_SOLID_LENGTH, Values.SolidLineLen);
    exchange.Float(IDC_CFG_JUMP_LENGTH, Values.JumpLineLen);
    exchange.Check(controls_.reduce_enable, Values.ReducePointEnble);
    exchange.Float(IDC_CFG_REDUCE_POINT, Values.ReducePoint);
    exchange.FloatRange(IDC_CFG_REDUCE_POINT, Values.ReducePoint, kReducePointMin, kReducePointMax);
    exchange.Check(controls_.feed_paper, Values.CanFeedPaper);
    exchange.Float(IDC_CFG_X_STEPS, Values.XSTEPS);
    exchange.Float(IDC_CFG_Y_STEPS, Values.YSTEPS);
    exchange.Int(IDC_CFG_WAIT_SECOND, Values.WaitSecond);
    exchange.IntRange(IDC_CFG_WAIT_SECOND, Values.WaitSecond, kWaitSecondMin, kWaitSecondMax);
    exchange.Text(IDC_CFG_EXPORT_PATH, ColExportPath);
    exchange.Text(IDC_CFG_EXPORT_FILENAME, ColExportFilename);
    exchange.Float(IDC_CFG_X_DESIGN_SIZE, Values.XDesignSize);
    exchange.Float(IDC_CFG_X_TRUE_SIZE, Values.XTrueSize);
    exchange.Float(IDC_CFG_Y_DESIGN_SIZE, Values.YDesignSize);
    exchange.Float(IDC_CFG_Y_TRUE_SIZE, Values.YTrueSize);
    exchange.Check(controls_.new_serial, new_serial_port_);
}

BOOL CCfgdlg::OnInitDialog() {
    Values.WaitSecond = WaitSecondInRange(Values.WaitSecond);
    controls_.Attach(Handle());
    FillFixedLists();
    ui::Dialog::OnInitDialog();

    HANDLE icon = LoadImageA(ui::ResourceModule(), MAKEINTRESOURCEA(IDI_CUT_FROM_FILE), IMAGE_ICON,
                             kBrowseIconSize, kBrowseIconSize, LR_DEFAULTCOLOR);
    SendDlgItemMessageA(Handle(), IDC_CFG_EXPORT_BROWSE, BM_SETIMAGE, IMAGE_ICON,
                        reinterpret_cast<LPARAM>(icon));
    SelectSerialLine();

    HWND model = Item(IDC_CFG_MODEL);
    SendMessageA(model, CB_DELETESTRING, 0, 0);
    AddEntry(model, kModelName);
    SendDlgItemMessageA(Handle(), IDC_CFG_MARK_COLOUR, CB_SETCURSEL,
                        static_cast<WPARAM>(MarkColourSelection(Values.FlagColor)), 0);
    UpdateData(false);
    RebuildPortList();
    new_serial_port_ = 0;
    return TRUE;
}

// The lists the template would bring with it: the serial line choices, the
// mark colours in the program's language and the template's model entry.
void CCfgdlg::FillFixedLists() {
    FillList(Item(IDC_CFG_BAUD_RATE), kBaudRates);
    FillList(Item(IDC_CFG_PARITY), kParities);
    FillList(Item(IDC_CFG_DATA_BITS), kDataBits);
    FillList(Item(IDC_CFG_STOP_BITS), kStopBits);
    FillList(Item(IDC_CFG_BUFFER), kBufferSizes);
    HWND colours = Item(IDC_CFG_MARK_COLOUR);
    SendMessageA(colours, CB_RESETCONTENT, 0, 0);
    for (const int id : kMarkColourStrings) {
        AddEntryUtf8(colours, ui::LoadResourceStringUtf8(static_cast<UINT>(id)));
    }
    HWND model = Item(IDC_CFG_MODEL);
    SendMessageA(model, CB_RESETCONTENT, 0, 0);
    AddEntry(model, kTemplateModel);
}

void CCfgdlg::SelectSerialLine() {
    std::array<char, 16> text = {};
    wsprintfA(text.data(), "%ld", static_cast<long>(SerialLine.baud_rate));
    SendDlgItemMessageA(Handle(), IDC_CFG_BAUD_RATE, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(text.data()));
    SendDlgItemMessageA(Handle(), IDC_CFG_PARITY, CB_SETCURSEL, SerialLine.parity, 0);
    SendDlgItemMessageA(Handle(), IDC_CFG_STOP_BITS, CB_SETCURSEL, SerialLine.stop_bits, 0);
    wsprintfA(text.data(), "%d", static_cast<int>(SerialLine.data_bits));
    SendDlgItemMessageA(Handle(), IDC_CFG_DATA_BITS, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(text.data()));
}

void CCfgdlg::RebuildPortList() {
    HWND ports = Item(IDC_CFG_PORT);
    SendMessageA(ports, CB_RESETCONTENT, 0, 0);
    for (const std::string& entry : PortListEntries(Values.PortType)) {
        AddEntry(ports, entry.c_str());
    }
    SendMessageA(ports, CB_SETCURSEL, static_cast<WPARAM>(PortListSelection(Values)), 0);
}

// The list follows the box at once; a value elsewhere that breaks its rule
// is reported now and again on OK.
void CCfgdlg::OnUsbPortClicked() {
    UpdateData(true);
    RebuildPortList();
}

void CCfgdlg::BrowseExportFolder() {
    const std::wstring title =
        ui::Utf16FromUtf8(ui::LoadResourceStringUtf8(IDS_CHOOSE_EXPORT_FOLDER));
    BROWSEINFOW info = {};
    info.hwndOwner = Handle();
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST chosen = SHBrowseForFolderW(&info);
    if (chosen == nullptr) {
        return;
    }
    std::array<char, MAX_PATH> path = {};
    if (SHGetPathFromIDListA(chosen, path.data())) {
        ColExportPath = path.data();
        UpdateData(false);
    }
    IMalloc* shell_allocator = nullptr;
    if (SUCCEEDED(SHGetMalloc(&shell_allocator)) && shell_allocator != nullptr) {
        shell_allocator->Free(chosen);
        shell_allocator->Release();
    }
}

void CCfgdlg::OnOK() {
    if (!UpdateData(true)) {
        return;
    }
    Values.ModelIndex = ModelIndexFromSelection(Values.ModelIndex, stored_model_);
    const int colour =
        static_cast<int>(SendDlgItemMessageA(Handle(), IDC_CFG_MARK_COLOUR, CB_GETCURSEL, 0, 0));
    Values.FlagColor = FlagColorFromSelection(colour);
    const int port =
        static_cast<int>(SendDlgItemMessageA(Handle(), IDC_CFG_PORT, CB_GETCURSEL, 0, 0));
    if (Values.PortType == 1) {
        Values.USBPort = PortNumberFromSelection(port);
    } else {
        Values.CurrentCom = PortNumberFromSelection(port);
    }
    EndDialog(IDOK);
}

}  // namespace tarnik
