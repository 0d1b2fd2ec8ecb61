#pragma once
// The installer's application object: runs the installer's window as the
// main window; the program ends when it closes.

namespace tarnik::ostrel {

class COstrelApp {
  public:
    int Run();
};

}  // namespace tarnik::ostrel
