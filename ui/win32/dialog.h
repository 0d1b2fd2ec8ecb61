#pragma once
// The dialog class every window of the programs derives from: a dialog
// template from the current resource module, a table that maps window
// messages and command ids to handlers, data exchange between controls and
// fields, and modal running. Handlers run on the thread that runs the
// dialog; nothing is thrown.
#include <windows.h>

#include <functional>
#include <vector>

namespace tarnik::ui {

class DataExchange;

// WM_DRAWITEM as the dialog passes it on to the owner-drawn control itself
// (the value the OLE control headers give it), so that a control class
// draws its own face; the control answers TRUE when it drew.
inline constexpr UINT kReflectedDrawItem = WM_USER + 0x1C00 + WM_DRAWITEM;
// The atom of the predefined dialog class "#32770": with a caption, it
// finds a dialog window of any program.
inline constexpr WORD kDialogClassAtom = 0x8002;

class Dialog {
  public:
    explicit Dialog(UINT template_id);
    virtual ~Dialog() = default;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog until EndDialog; returns its result (IDOK, IDCANCEL),
    // or -1 when the template cannot be loaded.
    INT_PTR DoModal(HWND parent);
    // The same as a Unicode window: the template's texts reach the controls
    // as UTF-16. The ANSI run passes them through the ANSI code page, which
    // turns Chinese into "?" outside code page 936.
    INT_PTR DoModalWide(HWND parent);

    HWND Handle() const { return window_; }
    HWND Item(int id) const { return GetDlgItem(window_, id); }
    void EndDialog(INT_PTR result);

    // Moves values between the controls and the fields through
    // DoDataExchange. Saving stops at the first value that breaks its rule
    // (after the framework's message) and returns false.
    bool UpdateData(bool save);

  protected:
    // A handler answers the message; its value goes back to the sender.
    using MessageHandler = std::function<LRESULT(WPARAM, LPARAM)>;
    using CommandHandler = std::function<void()>;

    // Called by a message handler that wants the dialog's default
    // processing after all (its return value is then ignored).
    void PassOn() { pass_on_ = true; }

    // Table entries. A message without an entry gets the dialog's default
    // processing; a command without an entry too, except IDOK and IDCANCEL,
    // which call OnOK and OnCancel. WM_DRAWITEM without an entry goes to the
    // control as kReflectedDrawItem.
    void OnMessage(UINT message, MessageHandler handler);
    // Commands from a control or menu item `id`; `code` limits the entry to
    // one notification code (BN_CLICKED is 0, as menus send).
    void OnCommand(int id, CommandHandler handler);
    void OnCommand(int id, WORD code, CommandHandler handler);

    // WM_INITDIALOG: fills the controls from the fields. The value is what
    // the dialog procedure returns (TRUE: the system sets the focus).
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(DataExchange&) {}
    // Take the control values and close with IDOK when they pass.
    virtual void OnOK();
    virtual void OnCancel();

  private:
    struct MessageEntry {
        UINT message;
        MessageHandler handler;
    };
    struct CommandEntry {
        int id;
        bool any_code;
        WORD code;
        CommandHandler handler;
    };

    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    bool Dispatch(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);
    bool DispatchCommand(WPARAM wparam);

    UINT template_id_;
    HWND window_ = nullptr;
    bool pass_on_ = false;
    std::vector<MessageEntry> messages_;
    std::vector<CommandEntry> commands_;
};

}  // namespace tarnik::ui
