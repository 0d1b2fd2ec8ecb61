#include "sender/pipeline/hpgl_encoder.h"

#include <cstdio>
#include <cstring>
#include <string_view>
#include <utility>

#include "sender/pipeline/cut_to_file.h"
#include "sender/pipeline/hpgl_scale.h"
#include "sender/pipeline/job_start.h"
#include "sender/pipeline/mark_jobs.h"
#include "sender/pipeline/path_transforms.h"
#include "sender/pipeline/plot_reader.h"
#include "sender/pipeline/work_file.h"

namespace tarnik {

namespace {

// Short cut that sets the drag knife's direction before the first path:
// 80 plotter units across the paper, as model "NVA" cuts it.
constexpr int32_t kOrientationCutUnits = 80;
// The job buffer holds a zero byte behind the data: the transport stops at
// a zero byte met at the start of a block.
constexpr std::size_t kHpglExtraBytes = 10;
constexpr char kSetCommMaskError[] = "setcommMask error!";

// One point as "PU<x>,<y>;" or "PD<x>,<y>;" at cursor (a command's room):
// the two command letters, then the numbers rendered in place. Returns the
// command's end.
char* PutPoint(char* cursor, char pen, int32_t x, int32_t y) {
    cursor[0] = 'P';
    cursor[1] = pen;
    cursor = PutNumber(cursor + 2, x);
    *cursor++ = ',';
    cursor = PutNumber(cursor, y);
    *cursor++ = ';';
    return cursor;
}

// "PU0,0;PD0,0;PD0,<80 units in the HPGL frame>;"; false when the length
// does not fit the frame.
bool AppendOrientationCut(CommandOutput& out, const HpglScale& scale) {
    int32_t across = 0;
    if (!ScaleHpglValue(kOrientationCutUnits, scale.XSizeRedeem, across))
        return false;
    out.Append(std::string_view("PU0,0;PD0,0;PD0,"));
    out.AppendNumber(across);
    out.Append(std::string_view(";"));
    return true;
}

// Reads every path of the plot file, reworks it in plotter units and writes
// it out in the HPGL frame.
ReadOutcome EncodePaths(PathSource& reader, CutPath& path, JobContext& job, WorkFile& work) {
    const SenderSettings& settings = job.settings;
    const HpglScale scale{settings.XSizeRedeem, settings.YSizeRedeem};
    BladeState blade;
    SwingArcMemo arcs;
    if (settings.SharpEnble != 0 && !AppendOrientationCut(work, scale)) {
        return ReadOutcome::DataError;
    }
    bool leave_out = false;
    for (;;) {
        switch (reader.Next()) {
            case PathSource::Event::PenSelect:
                leave_out = ApplyPenFilter(PenFilterVariant::Hpgl, settings.CutImageMode != 0,
                                           settings.FlagColor, reader.PenDigit(), leave_out);
                reader.SetLeaveOut(leave_out);
                break;
            case PathSource::Event::LineType:
                break;  // this plotter model has no dashed cutting
            case PathSource::Event::PathReady:
                ApplyPathTransforms(path, path.count, settings, blade, &arcs);
                if (!ScaleHpglPath(path, scale)) {
                    path.Release();
                    return ReadOutcome::DataError;
                }
                AppendHpglPath(work, path);
                path.Release();
                break;
            case PathSource::Event::End:
                AppendHpglTrailer(work, reader.FeedX());
                return work.Failed() ? ReadOutcome::WriteFailed : ReadOutcome::Done;
            case PathSource::Event::DataError:
                return ReadOutcome::DataError;
        }
        if (work.Failed()) {
            return ReadOutcome::WriteFailed;
        }
    }
}

// Hands the loaded job to the serial transport.
void HandOver(const char* plot_path, JobContext& job, JobBuffer buffer) {
    if (!job.handover.QuietLineMonitor()) {
        job.view.Notify(kSetCommMaskError, NoticeStyle::kMessageBox);
    }
    // A job taken from the export folder consumes its file.
    if (std::strcmp(plot_path, job.ExportFilePath().c_str()) == 0) {
        std::remove(plot_path);
    }
    StartSerialJob(job, std::move(buffer));
}

}  // namespace

// A path's points are most of a job's bytes: they go down one after another
// with the cursor held in a local, not read back from the output after every
// byte put down.
void AppendHpglPath(CommandOutput& out, const CutPath& path) {
    char* cursor = out.Room();
    char* limit = out.Limit();
    char pen = 'U';
    for (const PathPoint* p = path.head; p != nullptr;) {
        const int32_t x = p->x;
        const int32_t y = p->y;
        p = p->next;
        if (static_cast<std::size_t>(limit - cursor) < kLongestCommand) {
            out.Commit(cursor);
            cursor = out.Room();
            limit = out.Limit();
        }
        cursor = PutPoint(cursor, pen, x, y);
        pen = 'D';
    }
    out.Commit(cursor);
}

void AppendHpglTrailer(CommandOutput& out, int32_t feed_x) {
    const int64_t clear_x = static_cast<int64_t>(feed_x) + 200;
    out.Append(std::string_view("PU"));
    out.AppendNumber(static_cast<int32_t>(clear_x > 2147483647 ? 2147483647 : clear_x));
    out.Append(std::string_view(",0;!PG;"));
}

JobOutcome EncodeHpglJob(const char* plot_path, JobContext& job) {
    job.mapping.hpgl_scale = true;
    job.mapping.XSizeRedeem = job.settings.XSizeRedeem;
    job.mapping.YSizeRedeem = job.settings.YSizeRedeem;
    const std::string work_path = job.HpglWorkFilePath();
    const JobOutcome written = EncodeWorkFile(
        plot_path, job, work_path, PenFilterOf(job, PenFilterVariant::Hpgl), EncodePaths);
    if (written != JobOutcome::Encoded) {
        return written;
    }
    // The user's choice of a file holds for this model as for the other: a
    // job sent to the cutter anyway would waste vinyl.
    if (job.CutToFile) {
        CutJobToFile(job, work_path);
        return JobOutcome::Encoded;
    }
    JobBuffer buffer;
    if (!LoadWorkFileForJob(job, work_path, kHpglExtraBytes, buffer) || !OpenJobPort(job)) {
        return JobOutcome::NotSent;
    }
    HandOver(plot_path, job, std::move(buffer));
    return JobOutcome::Encoded;
}

}  // namespace tarnik
