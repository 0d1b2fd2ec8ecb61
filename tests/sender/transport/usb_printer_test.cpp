// The USB transport's rules against a scripted spooler: which printer is
// the plotter, how the list is read, and what every failure shows and
// returns.
#include "sender/transport/usb_printer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "sender/transport/fake_printer_spooler.h"

namespace tarnik {
namespace {

using testing::usb_send::ByteRamp;
using testing::usb_send::ChunkedSource;
using testing::usb_send::EventLog;
using testing::usb_send::FakePrinter;
using testing::usb_send::FakeSpooler;
using testing::usb_send::RecordingNotices;

constexpr char kDriver[] = "norvask plotter driver";

TEST(UsbPrinter, PortNamesAndEnumerationText) {
    EXPECT_EQ(UsbPortName(0), "USB000");
    EXPECT_EQ(UsbPortName(1), "USB001");
    EXPECT_EQ(UsbPortName(12), "USB012");
    EXPECT_EQ(UsbPortName(19), "USB019");
    EXPECT_EQ(UsbPortName(255), "USB255");
    EXPECT_EQ(EnumerationFailureText(122, 2048), "122 - 2048");
    EXPECT_EQ(EnumerationFailureText(0x800706BAu, 4294967295u), "-2147023174 - -1");
}

TEST(UsbPrinter, WhichPrinterIsThePlotter) {
    struct Case {
        const char* label;
        std::vector<FakePrinter> printers;
        int port;
        const char* found;  // null: none
    } cases[] = {
        {"exact port and driver", {{"Cutter", "USB001", kDriver}}, 1, "Cutter"},
        {"port in lower case", {{"Cutter", "usb001", kDriver}}, 1, nullptr},
        {"driver in other letter case",
         {{"Cutter", "USB001", "Norvask Plotter Driver"}},
         1,
         nullptr},
        {"driver with a trailing blank",
         {{"Cutter", "USB001", "norvask plotter driver "}},
         1,
         nullptr},
        {"port with more behind it", {{"Cutter", "USB0010", kDriver}}, 1, nullptr},
        {"pooled ports are not split", {{"Cutter", "USB001,USB002", kDriver}}, 1, nullptr},
        {"other port", {{"Cutter", "USB002", kDriver}}, 1, nullptr},
        {"port 12 reads USB012", {{"Cutter", "USB012", kDriver}}, 12, "Cutter"},
        {"port 0 reads USB000", {{"Cutter", "USB000", kDriver}}, 0, "Cutter"},
        {"names left out match nothing",
         {{"A", "<null>", kDriver}, {"B", "USB001", "<null>"}, {"<null>", "USB001", kDriver}},
         1,
         nullptr},
        {"two plotters on the port: the last listed",
         {{"First", "USB001", kDriver},
          {"Office", "USB001", "other driver"},
          {"Second", "USB001", kDriver},
          {"Third", "USB002", kDriver}},
         1,
         "Second"},
        {"no printers at all", {}, 1, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EventLog log;
        FakeSpooler spooler(log);
        RecordingNotices notices(log);
        spooler.printers = c.printers;
        std::string name = "unchanged";
        EXPECT_EQ(FindPlotterPrinter(spooler, notices, c.port, name), c.found != nullptr);
        EXPECT_EQ(name, c.found ? c.found : "unchanged");
        EXPECT_EQ(log, EventLog{"enum 1024/1028"});  // no message when none matches
    }
}

TEST(UsbPrinter, SendAndEveryFailure) {
    struct Case {
        const char* label;
        void (*adjust)(FakeSpooler&);
        bool result;
        EventLog log;
    } cases[] = {
        {"sent as one raw document",
         [](FakeSpooler&) {},
         true,
         {"enum 1024/1028", "open Cutter", "start-doc TarnikDoc RAW", "start-page", "write 300",
          "end-page", "end-doc", "close"}},
        {"list larger than 1024 bytes: read again at its size",
         [](FakeSpooler& s) { s.list_bytes = 3000; },
         true,
         {"enum 1024/1028", "enum 3000/3004", "open Cutter", "start-doc TarnikDoc RAW",
          "start-page", "write 300", "end-page", "end-doc", "close"}},
        {"enumeration fails",
         [](FakeSpooler& s) { s.enumeration_error = 1722; },
         false,
         {"enum 1024/1028", "message:1722 - 600",
          "balloon:Norvask printer cannot be found on the specified USB port!"}},
        {"list grows between the two reads: the second one counts",
         [](FakeSpooler& s) {
             s.list_bytes = 2000;
             s.list_growth = 500;
         },
         false,
         {"enum 1024/1028", "enum 2000/2004", "message:122 - 2500",
          "balloon:Norvask printer cannot be found on the specified USB port!"}},
        {"no plotter on the port",
         [](FakeSpooler& s) { s.printers[1].port = "USB002"; },
         false,
         {"enum 1024/1028", "balloon:Norvask printer cannot be found on the specified USB port!"}},
        {"open fails",
         [](FakeSpooler& s) { s.open = PrinterSpooler::OpenResult::Failed; },
         false,
         {"enum 1024/1028", "open Cutter", "balloon:Failed to open printer!"}},
        {"open gives no handle: nothing to close, no message",
         [](FakeSpooler& s) { s.open = PrinterSpooler::OpenResult::NullHandle; },
         false,
         {"enum 1024/1028", "open Cutter"}},
        {"document refused",
         [](FakeSpooler& s) { s.start_document = false; },
         false,
         {"enum 1024/1028", "open Cutter", "start-doc TarnikDoc RAW", "close"}},
        {"write fails: the part written is dropped",
         [](FakeSpooler& s) { s.write_succeeds = false; },
         false,
         {"enum 1024/1028", "open Cutter", "start-doc TarnikDoc RAW", "start-page", "write 300",
          "abort-doc", "close"}},
        {"short write: the part written is dropped",
         [](FakeSpooler& s) { s.write_limit = 299; },
         false,
         {"enum 1024/1028", "open Cutter", "start-doc TarnikDoc RAW", "start-page", "write 300",
          "abort-doc", "close"}},
        {"end of document refused",
         [](FakeSpooler& s) { s.end_document = false; },
         false,
         {"enum 1024/1028", "open Cutter", "start-doc TarnikDoc RAW", "start-page", "write 300",
          "end-page", "end-doc", "close"}},
    };
    const std::string job = ByteRamp(300);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EventLog log;
        FakeSpooler spooler(log);
        RecordingNotices notices(log);
        spooler.printers = {{"Office", "USB001", "other driver"}, {"Cutter", "USB001", kDriver}};
        c.adjust(spooler);
        MemoryJobSource source(job.data(), static_cast<uint32_t>(job.size()));
        EXPECT_EQ(SendToUsbPrinter(spooler, notices, 1, source), c.result);
        EXPECT_EQ(log, c.log);
        if (c.result) {
            EXPECT_EQ(spooler.document, job);
        }
    }
}

TEST(UsbPrinter, JobSources) {
    struct Case {
        const char* label;
        bool chunked;
        std::size_t size;
        std::size_t readable;  // chunked source: bytes it can give
        bool result;
        std::vector<std::string> writes;
        std::vector<std::string> messages;
    } cases[] = {
        {"whole job in memory: one write however large",
         false,
         200000,
         200000,
         true,
         {"write 200000"},
         {}},
        {"chunked: one document in 64 KiB writes",
         true,
         150000,
         150000,
         true,
         {"write 65536", "write 65536", "write 18928"},
         {}},
        {"chunked: exactly one chunk", true, 65536, 65536, true, {"write 65536"}, {}},
        {"chunked source fails midway: nothing ends the document, the user is told",
         true,
         150000,
         100000,
         false,
         {"write 65536"},
         {"message:Cannot read the work file!"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EventLog log;
        FakeSpooler spooler(log);
        RecordingNotices notices(log);
        spooler.printers = {{"Cutter", "USB003", kDriver}};
        const std::string job = ByteRamp(c.size);
        MemoryJobSource whole(job.data(), static_cast<uint32_t>(job.size()));
        ChunkedSource chunks(job);
        chunks.readable = c.readable;
        JobSource& source = c.chunked ? static_cast<JobSource&>(chunks) : whole;
        EXPECT_EQ(SendToUsbPrinter(spooler, notices, 3, source), c.result);
        std::vector<std::string> writes;
        std::vector<std::string> messages;
        for (const std::string& event : log) {
            if (event.rfind("write ", 0) == 0) {
                writes.push_back(event);
            } else if (event.rfind("message:", 0) == 0 || event.rfind("balloon:", 0) == 0) {
                messages.push_back(event);
            }
        }
        EXPECT_EQ(writes, c.writes);
        EXPECT_EQ(messages, c.messages);
        EXPECT_EQ(std::count(log.begin(), log.end(), "start-doc TarnikDoc RAW"), 1);
        EXPECT_EQ(std::count(log.begin(), log.end(), "end-doc"), c.result ? 1 : 0);
        EXPECT_EQ(spooler.aborted, !c.result);
        if (c.result) {
            EXPECT_EQ(spooler.document, job);
        }
    }
}

}  // namespace
}  // namespace tarnik
