#pragma once
// The job buffer: one whole encoded job, loaded from the work file once the
// encoder has closed it. A small job is held in memory; a larger one stays
// in the reopened work file and is read through a bounded window, so a job
// of any size costs the same memory. The encoder owns the buffer until the
// hand-over to a transport; from then on the transport owns it and frees it
// when the job finishes (complete, failed or cancelled).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>

namespace tarnik {

// Jobs up to this many bytes are held in memory.
inline constexpr std::size_t kJobInMemoryLimit = std::size_t{4} * 1024 * 1024;

enum class LoadResult {
    Ok,
    CannotRead,  // the work file cannot be opened or read back whole
    TooLarge,    // longer than a 32-bit job size can count
    NoMemory,    // the buffer cannot be allocated
};

class JobBuffer;
LoadResult LoadJobFile(const char* path, std::size_t extra_bytes, JobBuffer& out,
                       std::size_t memory_limit);

class JobBuffer {
  public:
    // Bytes a streamed job reads from its file at once.
    static constexpr uint32_t kWindowSize = 64 * 1024;

    JobBuffer() = default;
    JobBuffer(JobBuffer&&) noexcept = default;
    JobBuffer& operator=(JobBuffer&&) noexcept = default;
    JobBuffer(const JobBuffer&) = delete;
    JobBuffer& operator=(const JobBuffer&) = delete;

    // Job size: the work file's length (the extra bytes are not counted).
    uint32_t Size() const { return size_; }
    // Bytes the job offers to Read: job size plus the cleared extra bytes
    // behind the data.
    std::size_t Capacity() const { return capacity_; }
    bool Empty() const { return bytes_ == nullptr && file_ == nullptr; }
    // Whether the whole job is in memory (Data() then holds it).
    bool InMemory() const { return bytes_ != nullptr; }
    // The bytes of an in-memory job (Capacity() of them); null otherwise.
    const char* Data() const { return bytes_.get(); }

    // Copies up to count bytes from offset on into destination: job bytes,
    // then the zero bytes behind them up to Capacity(). Returns the bytes
    // copied: count, or fewer at the end of the capacity (0 from there on).
    // A streamed job whose file can no longer be read in full returns fewer
    // than that: the caller must treat a short count before the end as a
    // failed job. Not for use from two threads at once.
    uint32_t Read(uint32_t offset, char* destination, uint32_t count) const;

    void Free();

  private:
    friend LoadResult LoadJobFile(const char* path, std::size_t extra_bytes, JobBuffer& out,
                                  std::size_t memory_limit);
    struct FileCloser {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };

    uint32_t ReadFromFile(uint32_t offset, char* destination, uint32_t count) const;
    bool FillWindow(uint32_t offset) const;

    std::unique_ptr<char[]> bytes_;
    std::unique_ptr<std::FILE, FileCloser> file_;
    // The window of a streamed job: window_length_ bytes of the file from
    // window_offset_ on. file_position_ is where the next read of the file
    // starts.
    std::unique_ptr<char[]> window_;
    mutable uint32_t window_offset_ = 0;
    mutable uint32_t window_length_ = 0;
    mutable uint64_t file_position_ = 0;
    uint32_t size_ = 0;
    std::size_t capacity_ = 0;
};

// Loads a closed work file as a job of its length plus extra_bytes cleared
// bytes behind the data: the HPGL job asks for 10 extra bytes, so its data
// is followed by a zero byte; the DM/PL job for none (exact length). A file
// of up to memory_limit bytes is read whole into memory; a longer one is
// kept open and read in windows as the job is sent.
LoadResult LoadJobFile(const char* path, std::size_t extra_bytes, JobBuffer& out,
                       std::size_t memory_limit = kJobInMemoryLimit);

}  // namespace tarnik
