// Entry point of tarnik.exe: the application object does everything.
#include <windows.h>

#include "sender/app/win32/sender_app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    tarnik::CTestApp app;
    return app.Run();
}
