#pragma once
// One job's surroundings for encoder and driver tests: settings, a private
// folder for the export, work and plot files, and the recording seams.
#include <cstdio>
#include <string>

#include "sender/pipeline/fakes/recording_job_seams.h"
#include "sender/pipeline/job_context.h"
#include "sender/settings/sender_settings.h"
#include "support/test_files.h"

namespace tarnik::testing {

struct JobRig {
    ScratchFolder folder;
    SenderSettings settings;
    RecordingJobView view;
    RecordingHandover handover;
    FakeSendGate gate;
    JobContext job{settings, view, handover, gate};

    JobRig() {
        const std::string dir = folder.Path().string();
        job.TempFolder = dir;
        job.HpglWorkFolder = dir;
        job.PathSeparator = '/';
        std::snprintf(settings.ColExportPath, sizeof settings.ColExportPath, "%s/", dir.c_str());
        std::snprintf(settings.ColExportFilename, sizeof settings.ColExportFilename, "%s",
                      "export.plt");
    }

    // Writes a plot file into the folder and returns its path.
    std::string Plot(const std::string& text, const std::string& name = "job.plt") const {
        const std::string path = folder.File(name);
        WriteWholeFile(path, text);
        return path;
    }
    std::string ExportFile() const { return job.ExportFilePath(); }
};

}  // namespace tarnik::testing
