#include "sender/pipeline/job_start.h"

#include <utility>

#include "sender/pipeline/work_file.h"
#include "sender/plan/plan_stage.h"
#include "sender/plan/planned_path_source.h"
#include "sender/res/resource.h"

namespace tarnik {

namespace {

// Creates the work file, runs the pass from source and closes it.
JobOutcome WriteWorkFile(PathSource& source, CutPath& path, JobContext& job,
                         const std::string& work_path, EncodePass pass) {
    WorkFile work;
    if (!work.Create(work_path)) {
        job.view.Notify(kWorkFileError, NoticeStyle::kMessageBox);
        return JobOutcome::NotSent;
    }
    const ReadOutcome outcome = pass(source, path, job, work);
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

JobOutcome EncodePlannedJob(const char* plot_path, JobContext& job, const std::string& work_path,
                            const PenFilter& filter, EncodePass pass) {
    JobPlan plan;
    switch (PlanJob(plot_path, job.mapping, filter, job.settings.CutPlan, plan)) {
        case PlanOutcome::Planned:
            break;
        case PlanOutcome::Unreadable:
            return JobOutcome::Unreadable;
        case PlanOutcome::DataError:
            job.view.Notify(kDataError, NoticeStyle::kWarningBalloon);
            return JobOutcome::DataError;
        case PlanOutcome::TooLarge:
            job.view.Notify(kDesignTooLargeToPlan, NoticeStyle::kMessageBox);
            return JobOutcome::NotSent;
    }
    CutPath path;
    PlannedPathSource source(plan, path, job.mapping);
    return WriteWorkFile(source, path, job, work_path, pass);
}

}  // namespace

JobOutcome EncodeWorkFile(const char* plot_path, JobContext& job, const std::string& work_path,
                          const PenFilter& filter, EncodePass pass) {
    if (!job.settings.CutPlan.Bypassed()) {
        return EncodePlannedJob(plot_path, job, work_path, filter, pass);
    }
    CutPath path;
    PlotPathReader reader(path, job.mapping);
    if (!reader.Open(plot_path)) {
        return JobOutcome::Unreadable;
    }
    StreamedPathSource source(reader);
    const JobOutcome outcome = WriteWorkFile(source, path, job, work_path, pass);
    reader.Close();
    return outcome;
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
