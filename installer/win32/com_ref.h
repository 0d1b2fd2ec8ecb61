#pragma once
// Owning references to COM objects and automation values: released or
// cleared on every path out of their scope.
#include <windows.h>
// After windows.h, which it needs.
#include <oleauto.h>

#include <utility>

namespace tarnik::ostrel {

template <typename Interface>
class ComRef {
  public:
    ComRef() = default;
    ~ComRef() { Reset(); }
    ComRef(ComRef&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComRef& operator=(ComRef&& other) noexcept {
        if (this != &other) {
            Reset();
            pointer_ = std::exchange(other.pointer_, nullptr);
        }
        return *this;
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;

    // Takes a reference of its own to `pointer`.
    static ComRef Share(Interface* pointer) {
        ComRef ref;
        ref.pointer_ = pointer;
        if (pointer != nullptr) {
            pointer->AddRef();
        }
        return ref;
    }

    Interface* Get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    // For an out parameter: releases what is held first.
    void** Receive() {
        Reset();
        return reinterpret_cast<void**>(&pointer_);
    }
    // Lets go without releasing: for the proxy of an object whose server
    // does not answer, where the release itself would wait on it. COM
    // frees the server's side when this process ends.
    void Abandon() { pointer_ = nullptr; }
    void Reset() {
        if (pointer_ != nullptr) {
            std::exchange(pointer_, nullptr)->Release();
        }
    }

  private:
    Interface* pointer_ = nullptr;
};

class Variant {
  public:
    Variant() { VariantInit(&value_); }
    ~Variant() { VariantClear(&value_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;

    VARIANT* Get() { return &value_; }
    const VARIANT& operator*() const { return value_; }

  private:
    VARIANT value_;
};

// The strings an automation server fills into an exception record.
class ExceptionInfo {
  public:
    ExceptionInfo() = default;
    ~ExceptionInfo() {
        SysFreeString(info_.bstrSource);
        SysFreeString(info_.bstrDescription);
        SysFreeString(info_.bstrHelpFile);
    }
    ExceptionInfo(const ExceptionInfo&) = delete;
    ExceptionInfo& operator=(const ExceptionInfo&) = delete;

    EXCEPINFO* Get() { return &info_; }
    const EXCEPINFO& operator*() const { return info_; }

  private:
    EXCEPINFO info_ = {};
};

}  // namespace tarnik::ostrel
