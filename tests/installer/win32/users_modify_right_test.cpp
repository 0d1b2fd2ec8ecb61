// The rights step of the installer against a fake of the two security calls:
// Wine grants every write, so the refusals Windows gives a caller without
// the right come from the fake.
#include "installer/win32/users_modify_right.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tarnik::ostrel {
namespace {

std::vector<BYTE> WellKnownSid(WELL_KNOWN_SID_TYPE type) {
    std::vector<BYTE> sid(SECURITY_MAX_SID_SIZE);
    DWORD size = static_cast<DWORD>(sid.size());
    CreateWellKnownSid(type, nullptr, sid.data(), &size);
    sid.resize(size);
    return sid;
}

// Hands out a list holding one entry (Administrators: everything) and keeps
// the entries of the list written back as "SID-TYPE MASK" texts.
class FakeFileSecurity : public FileSecurity {
  public:
    DWORD read_error = ERROR_SUCCESS;
    DWORD write_error = ERROR_SUCCESS;
    std::vector<std::string> written;  // one text per entry
    int writes = 0;

    DWORD ReadAccessList(const char*, PACL* list, PSECURITY_DESCRIPTOR* descriptor) override {
        if (read_error != ERROR_SUCCESS) {
            return read_error;
        }
        const DWORD size = 256;
        auto* acl = static_cast<PACL>(LocalAlloc(LPTR, size));
        InitializeAcl(acl, size, ACL_REVISION);
        std::vector<BYTE> admins = WellKnownSid(WinBuiltinAdministratorsSid);
        AddAccessAllowedAce(acl, ACL_REVISION, GENERIC_ALL, admins.data());
        *list = acl;
        *descriptor = acl;  // freed by the caller with LocalFree
        return ERROR_SUCCESS;
    }
    DWORD WriteAccessList(const char*, PACL list) override {
        ++writes;
        for (DWORD i = 0; list != nullptr && i < list->AceCount; ++i) {
            void* entry = nullptr;
            GetAce(list, i, &entry);
            const auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(entry);
            PSID sid = const_cast<DWORD*>(&allowed->SidStart);
            const char* who = IsWellKnownSid(sid, WinBuiltinUsersSid)            ? "users"
                              : IsWellKnownSid(sid, WinBuiltinAdministratorsSid) ? "admins"
                                                                                 : "other";
            written.push_back(std::string(who) + " " + std::to_string(allowed->Header.AceType) +
                              " " + std::to_string(allowed->Mask));
        }
        return write_error;
    }
};

TEST(LetUsersModify, GrantsModifyToUsersAndKeepsTheOtherEntries) {
    const std::string users_modify = "users 0 " + std::to_string(kUsersModifyAccess);
    const std::string admins_all = "admins 0 " + std::to_string(GENERIC_ALL);
    const struct {
        const char* label;
        DWORD read_error;
        DWORD write_error;
        bool granted;
        int writes;
    } cases[] = {
        {"an elevated installer", ERROR_SUCCESS, ERROR_SUCCESS, true, 1},
        {"the list cannot be read", ERROR_ACCESS_DENIED, ERROR_SUCCESS, false, 0},
        {"the list cannot be written", ERROR_SUCCESS, ERROR_ACCESS_DENIED, false, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        FakeFileSecurity security;
        security.read_error = c.read_error;
        security.write_error = c.write_error;
        EXPECT_EQ(LetUsersModify("c:\\program files\\Tarnik\\tarnik.ini", security), c.granted);
        EXPECT_EQ(security.writes, c.writes);
        if (c.writes != 0) {
            // Granting adds an entry; the list keeps the one it had.
            ASSERT_EQ(security.written.size(), 2u);
            EXPECT_NE(std::find(security.written.begin(), security.written.end(), users_modify),
                      security.written.end());
            EXPECT_NE(std::find(security.written.begin(), security.written.end(), admins_all),
                      security.written.end());
        }
    }
}

// Modify, not full control: users must not change who may use the file.
TEST(LetUsersModify, ModifyIsNoRightOverTheAccessList) {
    EXPECT_EQ(kUsersModifyAccess & (WRITE_DAC | WRITE_OWNER), 0u);
    EXPECT_EQ(kUsersModifyAccess & (FILE_WRITE_DATA | FILE_APPEND_DATA | DELETE),
              static_cast<DWORD>(FILE_WRITE_DATA | FILE_APPEND_DATA | DELETE));
}

}  // namespace
}  // namespace tarnik::ostrel
