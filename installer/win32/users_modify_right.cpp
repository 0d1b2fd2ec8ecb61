#include "installer/win32/users_modify_right.h"

#include <aclapi.h>

#include <array>
#include <memory>

namespace tarnik::ostrel {
namespace {

struct LocalFreer {
    void operator()(void* memory) const { LocalFree(memory); }
};
using LocalMemory = std::unique_ptr<void, LocalFreer>;

}  // namespace

DWORD NamedFileSecurity::ReadAccessList(const char* path, PACL* list,
                                        PSECURITY_DESCRIPTOR* descriptor) {
    return GetNamedSecurityInfoA(path, SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                                 list, nullptr, descriptor);
}

DWORD NamedFileSecurity::WriteAccessList(const char* path, PACL list) {
    // The file's own path is only read by the call, whatever its signature.
    return SetNamedSecurityInfoA(const_cast<char*>(path), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION,
                                 nullptr, nullptr, list, nullptr);
}

bool LetUsersModify(const char* path, FileSecurity& security) {
    PACL old_list = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (security.ReadAccessList(path, &old_list, &descriptor) != ERROR_SUCCESS) {
        return false;
    }
    const LocalMemory owned_descriptor(descriptor);

    std::array<BYTE, SECURITY_MAX_SID_SIZE> users = {};
    DWORD users_size = static_cast<DWORD>(users.size());
    if (!CreateWellKnownSid(WinBuiltinUsersSid, nullptr, users.data(), &users_size)) {
        return false;
    }
    EXPLICIT_ACCESSA grant = {};
    grant.grfAccessPermissions = kUsersModifyAccess;
    grant.grfAccessMode = GRANT_ACCESS;
    grant.grfInheritance = NO_INHERITANCE;
    grant.Trustee.TrusteeForm = TRUSTEE_IS_SID;
    grant.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
    grant.Trustee.ptstrName = reinterpret_cast<LPSTR>(users.data());

    PACL new_list = nullptr;
    if (SetEntriesInAclA(1, &grant, old_list, &new_list) != ERROR_SUCCESS) {
        return false;
    }
    const LocalMemory owned_list(new_list);
    return security.WriteAccessList(path, new_list) == ERROR_SUCCESS;
}

}  // namespace tarnik::ostrel
