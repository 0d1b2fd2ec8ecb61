// The Windows job driver reads no export file that another program still
// has open for writing: the drawing program's macro may not have finished.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "sender/pipeline/fakes/job_rig.h"
#include "sender/pipeline/job_driver.h"
#include "sender/pipeline/win32/exclusive_open.h"

namespace tarnik {
namespace {

using testing::FileExists;
using testing::JobRig;
using testing::WriteWholeFile;

int g_encoded = 0;
JobOutcome NoteEncoder(const char*, JobContext&) {
    ++g_encoded;
    return JobOutcome::Encoded;
}

// A writer as the macro holds the file: open for writing, sharing all.
class HeldForWriting {
  public:
    explicit HeldForWriting(const std::string& path)
        : handle_(CreateFileA(path.c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~HeldForWriting() { Close(); }
    HeldForWriting(const HeldForWriting&) = delete;
    HeldForWriting& operator=(const HeldForWriting&) = delete;
    bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }
    void Close() {
        if (Held()) {
            CloseHandle(handle_);
            handle_ = INVALID_HANDLE_VALUE;
        }
    }

  private:
    HANDLE handle_;
};

TEST(ExportFileSharing, AFileStillBeingWrittenIsNotRead) {
    struct Case {
        const char* label;
        bool held;
        JobOutcome returns;
        std::vector<std::string> view_calls;
        int encoded;
    } cases[] = {
        {"held open for writing: refused quietly, file kept", true, JobOutcome::Unreadable, {}, 0},
        {"closed: the job goes on", false, JobOutcome::Encoded, {"file-settings"}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        g_encoded = 0;
        JobRig rig;
        rig.job.OpenExportFileAlone = &OpenWithoutSharing;
        WriteWholeFile(rig.ExportFile(), "IN;PU0,0;PD100,100;");
        JobDriver driver(rig.job, NoteEncoder, NoteEncoder);
        HeldForWriting writer(rig.ExportFile());
        ASSERT_TRUE(writer.Held());
        if (!c.held) {
            writer.Close();
        }
        EXPECT_EQ(driver.OnJobReady(0, 0), c.returns);
        writer.Close();
        EXPECT_EQ(rig.view.calls, c.view_calls);
        EXPECT_TRUE(rig.handover.calls.empty());
        EXPECT_EQ(g_encoded, c.encoded);
        EXPECT_TRUE(FileExists(rig.ExportFile()));
    }
}

}  // namespace
}  // namespace tarnik
