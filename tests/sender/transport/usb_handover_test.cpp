// A DM/PL job handed to the USB transport end to end: encoder, job buffer,
// the spooler document, and what the user and the job driver learn.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

#include "sender/pipeline/dmpl_encoder.h"
#include "sender/pipeline/fakes/job_rig.h"
#include "sender/transport/fake_printer_spooler.h"
#include "sender/transport/job_buffer_source.h"
#include "sender/transport/usb_printer.h"

namespace tarnik {
namespace {

using testing::JobRig;
using testing::ReadWholeFile;
using testing::usb_send::EventLog;
using testing::usb_send::FakeSpooler;
using testing::usb_send::RecordingNotices;

// The main window's hand-over as it will be wired: the buffer becomes a job
// source for the USB transport and is gone when the call returns.
class UsbHandover : public testing::RecordingHandover {
  public:
    EventLog log;
    FakeSpooler spooler{log};
    RecordingNotices notices{log};
    bool buffer_was_in_memory = false;

    bool SendJobToUsbPrinter(uint8_t usb_port, JobBuffer job) override {
        calls.push_back("usb-job:" + std::to_string(usb_port));
        buffer_was_in_memory = job.InMemory();
        JobBufferSource source(job);
        return tarnik::SendToUsbPrinter(spooler, notices, usb_port, source);
    }
};

// Enough short cuts that the job runs past one 64 KiB spooler write.
std::string ManyCuts(int count) {
    std::string plot = "IN;";
    for (int i = 0; i < count; ++i) {
        plot += "PU0,0;PD" + std::to_string(100 + i) + ",50;";
    }
    return plot;
}

TEST(UsbHandover, DmplJobsReachTheSpooler) {
    struct Case {
        const char* label;
        std::size_t memory_limit;
        bool plotter_installed;
        bool in_memory;
        bool chunked;  // written in 64 KiB pieces rather than in one write
        bool result;
    } cases[] = {
        {"job in memory: one write", kJobInMemoryLimit, true, true, false, true},
        {"job read from its work file: chunks of one document", 1000, true, false, true, true},
        {"no plotter printer: failure to the driver", kJobInMemoryLimit, false, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        UsbHandover handover;
        JobRig rig;
        JobContext job(rig.settings, rig.view, handover, rig.gate);
        job.TempFolder = rig.job.TempFolder;
        job.PathSeparator = '/';
        job.JobMemoryLimit = c.memory_limit;
        job.mapping.YTop = 100;
        rig.settings.PortType = 1;
        rig.settings.USBPort = 4;
        handover.spooler.printers = {
            {"Cutter", c.plotter_installed ? "USB004" : "USB005", kPlotterDriverName}};

        EXPECT_EQ(EncodeDmplJob(rig.Plot(ManyCuts(9000)).c_str(), job),
                  c.result ? JobOutcome::Encoded : JobOutcome::UsbSendFailed);
        EXPECT_EQ(handover.calls, std::vector<std::string>{"usb-job:4"});
        EXPECT_EQ(handover.buffer_was_in_memory, c.in_memory);
        EXPECT_EQ(std::count(handover.log.begin(), handover.log.end(), "start-doc TarnikDoc RAW"),
                  c.result ? 1 : 0);
        const std::string work = ReadWholeFile(job.DmplWorkFilePath());
        ASSERT_GT(work.size(), 2u * kUsbChunkBytes);
        const long writes =
            !c.result    ? 0
            : !c.chunked ? 1
                         : static_cast<long>((work.size() + kUsbChunkBytes - 1) / kUsbChunkBytes);
        EXPECT_EQ(std::count_if(handover.log.begin(), handover.log.end(),
                                [](const std::string& e) { return e.rfind("write ", 0) == 0; }),
                  writes);
        // A USB job never takes the sending look, and the tip tells of success only.
        EXPECT_EQ(rig.view.calls, c.result ? std::vector<std::string>{"tip:Data finshed."}
                                           : std::vector<std::string>{});
        if (c.result) {
            EXPECT_EQ(handover.spooler.document, work);
        } else {
            EXPECT_EQ(handover.log.back(),
                      "balloon:Norvask printer cannot be found on the specified USB port!");
        }
    }
}

}  // namespace
}  // namespace tarnik
