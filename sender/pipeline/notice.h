#pragma once
// How the job sender tells the user something: a balloon of the
// notification icon or a message box, showing a fixed text or a text of the
// string table (an id of resource.h, loaded in the user's language). Every
// seam that reaches the user does it through this one call.
#include <string>

namespace tarnik {

enum class NoticeStyle {
    kInfoBalloon,     // balloon with the information icon
    kWarningBalloon,  // balloon with the warning icon
    kMessageBox,      // OK box captioned with the application title
};

// A string table id, as opposed to a fixed text.
struct StringId {
    int id = 0;
};

// A fixed text or a string table id. It only points at a fixed text, which
// must outlive the call it is passed to.
class NoticeText {
  public:
    NoticeText(const char* text) : text_(text) {}
    NoticeText(const std::string& text) : text_(text.c_str()) {}
    NoticeText(StringId string_id) : string_id_(string_id.id) {}

    bool IsStringId() const { return text_ == nullptr; }
    const char* Text() const { return text_; }        // null for a string id
    int StringIdValue() const { return string_id_; }  // 0 for a fixed text

  private:
    const char* text_ = nullptr;
    int string_id_ = 0;
};

class Notifier {
  public:
    virtual ~Notifier() = default;
    virtual void Notify(NoticeText text, NoticeStyle style) = 0;
};

}  // namespace tarnik
