#include "sender/pipeline/job_seams.h"

#include <memory>
#include <new>

namespace tarnik {

LoadResult ReadWholeJob(const JobBuffer& job, std::unique_ptr<char[]>& whole) {
    const uint32_t size = job.Size();
    whole.reset(new (std::nothrow) char[size == 0 ? 1 : size]);
    if (!whole) {
        return LoadResult::NoMemory;
    }
    if (job.Read(0, whole.get(), size) != size) {
        whole.reset();
        return LoadResult::CannotRead;
    }
    return LoadResult::Ok;
}

bool JobHandover::SendJobToUsbPrinter(uint8_t usb_port, JobBuffer job) {
    if (job.InMemory()) {
        return SendToUsbPrinter(usb_port, job.Data(), job.Size());
    }
    std::unique_ptr<char[]> whole;
    if (ReadWholeJob(job, whole) != LoadResult::Ok) {
        return false;
    }
    const uint32_t size = job.Size();
    job.Free();
    return SendToUsbPrinter(usb_port, whole.get(), size);
}

}  // namespace tarnik
