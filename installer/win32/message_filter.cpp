#include "installer/win32/message_filter.h"

#include <ole2.h>
#include <oledlg.h>

#include "installer/busy_call_wait.h"

namespace tarnik::ostrel {
namespace {

constexpr DWORD kCancelCall = static_cast<DWORD>(-1);
// While a call waits, COM asks the filter only when a message is posted or
// sent (timer messages do not wake its wait): a thread of the session posts
// one every kWakeMs, so the busy choice shows without a click.
constexpr DWORD kWakeMs = 500;
constexpr UINT kWakeMessage = WM_APP + 1;

// COM interfaces have no virtual destructor: objects end through Release.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class BusyServerFilter final : public IMessageFilter {
  public:
    BusyServerFilter() : wait_([this] { return AskUser(); }) {}
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
        task_ = task;
        const std::optional<uint32_t> pause =
            wait_.RetryAfter(elapsed_ms, reject_type == SERVERCALL_REJECTED);
        return pause ? *pause : kCancelCall;
    }
    // A call CorelDRAW took and has not answered: after the patience, the
    // user may cancel it, which ends the install run.
    DWORD STDMETHODCALLTYPE MessagePending(HTASK task, DWORD elapsed_ms, DWORD) override {
        task_ = task;
        // COM's wait leaves posted messages in the queue and wakes only for
        // new ones: the wake messages are taken, so the next one wakes it.
        MSG wake;
        while (PeekMessageA(&wake, reinterpret_cast<HWND>(-1), kWakeMessage, kWakeMessage,
                            PM_REMOVE)) {
        }
        return wait_.KeepWaiting(elapsed_ms) ? PENDINGMSG_WAITDEFPROCESS : PENDINGMSG_CANCELCALL;
    }

  private:
    // The system's busy dialog; where the system has none, a box with the
    // same choice.
    bool AskUser() {
        OLEUIBUSYA busy = {};
        busy.cbStruct = sizeof busy;
        busy.hWndOwner = owner_;
        busy.hTask = task_;
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
                                   "Choose Retry to wait for it again, Cancel to stop.",
                                   "Server Busy", MB_RETRYCANCEL | MB_ICONEXCLAMATION) == IDRETRY;
        }
    }

    HWND owner_ = nullptr;
    HTASK task_ = nullptr;
    installer::BusyCallWait wait_;
};
#pragma GCC diagnostic pop

BusyServerFilter g_filter;

}  // namespace

DWORD WINAPI OleSession::PostWakeMessages(void* session) {
    const auto* self = static_cast<const OleSession*>(session);
    while (WaitForSingleObject(self->wake_stop_, kWakeMs) == WAIT_TIMEOUT) {
        PostThreadMessageA(self->thread_, kWakeMessage, 0, 0);
    }
    return 0;
}

bool OleSession::Start(HWND owner) {
    if (FAILED(OleInitialize(nullptr))) {
        return false;
    }
    started_ = true;
    g_filter.SetOwner(owner);
    CoRegisterMessageFilter(&g_filter, &previous_filter_);
    wake_stop_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = GetCurrentThreadId();
    if (wake_stop_ != nullptr) {
        waker_ = CreateThread(nullptr, 0, &PostWakeMessages, this, 0, nullptr);
    }
    return true;
}

OleSession::~OleSession() {
    if (!started_) {
        return;
    }
    if (waker_ != nullptr) {
        SetEvent(wake_stop_);
        WaitForSingleObject(waker_, INFINITE);
        CloseHandle(waker_);
    }
    if (wake_stop_ != nullptr) {
        CloseHandle(wake_stop_);
    }
    IMessageFilter* ours = nullptr;
    CoRegisterMessageFilter(previous_filter_, &ours);
    if (previous_filter_ != nullptr) {
        previous_filter_->Release();
    }
    OleUninitialize();
}

}  // namespace tarnik::ostrel
