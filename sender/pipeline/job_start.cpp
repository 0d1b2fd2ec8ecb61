#include "sender/pipeline/job_start.h"

#include <utility>

#include "sender/pipeline/work_file.h"

namespace tarnik {

JobOutcome EncodeWorkFile(const char* plot_path, JobContext& job, const std::string& work_path,
                          EncodePass pass) {
    CutPath path;
    PlotPathReader reader(path, job.mapping);
    if (!reader.Open(plot_path)) {
        return JobOutcome::Unreadable;
    }
    WorkFile work;
    if (!work.Create(work_path)) {
        job.view.ShowMessage(kWorkFileError);
        return JobOutcome::NotSent;
    }
    const ReadOutcome outcome = pass(reader, path, job, work);
    reader.Close();
    if (outcome == ReadOutcome::DataError) {
        job.view.ShowBalloon(kDataError);
        return JobOutcome::DataError;
    }
    if (!work.Close() || outcome == ReadOutcome::WriteFailed) {
        job.view.ShowMessage(kWorkFileError);
        return JobOutcome::NotSent;
    }
    return JobOutcome::Encoded;
}

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
