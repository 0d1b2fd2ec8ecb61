#include "sender/pipeline/job_start.h"

#include <utility>

#include "sender/pipeline/work_file.h"
#include "sender/plan/plan_stage.h"
#include "sender/plan/planned_path_source.h"
#include "sender/plan/strip_path_source.h"
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

}  // namespace

struct StripPlan {
    JobPlan plan;
    MediaPlacement placement;
    bool ready = false;
};

namespace {

// Reads the plot file into a plan and places it; false (the user told)
// when it cannot be cut.
JobOutcome MakePlan(const char* plot_path, JobContext& job, const PenFilter& filter,
                    StripPlan& made) {
    switch (
        PlanJob(plot_path, job.mapping, filter, job.settings.CutPlan, made.plan, made.placement)) {
        case PlanOutcome::Planned:
            made.ready = true;
            return JobOutcome::Encoded;
        case PlanOutcome::Unreadable:
            return JobOutcome::Unreadable;
        case PlanOutcome::DataError:
            job.view.Notify(kDataError, NoticeStyle::kWarningBalloon);
            return JobOutcome::DataError;
        case PlanOutcome::TooLarge:
            job.view.Notify(kDesignTooLargeToPlan, NoticeStyle::kMessageBox);
            return JobOutcome::NotSent;
        case PlanOutcome::NotPlaced:
            job.view.Notify(made.placement.Message().c_str(), NoticeStyle::kMessageBox);
            return JobOutcome::NotSent;
    }
    return JobOutcome::NotSent;
}

JobOutcome EncodePlannedJob(const char* plot_path, JobContext& job, const std::string& work_path,
                            const PenFilter& filter, EncodePass pass) {
    StripPlan own;
    StripPlan& made = job.KeptStripPlan ? *job.KeptStripPlan : own;
    if (!made.ready) {
        const JobOutcome planned = MakePlan(plot_path, job, filter, made);
        if (planned != JobOutcome::Encoded)
            return planned;
    }
    CutPath path;
    PlannedPathSource source(made.plan, path, job.mapping);
    const MediaLayout& layout = made.placement.layout;
    job.StripCount = layout.Tiled() ? static_cast<int32_t>(layout.strips.size()) : 1;
    if (!layout.Tiled()) {
        return WriteWorkFile(source, path, job, work_path, pass);
    }
    // Only a caller that runs strip after strip keeps the plan; any other
    // would cut the first strip and lose the rest without a word.
    if (!job.KeptStripPlan) {
        job.view.Notify(kStripsNeedStripRun, NoticeStyle::kMessageBox);
        return JobOutcome::NotSent;
    }
    const std::size_t strip = static_cast<std::size_t>(job.Strip) < layout.strips.size()
                                  ? static_cast<std::size_t>(job.Strip)
                                  : layout.strips.size() - 1;
    StripPathSource strip_source(source, path, layout, layout.strips[strip]);
    return WriteWorkFile(strip_source, path, job, work_path, pass);
}

}  // namespace

std::shared_ptr<StripPlan> MakeStripPlanKeeper() {
    return std::make_shared<StripPlan>();
}

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
