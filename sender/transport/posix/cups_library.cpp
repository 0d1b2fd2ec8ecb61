#include "sender/transport/posix/cups_library.h"

#include <dlfcn.h>

#include <mutex>
#include <string>

namespace tarnik {
namespace {

std::string g_error;

template <typename Function>
bool Resolve(void* handle, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(handle, name));
    if (function == nullptr)
        g_error = std::string("libcups has no ") + name;
    return function != nullptr;
}

bool Load(CupsLibrary& library) {
    void* handle = dlopen("libcups.so.2", RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* reason = dlerror();
        g_error = std::string("the CUPS library cannot be loaded: ") + (reason ? reason : "?");
        return false;
    }
    // The handle stays open for the life of the process.
    return Resolve(handle, "httpClose", library.httpClose) &&
           Resolve(handle, "httpConnect2", library.httpConnect2) &&
           Resolve(handle, "cupsServer", library.cupsServer) &&
           Resolve(handle, "ippPort", library.ippPort) &&
           Resolve(handle, "cupsEncryption", library.cupsEncryption) &&
           Resolve(handle, "cupsLastError", library.cupsLastError) &&
           Resolve(handle, "cupsLastErrorString", library.cupsLastErrorString) &&
           Resolve(handle, "cupsWriteRequestData", library.cupsWriteRequestData) &&
           Resolve(handle, "cupsCancelJob2", library.cupsCancelJob2) &&
           Resolve(handle, "cupsGetNamedDest", library.cupsGetNamedDest) &&
           Resolve(handle, "cupsFreeDests", library.cupsFreeDests) &&
           Resolve(handle, "cupsCreateJob", library.cupsCreateJob) &&
           Resolve(handle, "cupsStartDocument", library.cupsStartDocument) &&
           Resolve(handle, "cupsFinishDocument", library.cupsFinishDocument);
}

}  // namespace

const CupsLibrary* LoadCupsLibrary() {
    static std::once_flag once;
    static CupsLibrary library;
    static bool loaded = false;
    std::call_once(once, [] { loaded = Load(library); });
    return loaded ? &library : nullptr;
}

const char* LoadCupsError() {
    return g_error.c_str();
}

}  // namespace tarnik
