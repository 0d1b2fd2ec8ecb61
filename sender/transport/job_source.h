#pragma once
// Where a transport reads a finished job from: the whole job in memory, or
// a source that hands it out in chunks (a job too large to hold at once is
// read from its work file piece by piece). Either way the transport writes
// it as one job to the plotter.
#include <cstdint>
#include <cstring>

namespace tarnik {

class JobSource {
  public:
    virtual ~JobSource() = default;

    // Job size in bytes.
    virtual uint32_t Size() const = 0;
    // Copies up to `count` bytes starting at `offset` into `dst` and returns
    // how many were copied: fewer than asked only at the job's end, or when
    // the source cannot be read (then the job must not be sent as complete).
    virtual uint32_t Read(uint32_t offset, char* dst, uint32_t count) = 0;
    // The whole job as one piece of memory when it is held that way; null
    // for a source that can only be read in chunks.
    virtual const char* WholeJob() const { return nullptr; }
};

// A job held whole in memory (the job buffer); the bytes stay the caller's.
class MemoryJobSource final : public JobSource {
  public:
    MemoryJobSource(const char* data, uint32_t size) : data_(data), size_(data ? size : 0) {}

    uint32_t Size() const override { return size_; }
    uint32_t Read(uint32_t offset, char* dst, uint32_t count) override {
        if (offset >= size_) {
            return 0;
        }
        const uint32_t n = count < size_ - offset ? count : size_ - offset;
        std::memcpy(dst, data_ + offset, n);
        return n;
    }
    const char* WholeJob() const override { return data_; }

  private:
    const char* data_;
    uint32_t size_;
};

}  // namespace tarnik
