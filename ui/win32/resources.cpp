#include "ui/win32/resources.h"

#include <array>

namespace tarnik::ui {
namespace {

HINSTANCE g_resource_module = nullptr;

// Longest string of a string table entry (the resource format counts
// characters in 16 bits; no text of these programs comes near this).
constexpr int kStringBufferSize = 1024;

}  // namespace

HINSTANCE ResourceModule() {
    return g_resource_module != nullptr ? g_resource_module : GetModuleHandleA(nullptr);
}

void SetResourceModule(HINSTANCE module) {
    g_resource_module = module;
}

std::string LoadResourceString(UINT id) {
    std::array<char, kStringBufferSize> buffer = {};
    const int length = LoadStringA(ResourceModule(), id, buffer.data(), kStringBufferSize);
    return length > 0 ? std::string(buffer.data(), static_cast<size_t>(length)) : std::string();
}

std::string ApplicationName() {
    std::array<char, MAX_PATH + 1> path = {};
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), MAX_PATH);
    std::string name(path.data(), length);
    const size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos) {
        name.erase(0, slash + 1);
    }
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos) {
        name.erase(dot);
    }
    return name;
}

int AppMessageBox(HWND owner, const char* text, UINT type) {
    const std::string caption = ApplicationName();
    return MessageBoxA(owner, text, caption.c_str(), type);
}

}  // namespace tarnik::ui
