#include "sender/pipeline/work_file.h"

#include <filesystem>
#include <memory>
#include <new>
#include <system_error>

namespace tarnik {

namespace {
struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Whether two names lead to one existing file. A name the library cannot
// convert (8-bit text it does not take for its own encoding) counts as not
// the same.
bool SameFile(const char* a, const char* b) {
    try {
        std::error_code error;
        return std::filesystem::equivalent(a, b, error) && !error;
    } catch (...) {
        return false;
    }
}
}  // namespace

WorkFile::~WorkFile() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

bool WorkFile::Create(const std::string& path) {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!buffer_) {
        buffer_.reset(new (std::nothrow) char[kBufferSize]);
    }
    SetBuffer(buffer_.get(), buffer_ ? kBufferSize : 0);
    DeleteIfReadable(path.c_str());
    file_ = buffer_ ? std::fopen(path.c_str(), "wb") : nullptr;
    // The text is buffered here already; the library's own buffer would
    // only copy every byte once more.
    failed_ = file_ == nullptr || std::setvbuf(file_, nullptr, _IONBF, 0) != 0;
    return !failed_;
}

void WorkFile::Take(const char* data, std::size_t length) {
    if (failed_ || file_ == nullptr) {
        failed_ = true;
        Refuse();
        return;
    }
    if (length != 0 && std::fwrite(data, 1, length, file_) != length) {
        failed_ = true;
        Refuse();
    }
}

bool WorkFile::Write(const char* data, std::size_t length) {
    if (failed_ || file_ == nullptr) {
        failed_ = true;
        return false;
    }
    Append(data, length);
    return !failed_;
}

bool WorkFile::Close() {
    if (file_ == nullptr) {
        failed_ = true;
        return false;
    }
    Drain();
    // The last bytes reach the disk here: a full disk shows in the flush or
    // the close.
    if (std::fflush(file_) != 0) {
        failed_ = true;
    }
    if (std::fclose(file_) != 0) {
        failed_ = true;
    }
    file_ = nullptr;
    return !failed_;
}

bool DeleteIfReadable(const char* path) {
    std::FILE* f = std::fopen(path, "rb");
    if (f == nullptr) {
        return false;
    }
    std::fclose(f);
    std::remove(path);
    return true;
}

bool CanOpenForReading(const char* path) {
    FileHandle f(std::fopen(path, "rb"));
    return f != nullptr;
}

bool CopyFileOverwrite(const char* from, const char* to) {
    // Opening the target for writing would empty a source that is the same
    // file under another spelling of its name.
    if (SameFile(from, to)) {
        return true;
    }
    FileHandle source(std::fopen(from, "rb"));
    if (!source) {
        return false;
    }
    std::FILE* target = std::fopen(to, "wb");
    if (target == nullptr) {
        return false;
    }
    char block[16384];
    bool ok = true;
    for (;;) {
        const std::size_t got = std::fread(block, 1, sizeof block, source.get());
        if (got != 0 && std::fwrite(block, 1, got, target) != got) {
            ok = false;
            break;
        }
        if (got < sizeof block) {
            ok = std::ferror(source.get()) == 0;
            break;
        }
    }
    if (std::fclose(target) != 0) {
        ok = false;
    }
    if (!ok) {
        std::remove(to);
    }
    return ok;
}

}  // namespace tarnik
