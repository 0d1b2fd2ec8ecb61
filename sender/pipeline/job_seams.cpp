#include "sender/pipeline/job_seams.h"

#include <memory>
#include <new>

namespace tarnik {

bool JobHandover::SendJobToUsbPrinter(uint8_t usb_port, JobBuffer job) {
    if (job.InMemory()) {
        return SendToUsbPrinter(usb_port, job.Data(), job.Size());
    }
    const uint32_t size = job.Size();
    std::unique_ptr<char[]> whole(new (std::nothrow) char[size == 0 ? 1 : size]);
    if (!whole || job.Read(0, whole.get(), size) != size) {
        return false;
    }
    job.Free();
    return SendToUsbPrinter(usb_port, whole.get(), size);
}

}  // namespace tarnik
