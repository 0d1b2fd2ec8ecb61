#pragma once
// CorelDRAW's automation server reached through late-bound IDispatch calls
// by fixed dispatch identifiers. One client serves one install run and holds
// every object the run obtains; all of them are released with the client.
#include <windows.h>

#include <vector>

#include "installer/install_seams.h"
#include "installer/win32/com_ref.h"

namespace tarnik::ostrel {

class AutomationClient : public installer::Automation {
  public:
    // Rejected calls are reported in a box owned by `owner`.
    explicit AutomationClient(HWND owner) : owner_(owner) {}
    ~AutomationClient() override;
    AutomationClient(const AutomationClient&) = delete;
    AutomationClient& operator=(const AutomationClient&) = delete;

    bool CreateApplication(const char* prog_id) override;
    bool Call(installer::ObjectId object, long dispid, installer::CallKind kind,
              const installer::Value& argument, installer::ValueType expected,
              installer::Value& result) override;

  private:
    bool Convert(VARIANT& value, installer::ValueType expected, installer::Value& result);
    void ReportError(long dispid, HRESULT status, const EXCEPINFO* info);

    HWND owner_;
    // The user cancelled a call CorelDRAW did not answer: releasing the
    // run's objects would wait on it again.
    bool abandoned_ = false;
    // Index = ObjectId; the application object is the first.
    std::vector<ComRef<IDispatch>> objects_;
};

}  // namespace tarnik::ostrel
