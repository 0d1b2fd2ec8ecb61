// The export file vanishes between the job message and the encoder's read
// (removed while the file settings dialog is open, the window in which the
// user takes seconds): for both models nothing is handed over, no work file
// is left, the sender stays idle, and the next export file is a job again.
// As the job driver's rules have it, the encoder stops quietly: the user,
// who pressed cut, sees no message.
#include <gtest/gtest.h>

#include <cstdio>

#include "sender/pipeline/fakes/job_rig.h"
#include "sender/pipeline/job_driver.h"

namespace tarnik::testing {
namespace {

// A view whose file settings dialog removes the export file before it
// answers OK, as the drawing program or the user might meanwhile.
class VanishingExportView : public RecordingJobView {
  public:
    std::string export_file;
    bool vanish = true;
    FileSettingsResult RunFileSettings(float width, float height) override {
        if (vanish) {
            std::remove(export_file.c_str());
        }
        return RecordingJobView::RunFileSettings(width, height);
    }
};

TEST(ExportVanish, FileGoneBeforeTheEncoderReadsItEndsTheJobQuietly) {
    for (int model : {0, 1}) {
        SCOPED_TRACE(model == 0 ? "NVA" : "NVAS");
        JobRig rig;
        rig.settings.ModelIndex = model;
        VanishingExportView view;
        view.export_file = rig.ExportFile();
        JobContext job(rig.settings, view, rig.handover, rig.gate);
        job.TempFolder = rig.job.TempFolder;
        job.HpglWorkFolder = rig.job.HpglWorkFolder;
        job.PathSeparator = rig.job.PathSeparator;
        rig.Plot("IN;SP1;PU0,0;PD400,0,400,400,0,0;PU;", "export.plt");

        EXPECT_EQ(JobDriver(job).OnJobReady(0, 0), JobOutcome::Unreadable);
        EXPECT_EQ(view.calls, std::vector<std::string>{"file-settings"});
        EXPECT_TRUE(rig.handover.calls.empty());
        EXPECT_FALSE(FileExists(job.DmplWorkFilePath()));
        EXPECT_FALSE(FileExists(job.HpglWorkFilePath()));

        view.vanish = false;
        rig.Plot("IN;SP1;PU0,0;PD400,0,400,400,0,0;PU;", "export.plt");
        EXPECT_EQ(JobDriver(job).OnJobReady(0, 0), JobOutcome::Encoded);
        EXPECT_FALSE(rig.handover.calls.empty());
    }
}

}  // namespace
}  // namespace tarnik::testing
