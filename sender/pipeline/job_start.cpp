#include "sender/pipeline/job_start.h"

#include <utility>

#include "sender/pipeline/work_file.h"
#include "sender/res/resource.h"

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
        job.view.Notify(kWorkFileError, NoticeStyle::kMessageBox);
        return JobOutcome::NotSent;
    }
    const ReadOutcome outcome = pass(reader, path, job, work);
    reader.Close();
    if (outcome == ReadOutcome::DataError) {
        job.view.Notify(kDataError, NoticeStyle::kWarningBalloon);
        return JobOutcome::DataError;
    }
    if (!work.Close() || outcome == ReadOutcome::WriteFailed) {
        job.view.Notify(kWorkFileError, NoticeStyle::kMessageBox);
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
            job.view.Notify(kJobBufferNoMemory, NoticeStyle::kMessageBox);
            return false;
        case LoadResult::TooLarge:
            job.view.Notify(kJobTooLarge, NoticeStyle::kMessageBox);
            return false;
        case LoadResult::CannotRead:
            break;
    }
    job.view.Notify(kWorkFileError, NoticeStyle::kMessageBox);
    return false;
}

bool OpenJobPort(JobContext& job) {
    // The file settings dialog is modal: a job message that came while it
    // was open may have started a send since the driver looked. Opening the
    // port again would cut that send off.
    if (!job.gate.SenderIdle()) {
        job.view.Notify(StringId{IDS_CUTTING_IN_PROGRESS}, NoticeStyle::kWarningBalloon);
        return false;
    }
    if (job.handover.OpenSerialJobPort(job.settings.CurrentCom)) {
        return true;
    }
    job.view.Notify(kInitComPortFailed, NoticeStyle::kMessageBox);
    return false;
}

void StartSerialJob(JobContext& job, JobBuffer buffer) {
    job.view.SetSendingLook(true);
    job.handover.StartSerialTransfer(std::move(buffer));
}

}  // namespace tarnik
