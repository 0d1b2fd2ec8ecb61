#pragma once
// The job buffer: one whole encoded job in memory, loaded from the work file
// once the encoder has closed it. The encoder owns it until the hand-over to
// a transport; from then on the transport owns it and frees it when the job
// finishes (complete, failed or cancelled).
#include <cstddef>
#include <cstdint>
#include <memory>

namespace tarnik {

enum class LoadResult {
    Ok,
    CannotRead,  // the work file cannot be opened or read back whole
    TooLarge,    // longer than a 32-bit job size can count
    NoMemory,    // the buffer cannot be allocated
};

class JobBuffer;
LoadResult LoadJobFile(const char* path, std::size_t extra_bytes, JobBuffer& out);

class JobBuffer {
  public:
    JobBuffer() = default;
    JobBuffer(JobBuffer&&) noexcept = default;
    JobBuffer& operator=(JobBuffer&&) noexcept = default;
    JobBuffer(const JobBuffer&) = delete;
    JobBuffer& operator=(const JobBuffer&) = delete;

    // The job bytes (job size of them); null when empty.
    const char* Data() const { return bytes_.get(); }
    // Job size: the work file's length (the extra bytes are not counted).
    uint32_t Size() const { return size_; }
    // Bytes allocated: job size plus any extra bytes behind the data.
    std::size_t Capacity() const { return capacity_; }
    bool Empty() const { return bytes_ == nullptr; }
    void Free();

  private:
    friend LoadResult LoadJobFile(const char* path, std::size_t extra_bytes, JobBuffer& out);
    std::unique_ptr<char[]> bytes_;
    uint32_t size_ = 0;
    std::size_t capacity_ = 0;
};

// Reads a closed work file whole into a new buffer of its length plus
// extra_bytes, all cleared first: the HPGL job asks for 10 extra bytes, so
// its data is followed by a zero byte; the DM/PL job for none (exact length).
LoadResult LoadJobFile(const char* path, std::size_t extra_bytes, JobBuffer& out);

}  // namespace tarnik
