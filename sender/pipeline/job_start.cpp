#include "sender/pipeline/job_start.h"

#include <utility>

#include "sender/pipeline/work_file.h"

namespace tarnik {

bool LoadWorkFileForJob(JobContext& job, const std::string& work_file, std::size_t extra_bytes,
                        JobBuffer& buffer) {
    switch (LoadJobFile(work_file.c_str(), extra_bytes, buffer, job.JobMemoryLimit)) {
        case LoadResult::Ok:
            return true;
        case LoadResult::NoMemory:
            job.view.ShowMessage(kJobBufferNoMemory);
            return false;
        case LoadResult::TooLarge:
            job.view.ShowMessage(kJobTooLarge);
            return false;
        case LoadResult::CannotRead:
            break;
    }
    job.view.ShowMessage(kWorkFileError);
    return false;
}

bool OpenJobPort(JobContext& job) {
    if (job.handover.OpenSerialJobPort(job.settings.CurrentCom)) {
        return true;
    }
    job.view.ShowMessage(kInitComPortFailed);
    return false;
}

void StartSerialJob(JobContext& job, JobBuffer buffer) {
    job.flags.SenderIdle = 0;
    job.view.SetSendingLook(true);
    job.handover.StartSerialTransfer(std::move(buffer));
}

}  // namespace tarnik
