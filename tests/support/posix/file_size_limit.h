#pragma once
// Lowers the largest file this process may write, as a full disk would stop
// a write part way through; writes past it fail (SIGXFSZ is ignored while
// the limit holds). Both are put back when the scope ends.
#include <signal.h>
#include <sys/resource.h>

namespace tarnik::testing {

class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        old_handler_ = signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        signal(SIGXFSZ, old_handler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit old_{};
    sighandler_t old_handler_ = SIG_DFL;
};

}  // namespace tarnik::testing
