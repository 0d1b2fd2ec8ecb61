#pragma once
// Sets TMPDIR for one test and puts the old value back.
#include <stdlib.h>

#include <optional>
#include <string>

namespace tarnik::testing {

class TmpdirScope {
  public:
    explicit TmpdirScope(const char* value) {
        if (const char* old = std::getenv("TMPDIR")) {
            old_ = old;
        }
        if (value != nullptr) {
            setenv("TMPDIR", value, 1);
        } else {
            unsetenv("TMPDIR");
        }
    }
    ~TmpdirScope() {
        if (old_) {
            setenv("TMPDIR", old_->c_str(), 1);
        } else {
            unsetenv("TMPDIR");
        }
    }
    TmpdirScope(const TmpdirScope&) = delete;
    TmpdirScope& operator=(const TmpdirScope&) = delete;

  private:
    std::optional<std::string> old_;
};

}  // namespace tarnik::testing
