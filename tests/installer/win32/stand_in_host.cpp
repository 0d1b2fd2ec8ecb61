// Serves the stand-in automation server from a process of its own, as
// CorelDRAW serves its objects: registered as the class's LocalServer32
// ("stand_in_host.exe {CLSID}"), it loads automation_stand_in.dll from its
// own folder, registers the DLL's class factory for one client (the next
// client starts a host of its own) and serves calls until the last object
// is released, stand_in_quit.txt appears beside it, or two minutes pass.
// Calls into another process are what the installer's message filter can
// bound.
#include <windows.h>
// After windows.h, which it needs.
#include <objbase.h>

#include <string>

namespace {

using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
using CanUnloadNow = HRESULT(WINAPI*)();

std::wstring Beside(const wchar_t* name) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder.resize(folder.rfind(L'\\') + 1);
    return folder + name;
}

// The first "{...}" word of the command line.
bool ClassOfCommandLine(CLSID& clsid) {
    const std::wstring line = GetCommandLineW();
    const size_t open = line.find(L'{');
    const size_t close = line.find(L'}', open);
    if (open == std::wstring::npos || close == std::wstring::npos) {
        return false;
    }
    return SUCCEEDED(CLSIDFromString(line.substr(open, close - open + 1).c_str(), &clsid));
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    CLSID clsid = {};
    if (!ClassOfCommandLine(clsid) || FAILED(CoInitialize(nullptr))) {
        return 1;
    }
    HMODULE server = LoadLibraryW(Beside(L"automation_stand_in.dll").c_str());
    if (server == nullptr) {
        return 1;
    }
    // Through the generic function type, which any function type casts to.
    auto get_class_object = reinterpret_cast<GetClassObject>(
        reinterpret_cast<void (*)()>(GetProcAddress(server, "DllGetClassObject")));
    auto can_unload = reinterpret_cast<CanUnloadNow>(
        reinterpret_cast<void (*)()>(GetProcAddress(server, "DllCanUnloadNow")));
    IUnknown* factory = nullptr;
    DWORD cookie = 0;
    if (get_class_object == nullptr || can_unload == nullptr ||
        FAILED(get_class_object(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory))) ||
        FAILED(CoRegisterClassObject(clsid, factory, CLSCTX_LOCAL_SERVER, REGCLS_SINGLEUSE,
                                     &cookie))) {
        return 1;
    }
    // Serves until objects were handed out and all of them are gone, or
    // the test is over (a client that abandoned its objects never lets go).
    SetTimer(nullptr, 0, 200, nullptr);
    const std::wstring quit = Beside(L"stand_in_quit.txt");
    bool served = false;
    const ULONGLONG end = GetTickCount64() + 120000;
    MSG message;
    while (GetTickCount64() < end && GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchMessageW(&message);
        const bool idle = can_unload() == S_OK;
        served = served || !idle;
        if ((served && idle) || GetFileAttributesW(quit.c_str()) != INVALID_FILE_ATTRIBUTES) {
            break;
        }
    }
    CoRevokeClassObject(cookie);
    factory->Release();
    CoUninitialize();
    return 0;
}
