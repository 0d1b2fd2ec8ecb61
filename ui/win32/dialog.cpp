#include "ui/win32/dialog.h"

#include <utility>

#include "ui/win32/data_exchange.h"
#include "ui/win32/resources.h"

namespace tarnik::ui {

Dialog::Dialog(UINT template_id) : template_id_(template_id) {}

// A Unicode dialog: the template's texts reach the controls as UTF-16, so
// Chinese captions stay whole whatever the system's code page (an ANSI
// dialog would pass them through it and show "?" on an English Windows).
INT_PTR Dialog::DoModal(HWND parent) {
    return DialogBoxParamW(ResourceModule(), MAKEINTRESOURCEW(template_id_), parent, &Procedure,
                           reinterpret_cast<LPARAM>(this));
}

INT_PTR Dialog::DoModalWide(HWND parent) {
    return DialogBoxParamW(ResourceModule(), MAKEINTRESOURCEW(template_id_), parent, &Procedure,
                           reinterpret_cast<LPARAM>(this));
}

void Dialog::EndDialog(INT_PTR result) {
    ::EndDialog(window_, result);
}

bool Dialog::UpdateData(bool save) {
    DataExchange exchange(window_, save);
    DoDataExchange(exchange);
    return !exchange.Failed();
}

void Dialog::OnMessage(UINT message, MessageHandler handler) {
    messages_.push_back({message, std::move(handler)});
}

void Dialog::OnCommand(int id, CommandHandler handler) {
    commands_.push_back({id, true, 0, std::move(handler)});
}

void Dialog::OnCommand(int id, WORD code, CommandHandler handler) {
    commands_.push_back({id, false, code, std::move(handler)});
}

BOOL Dialog::OnInitDialog() {
    UpdateData(false);
    return TRUE;
}

void Dialog::OnOK() {
    if (UpdateData(true)) {
        EndDialog(IDOK);
    }
}

void Dialog::OnCancel() {
    EndDialog(IDCANCEL);
}

INT_PTR CALLBACK Dialog::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<Dialog*>(lparam);
        SetWindowLongPtrA(window, DWLP_USER, lparam);
        self->window_ = window;
        return self->OnInitDialog();
    }
    auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(window, DWLP_USER));
    if (self == nullptr) {
        return FALSE;
    }
    LRESULT result = 0;
    if (!self->Dispatch(message, wparam, lparam, result)) {
        return FALSE;
    }
    // Messages whose answer is the procedure's own return value; every other
    // answer goes through DWLP_MSGRESULT.
    switch (message) {
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_QUERYDRAGICON:
            return static_cast<INT_PTR>(result);
        default:
            SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
            return TRUE;
    }
}

bool Dialog::Dispatch(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
    if (message == WM_COMMAND && DispatchCommand(wparam)) {
        return true;
    }
    for (const MessageEntry& entry : messages_) {
        if (entry.message == message) {
            pass_on_ = false;
            result = entry.handler(wparam, lparam);
            return !std::exchange(pass_on_, false);
        }
    }
    if (message == WM_DRAWITEM && lparam != 0) {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
        if (item->CtlType != ODT_MENU &&
            SendMessageA(item->hwndItem, kReflectedDrawItem, wparam, lparam) != 0) {
            result = TRUE;
            return true;
        }
    }
    if (message == WM_COMMAND && HIWORD(wparam) == BN_CLICKED) {
        if (LOWORD(wparam) == IDOK) {
            OnOK();
            return true;
        }
        if (LOWORD(wparam) == IDCANCEL) {
            OnCancel();
            return true;
        }
    }
    return false;
}

bool Dialog::DispatchCommand(WPARAM wparam) {
    const int id = LOWORD(wparam);
    const WORD code = HIWORD(wparam);
    for (const CommandEntry& entry : commands_) {
        if (entry.id == id && (entry.any_code || entry.code == code)) {
            entry.handler();
            return true;
        }
    }
    return false;
}

}  // namespace tarnik::ui
