#include "installer/win32/automation_client.h"

#include <ole2.h>

#include <cstdio>
#include <string>

#include "installer/busy_call_wait.h"
#include "ui/win32/resources.h"

namespace tarnik::ostrel {
namespace {

using installer::CallKind;
using installer::Value;
using installer::ValueType;

constexpr DWORD kAllContexts =
    CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;

// ANSI text (the installer's paths) as an automation string's characters.
std::wstring Widen(const std::string& text) {
    const int size = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(size > 0 ? size : 1), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), size);
    wide.resize(wide.size() - 1);
    return wide;
}

std::string Narrow(const wchar_t* text, UINT length) {
    if (text == nullptr || length == 0) {
        return {};
    }
    const int wide_length = static_cast<int>(length);
    const int size =
        WideCharToMultiByte(CP_ACP, 0, text, wide_length, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(size > 0 ? size : 0), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, wide_length, narrow.data(), size, nullptr, nullptr);
    return narrow;
}

// The argument as the server expects it; false when a string cannot be had.
bool FillArgument(const Value& argument, VARIANT& variant) {
    switch (argument.type) {
        case ValueType::kBool:
            variant.vt = VT_BOOL;
            variant.boolVal = argument.flag ? VARIANT_TRUE : VARIANT_FALSE;
            return true;
        case ValueType::kInt:
            // The collection takes its item number as VT_INT.
            variant.vt = VT_INT;
            variant.intVal = argument.number;
            return true;
        case ValueType::kString:
            variant.vt = VT_BSTR;
            variant.bstrVal = SysAllocString(Widen(argument.text).c_str());
            return variant.bstrVal != nullptr;
        default:
            return true;
    }
}

WORD DispatchFlags(CallKind kind) {
    switch (kind) {
        case CallKind::kMethod:
            return DISPATCH_METHOD;
        case CallKind::kPropertyGet:
            return DISPATCH_PROPERTYGET;
        default:
            return DISPATCH_PROPERTYPUT;
    }
}

}  // namespace

AutomationClient::~AutomationClient() {
    if (abandoned_) {
        for (ComRef<IDispatch>& object : objects_) {
            object.Abandon();
        }
    }
}

bool AutomationClient::CreateApplication(const char* prog_id) {
    objects_.clear();
    const std::wstring name = Widen(prog_id);
    CLSID clsid = {};
    const HRESULT resolved = name.starts_with(L"{") ? CLSIDFromString(name.c_str(), &clsid)
                                                    : CLSIDFromProgID(name.c_str(), &clsid);
    if (FAILED(resolved)) {
        return false;
    }
    ComRef<IUnknown> unknown;
    HRESULT status =
        CoCreateInstance(clsid, nullptr, kAllContexts, IID_IUnknown, unknown.Receive());
    if (status == E_INVALIDARG) {
        // Systems without remote activation refuse the remote context.
        status = CoCreateInstance(clsid, nullptr, kAllContexts & ~CLSCTX_REMOTE_SERVER,
                                  IID_IUnknown, unknown.Receive());
    }
    if (FAILED(status) || FAILED(OleRun(unknown.Get()))) {
        return false;
    }
    ComRef<IDispatch> application;
    if (FAILED(unknown->QueryInterface(IID_IDispatch, application.Receive()))) {
        return false;
    }
    objects_.push_back(std::move(application));
    return true;
}

bool AutomationClient::Call(installer::ObjectId object, long dispid, CallKind kind,
                            const Value& argument, ValueType expected, Value& result) {
    if (object < 0 || static_cast<size_t>(object) >= objects_.size()) {
        ReportError(dispid, E_POINTER, nullptr);
        return false;
    }
    Variant argument_variant;
    if (!FillArgument(argument, *argument_variant.Get())) {
        ReportError(dispid, E_OUTOFMEMORY, nullptr);
        return false;
    }
    DISPPARAMS parameters = {};
    if (argument.type != ValueType::kNone) {
        parameters.rgvarg = argument_variant.Get();
        parameters.cArgs = 1;
    }
    DISPID named = DISPID_PROPERTYPUT;
    if (kind == CallKind::kPropertyPut) {
        parameters.rgdispidNamedArgs = &named;
        parameters.cNamedArgs = 1;
    }
    Variant answer;
    ExceptionInfo exception;
    UINT argument_error = 0;
    const HRESULT status = objects_[static_cast<size_t>(object)]->Invoke(
        static_cast<DISPID>(dispid), IID_NULL, LOCALE_USER_DEFAULT, DispatchFlags(kind),
        &parameters, kind == CallKind::kPropertyPut ? nullptr : answer.Get(), exception.Get(),
        &argument_error);
    if (FAILED(status)) {
        ReportError(dispid, status, status == DISP_E_EXCEPTION ? &*exception : nullptr);
        return false;
    }
    if (!Convert(*answer.Get(), expected, result)) {
        ReportError(dispid, DISP_E_TYPEMISMATCH, nullptr);
        return false;
    }
    return true;
}

bool AutomationClient::Convert(VARIANT& value, ValueType expected, Value& result) {
    result = Value::None();
    if (expected == ValueType::kNone) {
        return true;
    }
    const VARTYPE wanted = expected == ValueType::kBool     ? VT_BOOL
                           : expected == ValueType::kInt    ? VT_I4
                           : expected == ValueType::kString ? VT_BSTR
                                                            : VT_DISPATCH;
    Variant converted;
    if (FAILED(VariantChangeType(converted.Get(), &value, 0, wanted))) {
        return false;
    }
    const VARIANT& v = *converted;
    result.type = expected;
    switch (expected) {
        case ValueType::kBool:
            result.flag = v.boolVal != VARIANT_FALSE;
            return true;
        case ValueType::kInt:
            result.number = static_cast<int>(v.lVal);
            return true;
        case ValueType::kString:
            result.text = Narrow(v.bstrVal, SysStringLen(v.bstrVal));
            return true;
        default:
            if (v.pdispVal == nullptr) {
                return false;
            }
            result.object = static_cast<installer::ObjectId>(objects_.size());
            objects_.push_back(ComRef<IDispatch>::Share(v.pdispVal));
            return true;
    }
}

// The framework's standard error box for a rejected automation call: the
// server's own description when it gave one, else the system's text for
// the status.
void AutomationClient::ReportError(long dispid, HRESULT status, const EXCEPINFO* info) {
    // The user cancelled a call CorelDRAW did not answer (busy choice).
    if (status == RPC_E_CALL_CANCELED || status == RPC_E_CALL_REJECTED) {
        abandoned_ = abandoned_ || status == RPC_E_CALL_CANCELED;
        MessageBoxA(owner_, installer::kCallCancelledMessage, "coreldraw setup",
                    MB_OK | MB_ICONERROR);
        return;
    }
    std::string text;
    if (info != nullptr && info->bstrDescription != nullptr) {
        text = Narrow(info->bstrDescription, SysStringLen(info->bstrDescription));
    }
    if (text.empty()) {
        char system_text[512] = {};
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                       static_cast<DWORD>(status), 0, system_text, sizeof system_text, nullptr);
        text = system_text;
    }
    char detail[96];
    std::snprintf(detail, sizeof detail, "\n(automation member 0x%08lX, error 0x%08lX)",
                  static_cast<unsigned long>(dispid), static_cast<unsigned long>(status));
    text += detail;
    ui::AppMessageBox(owner_, text.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace tarnik::ostrel
