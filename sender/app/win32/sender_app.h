#pragma once
// The job sender's application object: language, single instance, then the
// main window as a modal dialog for the life of the process.
#include <windows.h>

namespace tarnik {

class CTestApp {
  public:
    CTestApp() = default;
    ~CTestApp();
    CTestApp(const CTestApp&) = delete;
    CTestApp& operator=(const CTestApp&) = delete;

    // Runs start-up and the main window; returns the process exit code.
    int Run();

  private:
    HMODULE english_library_ = nullptr;
};

}  // namespace tarnik
