#pragma once
// A job buffer read as a job source: a job held in memory goes whole, a
// large one that stays in its work file is read in chunks through the
// buffer's window. Only the job's own bytes are offered, never the cleared
// spare bytes behind them.
#include <cstdint>

#include "sender/pipeline/job_buffer.h"
#include "sender/transport/job_source.h"

namespace tarnik {

class JobBufferSource final : public JobSource {
  public:
    explicit JobBufferSource(const JobBuffer& job) : job_(job) {}

    uint32_t Size() const override { return job_.Size(); }
    uint32_t Read(uint32_t offset, char* dst, uint32_t count) override {
        const uint32_t size = job_.Size();
        if (offset >= size) {
            return 0;
        }
        return job_.Read(offset, dst, count < size - offset ? count : size - offset);
    }
    const char* WholeJob() const override { return job_.InMemory() ? job_.Data() : nullptr; }

  private:
    const JobBuffer& job_;
};

}  // namespace tarnik
