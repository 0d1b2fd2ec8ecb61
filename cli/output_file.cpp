// Output through a temporary name and a rename.
#include "cli/output_file.h"

#include <filesystem>
#include <system_error>

#include "cli/interrupt.h"
#include "cli/platform_files.h"

namespace tarnik::cli {
namespace {

// The name a finished file is renamed to: a symbolic link is kept and the
// file it names replaced (a link such as /dev/stdout is not ours to replace).
std::string ReplacedName(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, error))) {
        return path;
    }
    const std::filesystem::path target = std::filesystem::canonical(path, error);
    return error ? path : target.string();
}

}  // namespace

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) && !error;
}

OutputFile::~OutputFile() {
    Discard();
}

void OutputFile::Discard() {
    if (in_place_) {
        in_place_ = false;
        file_.reset();
        return;
    }
    if (file_) {
        file_.reset();
        DropTemporary();
    }
    if (linked_) {
        linked_ = false;
        DropTemporary();
    }
}

void OutputFile::DropTemporary() {
    std::remove(temporary_.c_str());
    KeepOnSignal(temporary_);
}

// The temporary name becomes the target's, and is no longer removed on a
// signal, in one step; on failure it is removed.
bool OutputFile::RenameOverTarget() {
    HoldEndingSignals hold;
    const bool renamed = ReplaceFileWith(temporary_.c_str(), path_.c_str());
    if (!renamed) {
        std::remove(temporary_.c_str());
    }
    KeepOnSignal(temporary_);
    return renamed;
}

// A new file beside path; tries a few names in case an earlier run was killed
// and left one behind.
bool OutputFile::Create(const std::string& path) {
    Discard();
    failed_ = false;
    file_.reset(OpenInPlaceTarget(path.c_str(), in_place_));
    if (in_place_) {
        path_ = path;
        temporary_.clear();
        failed_ = !file_;
        if (file_) {
            std::setvbuf(file_.get(), nullptr, _IONBF, 0);
        }
        return !failed_;
    }
    path_ = ReplacedName(path);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary_ = path_ + ".part" + std::to_string(attempt);
        // A signal while the file exists removes it.
        HoldEndingSignals hold;
        file_.reset(CreateNewFile(temporary_.c_str()));
        if (file_) {
            RemoveOnSignal(temporary_);
            // Callers write large blocks; a library buffer would only split
            // them.
            std::setvbuf(file_.get(), nullptr, _IONBF, 0);
            return true;
        }
    }
    temporary_.clear();
    failed_ = true;
    return false;
}

bool OutputFile::CreateAsLinkOf(const std::string& path, const char* existing) {
    Discard();
    failed_ = false;
    std::error_code ignored;
    const std::filesystem::file_status status = std::filesystem::status(path, ignored);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        failed_ = true;
        return false;
    }
    path_ = ReplacedName(path);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary_ = path_ + ".part" + std::to_string(attempt);
        HoldEndingSignals hold;
        if (LinkFile(existing, temporary_.c_str())) {
            RemoveOnSignal(temporary_);
            linked_ = true;
            return true;
        }
        // Only a name left by an earlier run is worth another attempt; any
        // other refusal would repeat for every name.
        if (!std::filesystem::exists(std::filesystem::symlink_status(temporary_, ignored))) {
            break;
        }
    }
    temporary_.clear();
    failed_ = true;
    return false;
}

bool OutputFile::Write(const char* data, size_t size) {
    if (failed_ || !file_) {
        failed_ = true;
        return false;
    }
    if (size != 0 && std::fwrite(data, 1, size, file_.get()) != size) {
        failed_ = true;
    }
    return !failed_;
}

bool OutputFile::Commit() {
    if (linked_ && !failed_) {
        linked_ = false;
        failed_ = !RenameOverTarget();
        return !failed_;
    }
    if (failed_ || !file_) {
        Discard();
        return false;
    }
    if (in_place_) {
        in_place_ = false;
        const bool flushed = std::fflush(file_.get()) == 0;
        failed_ = std::fclose(file_.release()) != 0 || !flushed;
        return !failed_;
    }
    const bool flushed = std::fflush(file_.get()) == 0;
    const bool closed = std::fclose(file_.release()) == 0;
    if (!flushed || !closed) {
        DropTemporary();
        failed_ = true;
        return false;
    }
    failed_ = !RenameOverTarget();
    return !failed_;
}

bool WriteFileWhole(const std::string& path, const char* data, size_t size) {
    OutputFile file;
    return file.Create(path) && file.Write(data, size) && file.Commit();
}

}  // namespace tarnik::cli
