#include "sender/pipeline/job_buffer.h"

#include <cstdio>
#include <cstring>
#include <new>

namespace tarnik {

void JobBuffer::Free() {
    bytes_.reset();
    size_ = 0;
    capacity_ = 0;
}

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Length of an open file, or -1.
long FileLength(std::FILE* f) {
    if (std::fseek(f, 0, SEEK_END) != 0) {
        return -1;
    }
    const long length = std::ftell(f);
    if (std::fseek(f, 0, SEEK_SET) != 0) {
        return -1;
    }
    return length;
}

}  // namespace

LoadResult LoadJobFile(const char* path, std::size_t extra_bytes, JobBuffer& out) {
    out.Free();
    FileHandle file(std::fopen(path, "rb"));
    if (!file) {
        return LoadResult::CannotRead;
    }
    const long length = FileLength(file.get());
    if (length < 0) {
        return LoadResult::CannotRead;
    }
    // The transport counts the job in 32 bits.
    if (static_cast<unsigned long>(length) > 0xFFFFFFFFul - extra_bytes) {
        return LoadResult::TooLarge;
    }
    const std::size_t capacity = static_cast<std::size_t>(length) + extra_bytes;
    std::unique_ptr<char[]> bytes(new (std::nothrow) char[capacity == 0 ? 1 : capacity]);
    if (!bytes) {
        return LoadResult::NoMemory;
    }
    std::memset(bytes.get(), 0, capacity == 0 ? 1 : capacity);
    const std::size_t got =
        std::fread(bytes.get(), 1, static_cast<std::size_t>(length), file.get());
    if (got != static_cast<std::size_t>(length)) {
        return LoadResult::CannotRead;
    }
    out.bytes_ = std::move(bytes);
    out.size_ = static_cast<uint32_t>(length);
    out.capacity_ = capacity;
    return LoadResult::Ok;
}

}  // namespace tarnik
