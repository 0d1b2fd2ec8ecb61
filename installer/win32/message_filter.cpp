#include "installer/win32/message_filter.h"

#include <ole2.h>
#include <oledlg.h>

namespace tarnik::ostrel {
namespace {

// How long a busy server is retried quietly before the user is asked, and
// the pause between quiet retries.
constexpr DWORD kQuietRetryMs = 8000;
constexpr DWORD kRetryPauseMs = 100;
constexpr DWORD kCancelCall = static_cast<DWORD>(-1);

// COM interfaces have no virtual destructor: objects end through Release.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class BusyServerFilter final : public IMessageFilter {
  public:
    void SetOwner(HWND owner) { owner_ = owner; }

    // One object for the life of the program: no reference counting.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (id == IID_IUnknown || id == IID_IMessageFilter) {
            *object = this;
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO) override {
        return SERVERCALL_ISHANDLED;
    }
    DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK task, DWORD elapsed_ms,
                                              DWORD reject_type) override {
        if (reject_type == SERVERCALL_REJECTED) {
            return kCancelCall;
        }
        if (elapsed_ms < kQuietRetryMs) {
            return kRetryPauseMs;
        }
        return AskUser(task) ? 0 : kCancelCall;
    }
    DWORD STDMETHODCALLTYPE MessagePending(HTASK, DWORD, DWORD) override {
        return PENDINGMSG_WAITDEFPROCESS;
    }

  private:
    // The system's busy dialog; where the system has none, a box with the
    // same retry choice.
    bool AskUser(HTASK task) {
        OLEUIBUSYA busy = {};
        busy.cbStruct = sizeof busy;
        busy.hWndOwner = owner_;
        busy.hTask = task;
        switch (OleUIBusyA(&busy)) {
            case OLEUI_BZ_RETRYSELECTED:
            case OLEUI_BZ_SWITCHTOSELECTED:
            case OLEUI_BZ_CALLUNBLOCKED:
                return true;
            case OLEUI_CANCEL:
                return false;
            default:
                return MessageBoxA(owner_,
                                   "CorelDRAW is busy and does not answer.\n"
                                   "Choose Retry to wait for it again.",
                                   "Server Busy", MB_RETRYCANCEL | MB_ICONEXCLAMATION) == IDRETRY;
        }
    }

    HWND owner_ = nullptr;
};
#pragma GCC diagnostic pop

BusyServerFilter g_filter;

}  // namespace

bool OleSession::Start(HWND owner) {
    if (FAILED(OleInitialize(nullptr))) {
        return false;
    }
    started_ = true;
    g_filter.SetOwner(owner);
    CoRegisterMessageFilter(&g_filter, &previous_filter_);
    return true;
}

OleSession::~OleSession() {
    if (!started_) {
        return;
    }
    IMessageFilter* ours = nullptr;
    CoRegisterMessageFilter(previous_filter_, &ours);
    if (previous_filter_ != nullptr) {
        previous_filter_->Release();
    }
    OleUninitialize();
}

}  // namespace tarnik::ostrel
