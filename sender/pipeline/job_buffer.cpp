#include "sender/pipeline/job_buffer.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>

namespace tarnik {

void JobBuffer::Free() {
    bytes_.reset();
    file_.reset();
    window_.reset();
    window_offset_ = 0;
    window_length_ = 0;
    file_position_ = 0;
    size_ = 0;
    capacity_ = 0;
}

uint32_t JobBuffer::Read(uint32_t offset, char* destination, uint32_t count) const {
    if (offset >= capacity_) {
        return 0;
    }
    const uint32_t wanted = static_cast<uint32_t>(std::min<std::size_t>(count, capacity_ - offset));
    if (bytes_) {
        // The buffer holds the cleared extra bytes itself.
        std::memcpy(destination, bytes_.get() + offset, wanted);
        return wanted;
    }
    const uint32_t data = offset < size_ ? std::min(wanted, size_ - offset) : 0;
    if (data > 0) {
        const uint32_t got = ReadFromFile(offset, destination, data);
        if (got < data) {
            return got;
        }
    }
    std::memset(destination + data, 0, wanted - data);
    return wanted;
}

uint32_t JobBuffer::ReadFromFile(uint32_t offset, char* destination, uint32_t count) const {
    uint32_t done = 0;
    while (done < count) {
        const uint32_t at = offset + done;
        if (at < window_offset_ || at - window_offset_ >= window_length_) {
            if (!FillWindow(at)) {
                break;
            }
        }
        const uint32_t piece = std::min(count - done, window_offset_ + window_length_ - at);
        std::memcpy(destination + done, window_.get() + (at - window_offset_), piece);
        done += piece;
    }
    return done;
}

bool JobBuffer::FillWindow(uint32_t offset) const {
    std::FILE* f = file_.get();
    window_length_ = 0;
    if (offset != file_position_) {
        // fseek takes a long, which may count only 31 bits: go in steps.
        uint64_t remaining = offset;
        int whence = SEEK_SET;
        do {
            const long step = static_cast<long>(std::min<uint64_t>(remaining, LONG_MAX));
            if (std::fseek(f, step, whence) != 0) {
                return false;
            }
            remaining -= static_cast<uint64_t>(step);
            whence = SEEK_CUR;
        } while (remaining > 0);
        file_position_ = offset;
    }
    const uint32_t wanted = std::min(kWindowSize, size_ - offset);
    const std::size_t got = std::fread(window_.get(), 1, wanted, f);
    window_offset_ = offset;
    window_length_ = static_cast<uint32_t>(got);
    file_position_ = offset + got;
    return got > 0;
}

namespace {

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

LoadResult LoadJobFile(const char* path, std::size_t extra_bytes, JobBuffer& out,
                       std::size_t memory_limit) {
    out.Free();
    std::unique_ptr<std::FILE, JobBuffer::FileCloser> file(std::fopen(path, "rb"));
    if (!file) {
        return LoadResult::CannotRead;
    }
    const long length = FileLength(file.get());
    if (length < 0) {
        return LoadResult::CannotRead;
    }
    // The transport counts the job in 32 bits.
    if (static_cast<unsigned long long>(length) > 0xFFFFFFFFull - extra_bytes) {
        return LoadResult::TooLarge;
    }
    const auto size = static_cast<uint32_t>(length);
    const std::size_t capacity = static_cast<std::size_t>(size) + extra_bytes;
    if (size > memory_limit) {
        // Kept open and read as it is sent; the first window is read now so
        // that a file that cannot be read fails the load, not the send.
        out.window_.reset(new (std::nothrow) char[JobBuffer::kWindowSize]);
        if (!out.window_) {
            return LoadResult::NoMemory;
        }
        out.file_ = std::move(file);
        out.size_ = size;
        out.capacity_ = capacity;
        if (!out.FillWindow(0)) {
            out.Free();
            return LoadResult::CannotRead;
        }
        return LoadResult::Ok;
    }
    std::unique_ptr<char[]> bytes(new (std::nothrow) char[capacity == 0 ? 1 : capacity]);
    if (!bytes) {
        return LoadResult::NoMemory;
    }
    // The file's bytes overwrite the front whole (a short read fails the
    // load), so only the extra bytes behind them need clearing.
    if (std::fread(bytes.get(), 1, size, file.get()) != size) {
        return LoadResult::CannotRead;
    }
    std::memset(bytes.get() + size, 0, (capacity == 0 ? 1 : capacity) - size);
    out.bytes_ = std::move(bytes);
    out.size_ = size;
    out.capacity_ = capacity;
    return LoadResult::Ok;
}

}  // namespace tarnik
