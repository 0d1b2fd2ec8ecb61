#pragma once
// The job state of the main window: what one job needs from the moment the
// job message arrives until the encoder hands the job to a transport.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "sender/pipeline/job_seams.h"
#include "sender/pipeline/plot_reader.h"
#include "sender/pipeline/work_file.h"
#include "sender/settings/sender_settings.h"

namespace tarnik {

// A tiled job's plan, kept from its first strip for the others (job_start.cpp).
struct StripPlan;

// The pre-scan of a tiled job's plot file, kept from its first strip for
// the others.
struct KeptPlotScan {
    PlotExtent extent;
    bool done = false;
};

struct JobContext {
    JobContext(const SenderSettings& settings_in, JobView& view_in, JobHandover& handover_in,
               const SendGate& gate_in)
        : settings(settings_in), view(view_in), handover(handover_in), gate(gate_in) {}

    const SenderSettings& settings;

    // Mapping origin (XOrigin, YTop) set from the pre-scan; "IW" overrides
    // YTop while the encoder reads.
    PlotMapping mapping;
    PlotExtent extent;
    int32_t MarkParamA = 0;  // first parameter of the last accepted job message
    int32_t MarkParamB = 0;  // second parameter: also the number of inner band limits
    bool CutToFile = false;  // the file settings dialog asked for cut to file
    // A job too wide for the media is cut in strips, one job each: the
    // strip this run encodes (from 0), and how many the job plan made.
    int32_t Strip = 0;
    int32_t StripCount = 1;
    // Set by a caller that runs the strips one after another: the plan of
    // the first strip is kept here and the later strips are cut from it,
    // without reading the plot file into a plan again.
    std::shared_ptr<StripPlan> KeptStripPlan;
    // Set by the same caller: the later strips take the first strip's
    // pre-scan instead of reading the plot file once more.
    std::shared_ptr<KeptPlotScan> KeptScan;
    // Set when the strips after this one are not to be cut (their file name
    // was not given, or a strip could not be saved).
    bool StripsStopped = false;
    // The name cut to file saves to; a job cut in strips numbers it.
    std::string SaveName;

    // Folder of the HPGL work file; empty means the current folder.
    std::string HpglWorkFolder;
    // The temporary folder that holds "tempfile.001" (GetTempPathA on
    // Windows, with its trailing backslash; the command-line tool gives
    // each run a private folder).
    std::string TempFolder;
    // Separator of "%s\\%s" in the export file path: the backslash on
    // Windows, where the drawing program's macro writes that exact text;
    // the POSIX command-line tool sets '/'.
    char PathSeparator = '\\';
    // Jobs up to this many bytes are loaded into memory for the transport;
    // longer ones are read from the work file as they are sent.
    std::size_t JobMemoryLimit = kJobInMemoryLimit;
    // The job driver's exclusive open of the export file (opened and closed
    // again): false when the job may not read it yet. Windows opens it
    // without sharing, which fails while the drawing program's macro still
    // has it open for writing; the portable default opens it for reading.
    bool (*OpenExportFileAlone)(const char* path) = &CanOpenForReading;

    JobView& view;
    JobHandover& handover;
    const SendGate& gate;

    // The export file: ColExportPath, PathSeparator, ColExportFilename, with
    // nothing collapsed (ColExportPath already ends with a separator, so the
    // text holds two; the encoders compare plot paths with it byte by byte).
    std::string ExportFilePath() const;
    // The target of a cut from a picked file: ColExportPath directly
    // followed by ColExportFilename (ColExportPath ends with a separator).
    std::string CutFromFileTarget() const;
    // The HPGL work file and the DM/PL temporary file.
    std::string HpglWorkFilePath() const;
    std::string DmplWorkFilePath() const;
};

// folder followed by name; a separator is put between them unless folder is
// empty or already ends with '\\' or '/'.
std::string JoinFolderAndName(const std::string& folder, const char* name, char separator);

}  // namespace tarnik
