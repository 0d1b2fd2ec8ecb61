#include "sender/app/win32/plt_file_cfg.h"

#include <cstdlib>

#include "sender/app/cut_plan_settings.h"
#include "sender/app/file_settings_rules.h"
#include "sender/plan/media_layout.h"
#include "sender/res/resource.h"
#include "ui/win32/data_exchange.h"
#include "ui/win32/resources.h"
#include "ui/win32/utf16_text.h"

namespace tarnik {

namespace {

constexpr int kCutOrderStrings[kCutOrderEntries] = {IDS_ORDER_DRAWN, IDS_ORDER_INSIDE,
                                                    IDS_ORDER_SHORTEST};
constexpr int kRotateStrings[kRotateEntries] = {IDS_ROTATE_NONE, IDS_ROTATE_QUARTER,
                                                IDS_ROTATE_AUTO};
constexpr int kWeedDirectionStrings[kWeedDirectionEntries] = {IDS_WEED_BOTH, IDS_WEED_ACROSS,
                                                              IDS_WEED_ALONG};
constexpr float kMaxLength = static_cast<float>(kMaxLayoutLength);

// The edits and lists whose change alters the job's bytes.
constexpr int kPlanEdits[] = {IDC_PANEL_LENGTH, IDC_LEFT_MARGIN, IDC_TOP_MARGIN,  IDC_MEDIA_WIDTH,
                              IDC_COPIES,       IDC_COPY_GAP,    IDC_WEED_BORDER, IDC_WEED_LINES,
                              IDC_WEED_GAP,     IDC_TILE_OVERLAP};
constexpr int kPlanLists[] = {IDC_CUT_ORDER, IDC_ROTATE, IDC_WEED_DIRECTION};

void FillList(HWND dialog, int id, const int* strings, int count) {
    for (int i = 0; i < count; ++i) {
        SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(ui::LoadResourceString(strings[i]).c_str()));
    }
}

// The control that holds the value a problem is about.
int ControlOf(LayoutProblem problem) {
    switch (problem) {
        case LayoutProblem::BadMargin:
            return IDC_LEFT_MARGIN;
        case LayoutProblem::BadCopies:
            return IDC_COPIES;
        case LayoutProblem::BadCopyGap:
            return IDC_COPY_GAP;
        case LayoutProblem::BadWeedBorder:
        case LayoutProblem::WeedLinesWithoutBorder:
            return IDC_WEED_BORDER;
        case LayoutProblem::BadWeedSpacing:
            return IDC_WEED_LINES;
        case LayoutProblem::BadWeedGap:
            return IDC_WEED_GAP;
        case LayoutProblem::BadTileOverlap:
            return IDC_TILE_OVERLAP;
        default:
            return IDC_MEDIA_WIDTH;
    }
}

}  // namespace

Cpltfilecfg::Cpltfilecfg() : ui::Dialog(IDD_PLTFILECFG) {
    for (const int id : kPlanLists) OnCommand(id, CBN_SELCHANGE, [this] { ShowLineTime(); });
    for (const int id : kPlanEdits) OnCommand(id, EN_KILLFOCUS, [this] { ShowLineTime(); });
    OnCommand(IDC_MIRROR, BN_CLICKED, [this] { ShowLineTime(); });
}

float Cpltfilecfg::NumberShown(int id) const {
    char text[32] = {};
    GetDlgItemTextA(Handle(), id, text, sizeof text);
    return static_cast<float>(std::strtod(text, nullptr));
}

MediaFields Cpltfilecfg::MediaShown() const {
    MediaFields f;
    f.MediaWidth = NumberShown(IDC_MEDIA_WIDTH);
    f.RotateIndex =
        static_cast<int32_t>(SendDlgItemMessageA(Handle(), IDC_ROTATE, CB_GETCURSEL, 0, 0));
    f.Mirror = IsDlgButtonChecked(Handle(), IDC_MIRROR) == BST_CHECKED ? 1 : 0;
    f.Copies = static_cast<int32_t>(NumberShown(IDC_COPIES));
    f.CopyGap = NumberShown(IDC_COPY_GAP);
    f.WeedBorder = NumberShown(IDC_WEED_BORDER);
    f.WeedLines = NumberShown(IDC_WEED_LINES);
    f.DirectionIndex =
        static_cast<int32_t>(SendDlgItemMessageA(Handle(), IDC_WEED_DIRECTION, CB_GETCURSEL, 0, 0));
    f.WeedGap = NumberShown(IDC_WEED_GAP);
    f.TileOverlap = NumberShown(IDC_TILE_OVERLAP);
    return f;
}

void Cpltfilecfg::ShowLineTime() {
    CutPlanOptions options;
    const auto index =
        static_cast<int>(SendDlgItemMessageA(Handle(), IDC_CUT_ORDER, CB_GETCURSEL, 0, 0));
    options.Order = CutOrderFromListIndex(index);
    options.PanelLength = BoundedPanelLength(NumberShown(IDC_PANEL_LENGTH));
    options.Media = MediaOptionsOf(MediaShown(), static_cast<int32_t>(NumberShown(IDC_LEFT_MARGIN)),
                                   static_cast<int32_t>(NumberShown(IDC_TOP_MARGIN)));
    const std::optional<uint64_t> bytes = EstimateBytes ? EstimateBytes(options) : std::nullopt;
    SetDlgItemTextA(Handle(), IDC_LINE_TIME,
                    LineTimeText(ui::LoadResourceString(IDS_LINE_TIME), bytes).c_str());
}

void Cpltfilecfg::DoDataExchange(ui::DataExchange& exchange) {
    exchange.Int(IDC_LEFT_MARGIN, LeftMargin);
    exchange.IntRange(IDC_LEFT_MARGIN, LeftMargin, 0, static_cast<int32_t>(kMaxLayoutLength));
    exchange.Int(IDC_TOP_MARGIN, TopMargin);
    exchange.IntRange(IDC_TOP_MARGIN, TopMargin, 0, static_cast<int32_t>(kMaxLayoutLength));
    exchange.Float(IDC_FILE_WIDTH, Width);
    exchange.Float(IDC_FILE_HEIGHT, Height);
    exchange.Check(IDC_CUT_TO_FILE, CutToFile);
    exchange.ListIndex(IDC_CUT_ORDER, OrderIndex);
    exchange.Float(IDC_PANEL_LENGTH, PanelLength);
    exchange.FloatRange(IDC_PANEL_LENGTH, PanelLength, 0.0f, kMaxPanelLengthMm);
    exchange.Float(IDC_MEDIA_WIDTH, Media.MediaWidth);
    exchange.FloatRange(IDC_MEDIA_WIDTH, Media.MediaWidth, 0.0f, kMaxLength);
    exchange.ListIndex(IDC_ROTATE, Media.RotateIndex);
    exchange.Check(IDC_MIRROR, Media.Mirror);
    exchange.Int(IDC_COPIES, Media.Copies);
    exchange.IntRange(IDC_COPIES, Media.Copies, 1, kMaxCopies);
    exchange.Float(IDC_COPY_GAP, Media.CopyGap);
    exchange.FloatRange(IDC_COPY_GAP, Media.CopyGap, 0.0f, kMaxLength);
    exchange.Float(IDC_WEED_BORDER, Media.WeedBorder);
    exchange.FloatRange(IDC_WEED_BORDER, Media.WeedBorder, 0.0f, kMaxLength);
    exchange.Float(IDC_WEED_LINES, Media.WeedLines);
    exchange.FloatRange(IDC_WEED_LINES, Media.WeedLines, 0.0f, kMaxLength);
    exchange.ListIndex(IDC_WEED_DIRECTION, Media.DirectionIndex);
    exchange.Float(IDC_WEED_GAP, Media.WeedGap);
    exchange.FloatRange(IDC_WEED_GAP, Media.WeedGap, 0.0f, kMaxLength);
    exchange.Float(IDC_TILE_OVERLAP, Media.TileOverlap);
    exchange.FloatRange(IDC_TILE_OVERLAP, Media.TileOverlap, 0.0f, kMaxLength);
}

// Values that are numbers each but do not hold together (weed lines
// without a border, copies without a gap) are said here, with the focus on
// the value to mend, rather than after the dialog when the job is refused.
void Cpltfilecfg::OnOK() {
    if (!UpdateData(true))
        return;
    LayoutFigures figures;
    const LayoutProblem problem =
        CheckMediaLayoutOptions(MediaOptionsOf(Media, LeftMargin, TopMargin), figures);
    if (problem == LayoutProblem::None) {
        EndDialog(IDOK);
        return;
    }
    ui::AppMessageBoxUtf8(Handle(), DescribeLayoutProblem(problem, figures),
                          MB_OK | MB_ICONEXCLAMATION);
    HWND control = Item(ControlOf(problem));
    SetFocus(control);
    SendMessageA(control, EM_SETSEL, 0, -1);
}

// Centred on the screen and above every other window: the dialog opens
// while the drawing program has the focus and must not hide behind it.
BOOL Cpltfilecfg::OnInitDialog() {
    file_size_group_.Attach(Item(IDC_FILE_SIZE_GROUP));
    margin_group_.Attach(Item(IDC_MARGIN_GROUP));
    cut_order_group_.Attach(Item(IDC_CUT_ORDER_GROUP));
    media_group_.Attach(Item(IDC_MEDIA_GROUP));
    FillList(Handle(), IDC_CUT_ORDER, kCutOrderStrings, kCutOrderEntries);
    FillList(Handle(), IDC_ROTATE, kRotateStrings, kRotateEntries);
    FillList(Handle(), IDC_WEED_DIRECTION, kWeedDirectionStrings, kWeedDirectionEntries);
    ui::Dialog::OnInitDialog();
    RECT frame = {};
    GetWindowRect(Handle(), &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    SetWindowPos(Handle(), HWND_TOPMOST, left, top, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    // Cut to file is a choice for one job only: never offered pre-ticked.
    CutToFile = 0;
    UpdateData(false);
    ShowLineTime();
    return TRUE;
}

}  // namespace tarnik
