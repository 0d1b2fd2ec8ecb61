// An in-process automation server that stands in for CorelDRAW in the
// installer's Wine tests. It answers the dispatch identifiers the installer
// calls from a script file beside the DLL and appends every call it gets to
// a record file there:
//
//   stand_in_script.txt   vba=1 | 0            VBA available
//                         gms=C:\...\         the GMS folder returned
//                         base=C:\...\        the base folder of the settings file
//                         projects=A|B|C       macro project names, in order
//                         reject=60020045      a dispatch id refused with an exception
//                         block=60020045       a dispatch id taken and not answered
//                                              until stand_in_release.txt appears
//                                              (CorelDRAW stuck in a dialog of its own)
//   stand_in_calls.txt    "create", then "OBJECT KIND DISPID[ TYPE:VALUE]" per call
//                         (OBJECT app, commands, settings, projects, projectN;
//                         KIND method, get, put; TYPE bool, int (VT_INT), i4, str),
//                         and "all released" once no object is left.
#include <windows.h>
// After windows.h, which it needs.
#include <oleauto.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

HMODULE g_module = nullptr;
LONG g_locks = 0;
LONG g_live_objects = 0;

struct Script {
    bool vba = true;
    std::wstring gms;
    std::wstring base;
    std::vector<std::wstring> projects;
    long reject = -1;
    long block = -1;
} g_script;

std::wstring Beside(const wchar_t* name) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(g_module, path, MAX_PATH);
    std::wstring folder(path);
    folder.resize(folder.rfind(L'\\') + 1);
    return folder + name;
}

std::string Utf8(const std::wstring& text) {
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes.data(), size, nullptr, nullptr);
    bytes.resize(bytes.size() - 1);
    return bytes;
}

std::wstring Wide(const std::string& bytes) {
    const int size = MultiByteToWideChar(CP_UTF8, 0, bytes.c_str(), -1, nullptr, 0);
    std::wstring text(static_cast<size_t>(size > 0 ? size : 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.c_str(), -1, text.data(), size);
    text.resize(text.size() - 1);
    return text;
}

void Record(const std::string& line) {
    FILE* file = _wfopen(Beside(L"stand_in_calls.txt").c_str(), L"ab");
    if (file != nullptr) {
        std::fprintf(file, "%s\n", line.c_str());
        std::fclose(file);
    }
}

void LoadScript() {
    g_script = Script();
    FILE* in = _wfopen(Beside(L"stand_in_script.txt").c_str(), L"rb");
    if (in == nullptr) {
        return;
    }
    char buffer[1024];
    while (std::fgets(buffer, sizeof buffer, in) != nullptr) {
        std::string line = buffer;
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) {
            line.pop_back();
        }
        const size_t equals = line.find('=');
        if (equals == std::string::npos) {
            continue;
        }
        const std::string key = line.substr(0, equals);
        const std::string value = line.substr(equals + 1);
        if (key == "vba") {
            g_script.vba = value == "1";
        } else if (key == "gms") {
            g_script.gms = Wide(value);
        } else if (key == "base") {
            g_script.base = Wide(value);
        } else if (key == "block") {
            g_script.block = static_cast<long>(std::strtoul(value.c_str(), nullptr, 16));
        } else if (key == "reject") {
            g_script.reject = static_cast<long>(std::strtoul(value.c_str(), nullptr, 16));
        } else if (key == "projects") {
            size_t start = 0;
            for (;;) {
                const size_t bar = value.find('|', start);
                g_script.projects.push_back(Wide(value.substr(start, bar - start)));
                if (bar == std::string::npos) {
                    break;
                }
                start = bar + 1;
            }
        }
    }
    std::fclose(in);
}

std::string Argument(const VARIANT& v) {
    switch (v.vt) {
        case VT_BOOL:
            return v.boolVal == VARIANT_TRUE ? " bool:true" : " bool:false";
        case VT_INT:
            return " int:" + std::to_string(v.intVal);
        case VT_I4:
            return " i4:" + std::to_string(v.lVal);
        case VT_BSTR:
            return " str:" + Utf8(v.bstrVal != nullptr ? v.bstrVal : L"");
        default:
            return " vt" + std::to_string(v.vt);
    }
}

// Holds the call (and the thread that serves it) until the test releases
// it, a minute at most.
void BlockUntilReleased() {
    Record("blocked");
    const std::wstring release = Beside(L"stand_in_release.txt");
    for (int waited = 0; waited < 600; ++waited) {
        if (GetFileAttributesW(release.c_str()) != INVALID_FILE_ATTRIBUTES) {
            break;
        }
        Sleep(100);
    }
    Record("released");
}

enum class Kind { kApplication, kCommands, kSettings, kProjects, kProject };

// COM interfaces have no virtual destructor: objects end through Release.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class StandIn final : public IDispatch {
  public:
    StandIn(Kind kind, int item) : kind_(kind), item_(item) {
        InterlockedIncrement(&g_live_objects);
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (id == IID_IUnknown || id == IID_IDispatch) {
            *object = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&references_));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) {
            delete this;
            if (InterlockedDecrement(&g_live_objects) == 0) {
                Record("all released");
            }
        }
        return static_cast<ULONG>(left);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return DISP_E_UNKNOWNNAME;
    }

    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT*) override {
        char line[64];
        const char* kind = (flags & DISPATCH_METHOD)        ? "method"
                           : (flags & DISPATCH_PROPERTYGET) ? "get"
                                                            : "put";
        std::snprintf(line, sizeof line, "%s %s %lX", Name().c_str(), kind,
                      static_cast<unsigned long>(dispid));
        std::string call = line;
        const UINT positional = params->cArgs - params->cNamedArgs;
        if (params->cArgs > 0) {
            call += Argument(params->rgvarg[0]);
        }
        if ((flags & DISPATCH_PROPERTYPUT) &&
            (params->cNamedArgs != 1 || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)) {
            call += " (without DISPID_PROPERTYPUT)";
        }
        Record(call);
        if (dispid == g_script.block) {
            BlockUntilReleased();
        }
        if (dispid == g_script.reject && exception != nullptr) {
            *exception = EXCEPINFO();
            exception->bstrSource = SysAllocString(L"stand-in");
            exception->bstrDescription = SysAllocString(L"The stand-in server refuses this call.");
            exception->scode = E_FAIL;
            return DISP_E_EXCEPTION;
        }
        return Answer(dispid, positional > 0 ? &params->rgvarg[0] : nullptr, result);
    }

  private:
    std::string Name() const {
        switch (kind_) {
            case Kind::kApplication:
                return "app";
            case Kind::kCommands:
                return "commands";
            case Kind::kSettings:
                return "settings";
            case Kind::kProjects:
                return "projects";
            default:
                return "project" + std::to_string(item_);
        }
    }

    static HRESULT Object(VARIANT* result, Kind kind, int item = 0) {
        if (result != nullptr) {
            result->vt = VT_DISPATCH;
            result->pdispVal = new StandIn(kind, item);
        }
        return S_OK;
    }
    static HRESULT Text(VARIANT* result, const std::wstring& text) {
        if (result != nullptr) {
            result->vt = VT_BSTR;
            result->bstrVal = SysAllocString(text.c_str());
        }
        return S_OK;
    }
    static HRESULT Flag(VARIANT* result, bool flag) {
        if (result != nullptr) {
            result->vt = VT_BOOL;
            result->boolVal = flag ? VARIANT_TRUE : VARIANT_FALSE;
        }
        return S_OK;
    }

    HRESULT Answer(DISPID dispid, VARIANT* argument, VARIANT* result) {
        const unsigned long id = static_cast<unsigned long>(dispid);
        switch (kind_) {
            case Kind::kApplication:
                switch (id) {
                    case 0x6002005F:
                    case 0x60020051:
                        return Flag(result, g_script.vba);
                    case 0x6002001F:
                        return Object(result, Kind::kCommands);
                    case 0x6002004E:
                    case 0x60020044:
                        return Object(result, Kind::kSettings);
                    case 0x60020041:
                        return Object(result, Kind::kProjects);
                    case 0x6002006B:
                        return Text(result, g_script.base);
                    case 0x60020002:
                    case 0x6002004F:
                    case 0x60020045:
                    case 0x60020011:
                    case 0x6002000E:
                        return S_OK;
                    default:
                        return DISP_E_MEMBERNOTFOUND;
                }
            case Kind::kSettings:
                return id == 0x60020000 ? Text(result, g_script.gms) : DISP_E_MEMBERNOTFOUND;
            case Kind::kProjects:
                if (id == 0x60020001) {
                    if (result != nullptr) {
                        result->vt = VT_I4;
                        result->lVal = static_cast<LONG>(g_script.projects.size());
                    }
                    return S_OK;
                }
                if (id == 0 && argument != nullptr) {
                    VARIANT number;
                    VariantInit(&number);
                    if (FAILED(VariantChangeType(&number, argument, 0, VT_I4))) {
                        return DISP_E_TYPEMISMATCH;
                    }
                    // Numbered from 1, like the real collection.
                    const int item = number.lVal;
                    if (item < 1 || item > static_cast<int>(g_script.projects.size())) {
                        return DISP_E_BADINDEX;
                    }
                    return Object(result, Kind::kProject, item);
                }
                return DISP_E_MEMBERNOTFOUND;
            case Kind::kProject:
                if (id == 0) {
                    return Text(result, g_script.projects[static_cast<size_t>(item_ - 1)]);
                }
                return id == 0x60020001 ? S_OK : DISP_E_MEMBERNOTFOUND;
            default:
                return DISP_E_MEMBERNOTFOUND;
        }
    }

    LONG references_ = 1;
    Kind kind_;
    int item_;
};

class Factory final : public IClassFactory {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (id == IID_IUnknown || id == IID_IClassFactory) {
            *object = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID id, void** object) override {
        *object = nullptr;
        if (outer != nullptr) {
            return CLASS_E_NOAGGREGATION;
        }
        LoadScript();
        Record("create");
        StandIn* application = new StandIn(Kind::kApplication, 0);
        const HRESULT status = application->QueryInterface(id, object);
        application->Release();
        return status;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        lock ? InterlockedIncrement(&g_locks) : InterlockedDecrement(&g_locks);
        return S_OK;
    }
};
#pragma GCC diagnostic pop

Factory g_factory;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = module;
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID, REFIID id, LPVOID* object) {
    return g_factory.QueryInterface(id, object);
}

STDAPI DllCanUnloadNow() {
    return g_locks == 0 && g_live_objects == 0 ? S_OK : S_FALSE;
}
