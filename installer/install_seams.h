#pragma once
// The three seams the install operation runs over: CorelDRAW's automation
// server, the file system, and the message boxes. The Windows program
// implements them with COM, the file and profile calls and MessageBoxA;
// tests implement them with recording fakes.
#include <string>
#include <utility>

namespace tarnik::installer {

// An automation object of one run: 0 is the application object, the seam
// numbers every object a call returns.
using ObjectId = int;
inline constexpr ObjectId kApplication = 0;

enum class CallKind { kMethod, kPropertyGet, kPropertyPut };
enum class ValueType { kNone, kBool, kInt, kString, kObject };

struct Value {
    ValueType type = ValueType::kNone;
    bool flag = false;
    int number = 0;
    std::string text;
    ObjectId object = -1;

    static Value None() { return {}; }
    static Value Bool(bool f) { return {ValueType::kBool, f, 0, {}, -1}; }
    static Value Int(int n) { return {ValueType::kInt, false, n, {}, -1}; }
    static Value String(std::string s) { return {ValueType::kString, false, 0, std::move(s), -1}; }
};

// CorelDRAW reached by late-bound calls by dispatch identifier. One seam
// object serves one run and holds every object the run obtains.
class Automation {
  public:
    virtual ~Automation() = default;
    // Creates the application object from its ProgID; false when that
    // version is not installed.
    virtual bool CreateApplication(const char* prog_id) = 0;
    // One call on `object`; `result` is converted to `expected`. False when
    // CorelDRAW rejects the call: the seam has already told the user, and
    // the run ends there.
    virtual bool Call(ObjectId object, long dispid, CallKind kind, const Value& argument,
                      ValueType expected, Value& result) = 0;
};

class InstallFiles {
  public:
    virtual ~InstallFiles() = default;
    // Copies `from` over `to`, replacing an existing file.
    virtual bool Copy(const char* from, const char* to) = 0;
    virtual bool Exists(const char* path) = 0;
    // Writes key = value into a section of a profile file, creating either.
    virtual bool WriteSetting(const char* file, const char* section, const char* key,
                              const char* value) = 0;
    // Makes the folder the current directory, creating it when that fails.
    // Failures are not reported: the copies into the folder report them.
    virtual void EnterFolder(const char* folder) = 0;
    // Lets every user change the file (the installer runs elevated; the
    // programs later run as a standard user). False when it could not.
    virtual bool LetUsersModify(const char* path) = 0;
};

enum class MessageStyle {
    kError,     // title "coreldraw setup", error icon
    kPlain,     // title "coreldraw setup", no icon
    kIniError,  // titled with the program's name, no icon
};

class InstallMessages {
  public:
    virtual ~InstallMessages() = default;
    // Shows a message box with only an OK button and waits for it.
    virtual void Show(const char* text, MessageStyle style) = 0;
};

struct InstallSeams {
    Automation& automation;
    InstallFiles& files;
    InstallMessages& messages;
};

}  // namespace tarnik::installer
