#pragma once
// Recording fakes of the install operation's seams: a scripted CorelDRAW,
// a file system of paths, and the message boxes as a list of texts.
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "installer/install_seams.h"

namespace tarnik::installer::testing {

// Object ids the fake hands out; project N is kFirstProject + N.
constexpr ObjectId kCommands = 1;
constexpr ObjectId kMacroSettings = 2;
constexpr ObjectId kProjects = 3;
constexpr ObjectId kFirstProject = 100;

// CorelDRAW as the script says. Each call is recorded as
// "OBJECT KIND DISPID[ ARGUMENT]", for example "app get 6002006B".
class FakeAutomation : public Automation {
  public:
    std::set<std::string> installed = {"coreldraw.Application.11", "coreldraw.Application.12",
                                       "coreldraw.Application.14", "coreldraw.Application.17"};
    bool vba = true;
    std::string gms_folder = "C:\\gms\\";
    std::string base_folder = "C:\\corel\\";
    std::vector<std::string> projects = {"GlobalMacros", "NvWorkTool"};
    long reject_dispid = -1;

    std::vector<std::string> created;
    std::vector<std::string> calls;

    bool CreateApplication(const char* prog_id) override {
        created.push_back(prog_id);
        return installed.count(prog_id) != 0;
    }

    bool Call(ObjectId object, long dispid, CallKind kind, const Value& argument, ValueType,
              Value& result) override {
        char dispid_text[16];
        std::snprintf(dispid_text, sizeof dispid_text, "%lX", static_cast<unsigned long>(dispid));
        std::string call = Name(object) + Kind(kind) + dispid_text + Argument(argument);
        calls.push_back(call);
        if (dispid == reject_dispid) {
            return false;
        }
        if (object == kProjects && dispid == 0) {
            last_item_ = argument.number;
        }
        result = Answer(object, dispid);
        return true;
    }

  private:
    static std::string Name(ObjectId object) {
        switch (object) {
            case kApplication:
                return "app";
            case kCommands:
                return "commands";
            case kMacroSettings:
                return "settings";
            case kProjects:
                return "projects";
            default:
                return "project" + std::to_string(object - kFirstProject);
        }
    }
    static const char* Kind(CallKind kind) {
        return kind == CallKind::kMethod        ? " method "
               : kind == CallKind::kPropertyGet ? " get "
                                                : " put ";
    }
    static std::string Argument(const Value& argument) {
        switch (argument.type) {
            case ValueType::kBool:
                return argument.flag ? " true" : " false";
            case ValueType::kInt:
                return " " + std::to_string(argument.number);
            case ValueType::kString:
                return " " + argument.text;
            default:
                return "";
        }
    }
    static Value Object(ObjectId object) {
        Value value;
        value.type = ValueType::kObject;
        value.object = object;
        return value;
    }
    Value Answer(ObjectId object, long dispid) {
        if (object == kApplication) {
            switch (dispid) {
                case 0x6002005F:
                case 0x60020051:
                    return Value::Bool(vba);
                case 0x6002001F:
                    return Object(kCommands);
                case 0x6002004E:
                case 0x60020044:
                    return Object(kMacroSettings);
                case 0x60020041:
                    return Object(kProjects);
                case 0x6002006B:
                    return Value::String(base_folder);
                default:
                    return {};
            }
        }
        if (object == kMacroSettings) {
            return Value::String(gms_folder);
        }
        if (object == kProjects) {
            return dispid == 0 ? Object(kFirstProject + last_item_)
                               : Value::Int(static_cast<int>(projects.size()));
        }
        const int item = object - kFirstProject;
        // Like the outside collection, items are numbered from 1.
        return item >= 1 && item <= static_cast<int>(projects.size())
                   ? Value::String(projects[static_cast<size_t>(item - 1)])
                   : Value::String("");
    }

    int last_item_ = 0;
};

// Files are paths in a set; a copy needs its source there and a target
// outside `unwritable`; settings files in `unwritable` refuse writes.
class FakeFiles : public InstallFiles {
  public:
    std::set<std::string> files;
    std::set<std::string> unwritable;
    std::vector<std::string> copies;    // "FROM > TO"
    std::vector<std::string> settings;  // "FILE [SECTION] KEY=VALUE"
    std::vector<std::string> folders;

    bool Copy(const char* from, const char* to) override {
        if (files.count(from) == 0 || unwritable.count(to) != 0) {
            return false;
        }
        copies.push_back(std::string(from) + " > " + to);
        files.insert(to);
        return true;
    }
    bool Exists(const char* path) override { return files.count(path) != 0; }
    bool WriteSetting(const char* file, const char* section, const char* key,
                      const char* value) override {
        if (unwritable.count(file) != 0) {
            return false;
        }
        settings.push_back(std::string(file) + " [" + section + "] " + key + "=" + value);
        return true;
    }
    void EnterFolder(const char* folder) override { folders.push_back(folder); }
    // Refused for a missing file, as Windows refuses it, and for `locked`.
    bool LetUsersModify(const char* path) override {
        if (files.count(path) == 0 || locked.count(path) != 0) {
            return false;
        }
        shared.push_back(path);
        return true;
    }
    std::set<std::string> locked;
    std::vector<std::string> shared;  // files every user may now change
};

class FakeMessages : public InstallMessages {
  public:
    std::vector<std::string> shown;  // "error: TEXT", "plain: TEXT", "ini: TEXT"
    void Show(const char* text, MessageStyle style) override {
        const char* kind = style == MessageStyle::kError   ? "error: "
                           : style == MessageStyle::kPlain ? "plain: "
                                                           : "ini: ";
        shown.push_back(kind + std::string(text));
    }
};

}  // namespace tarnik::installer::testing
