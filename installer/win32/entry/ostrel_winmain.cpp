// Entry point of Ostrel.exe: the application object does everything.
#include <windows.h>

#include "installer/win32/ostrel_app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    tarnik::ostrel::COstrelApp app;
    return app.Run();
}
