#include "sender/pipeline/dmpl_encoder.h"

#include <string>
#include <utility>

#include "sender/pipeline/cut_to_file.h"
#include "sender/pipeline/dmpl_writers.h"
#include "sender/pipeline/job_start.h"
#include "sender/pipeline/mark_jobs.h"
#include "sender/pipeline/path_transforms.h"
#include "sender/pipeline/plot_reader.h"
#include "sender/pipeline/work_file.h"

namespace tarnik {

namespace {

constexpr char kDataFinished[] = "Data finshed.";

void WriteJobStart(WorkFile& work, const JobContext& job, const DmplWriter& writer) {
    work.Write(kDmplJobHeader, sizeof kDmplJobHeader - 1);
    if (job.settings.SharpEnble != 0) {
        work.Write(kDmplOrientationCut, sizeof kDmplOrientationCut - 1);
    }
    if (job.settings.CutImageMode != 0) {
        writer.MarkHeader(work, MakeMarkHeaderValues(job.extent, job.MarkParamA, job.MarkParamB));
    }
}

// One finished path: band split, transforms (by the count as read, before
// the split added points), then the plain or the dashed writer.
void WritePath(WorkFile& work, const DmplWriter& writer, CutPath& path, const JobContext& job,
               bool dashed, BladeState& blade, SwingArcMemo& arcs) {
    const SenderSettings& settings = job.settings;
    const int32_t points_as_read = path.count;
    if (settings.CutImageMode != 0 && job.MarkParamB > 0) {
        SplitAtBands(path, job.extent, job.MarkParamB);
    }
    ApplyPathTransforms(path, points_as_read, settings, blade, &arcs);
    if (settings.DashedMode != 0 && dashed) {
        writer.DashedPath(work, path, settings.SolidLineLen, settings.JumpLineLen);
    } else {
        writer.PlainPath(work, path);
    }
}

ReadOutcome EncodePaths(PathSource& reader, CutPath& path, JobContext& job, WorkFile& work) {
    const SenderSettings& settings = job.settings;
    const DmplWriter writer;
    BladeState blade;
    SwingArcMemo arcs;
    WriteJobStart(work, job, writer);
    bool leave_out = false;
    bool dashed = false;
    for (;;) {
        switch (reader.Next()) {
            case PathSource::Event::PenSelect:
                leave_out = ApplyPenFilter(PenFilterVariant::Dmpl, settings.CutImageMode != 0,
                                           settings.FlagColor, reader.PenDigit(), leave_out);
                reader.SetLeaveOut(leave_out);
                break;
            case PathSource::Event::LineType:
                if (settings.DashedMode != 0) {
                    dashed = reader.LineTypeHasNumber();
                }
                break;
            case PathSource::Event::PathReady:
                WritePath(work, writer, path, job, dashed, blade, arcs);
                path.Release();
                break;
            case PathSource::Event::End:
                AppendDmplTrailer(work, settings);
                return work.Failed() ? ReadOutcome::WriteFailed : ReadOutcome::Done;
            case PathSource::Event::DataError:
                return ReadOutcome::DataError;
        }
        if (work.Failed()) {
            return ReadOutcome::WriteFailed;
        }
    }
}

// The USB transport takes the buffer and frees it once the document is
// written.
JobOutcome SendOverUsb(JobContext& job, JobBuffer buffer) {
    if (!job.handover.SendJobToUsbPrinter(job.settings.USBPort, std::move(buffer))) {
        return JobOutcome::UsbSendFailed;
    }
    job.view.SetTrayTip(kDataFinished);
    return JobOutcome::Encoded;
}

}  // namespace

JobOutcome EncodeDmplJob(const char* plot_path, JobContext& job) {
    job.mapping.hpgl_scale = false;
    const std::string work_path = job.DmplWorkFilePath();
    const JobOutcome written = EncodeWorkFile(
        plot_path, job, work_path, PenFilterOf(job, PenFilterVariant::Dmpl), EncodePaths);
    if (written != JobOutcome::Encoded) {
        return written;
    }
    if (job.CutToFile) {
        CutJobToFile(job, work_path);
        return JobOutcome::Encoded;
    }
    JobBuffer buffer;
    if (!LoadWorkFileForJob(job, work_path, 0, buffer)) {
        return JobOutcome::NotSent;
    }
    if (job.settings.PortType == 1) {
        return SendOverUsb(job, std::move(buffer));
    }
    if (!OpenJobPort(job)) {
        return JobOutcome::NotSent;
    }
    StartSerialJob(job, std::move(buffer));
    return JobOutcome::Encoded;
}

}  // namespace tarnik
