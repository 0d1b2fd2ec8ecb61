#pragma once
// Lets the Users group change one installed file. The job sender keeps its
// settings in tarnik.ini beside the program, in the program folder, which a
// standard user may only read: without this right every settings change of
// such a user is refused (64-bit programs get no file virtualization). The
// installer runs elevated, so it can give the right once for everybody.
#include <windows.h>

namespace tarnik::ostrel {

// The two security calls the step needs, so that tests can refuse them as
// Windows does for a caller without the right (Wine grants everything).
class FileSecurity {
  public:
    virtual ~FileSecurity() = default;
    // The file's access list; `descriptor` owns it and is freed with
    // LocalFree. A Win32 error code, ERROR_SUCCESS when it was read.
    virtual DWORD ReadAccessList(const char* path, PACL* list,
                                 PSECURITY_DESCRIPTOR* descriptor) = 0;
    virtual DWORD WriteAccessList(const char* path, PACL list) = 0;
};

// GetNamedSecurityInfoA and SetNamedSecurityInfoA on the file.
class NamedFileSecurity : public FileSecurity {
  public:
    DWORD ReadAccessList(const char* path, PACL* list, PSECURITY_DESCRIPTOR* descriptor) override;
    DWORD WriteAccessList(const char* path, PACL list) override;
};

// The access the Users group gets: read, write, run and delete the file
// (what the file properties call "Modify"); no rights on the access list.
inline constexpr DWORD kUsersModifyAccess =
    FILE_GENERIC_READ | FILE_GENERIC_WRITE | FILE_GENERIC_EXECUTE | DELETE;

// Adds an entry granting the built-in Users group (named by its well-known
// SID, so a translated group name does not matter) kUsersModifyAccess to the
// file's access list, keeping every other entry. False when the list could
// not be read, built or written.
bool LetUsersModify(const char* path, FileSecurity& security);

}  // namespace tarnik::ostrel
