// The USB transport against Wine's real print spooler. Each test installs
// its own printers (the plotter driver, the plotter on USB001 and decoys)
// under names unique to the run, maps USB001 to a capture file in its
// scratch folder, and removes all of it again. Printers and the port
// mapping live in the prefix that every test run shares, so the tests hold
// a named mutex of the prefix while they run.
#include <gtest/gtest.h>
#include <windows.h>
#include <winspool.h>

#include <functional>
#include <string>
#include <vector>

#include "sender/transport/fake_printer_spooler.h"
#include "sender/transport/usb_printer.h"
#include "sender/transport/win32/win32_printer_spooler.h"
#include "support/test_files.h"
#include "tests/support/win32/stand_in_printers.h"

namespace tarnik {
namespace {

using testing::ReadWholeFile;
using testing::ScratchFolder;
using testing::usb_send::ByteRamp;
using testing::usb_send::ChunkedSource;
using testing::usb_send::EventLog;
using testing::usb_send::RecordingNotices;

constexpr char kTestPrinterPrefix[] = "TarnikUsbTest";
constexpr char kSpoolerKey[] = "Software\\Wine\\Printing\\Spooler";
constexpr char kNotFound[] = "balloon:Norvask printer cannot be found on the specified USB port!";

// Every installed printer's name, port and driver, in the spooler's order.
std::vector<testing::usb_send::FakePrinter> ListPrinters(DWORD* needed_out = nullptr) {
    DWORD needed = 0;
    DWORD returned = 0;
    EnumPrintersA(kPrinterEnumFlags, nullptr, kPrinterInfoLevel, nullptr, 0, &needed, &returned);
    std::vector<unsigned char> buffer(needed + 1);
    std::vector<testing::usb_send::FakePrinter> printers;
    if (!EnumPrintersA(kPrinterEnumFlags, nullptr, kPrinterInfoLevel, buffer.data(), needed,
                       &needed, &returned)) {
        return printers;
    }
    const auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
    for (DWORD i = 0; i < returned; ++i) {
        printers.push_back({info[i].pPrinterName ? info[i].pPrinterName : "",
                            info[i].pPortName ? info[i].pPortName : "",
                            info[i].pDriverName ? info[i].pDriverName : ""});
    }
    if (needed_out != nullptr) {
        *needed_out = needed;
    }
    return printers;
}

bool DeletePrinterNamed(const std::string& name) {
    PRINTER_DEFAULTSA access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE printer = nullptr;
    std::string writable = name;
    if (!OpenPrinterA(writable.data(), &printer, &access)) {
        return false;
    }
    const bool deleted = DeletePrinter(printer) != FALSE;
    ClosePrinter(printer);
    return deleted;
}

// The Unix name of a Windows path: the spooler's port mapping opens it on
// the Unix side. Empty when not running under Wine.
std::string UnixPathOf(const std::string& windows_path) {
    using UnixName = char*(CDECL*)(LPCWSTR);
    const FARPROC found =
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
    const auto convert = reinterpret_cast<UnixName>(reinterpret_cast<void*>(found));
    if (convert == nullptr) {
        return {};
    }
    const std::wstring wide(windows_path.begin(), windows_path.end());
    char* unix_name = convert(wide.c_str());
    if (unix_name == nullptr) {
        return {};
    }
    std::string result = unix_name;
    HeapFree(GetProcessHeap(), 0, unix_name);
    return result;
}

// A real spooler that reports each enumeration and can act between calls.
class WatchedSpooler : public Win32PrinterSpooler {
  public:
    std::vector<uint32_t> offers;
    std::vector<uint32_t> needs;
    std::function<void(std::size_t call)> after_enumeration;

    Enumeration EnumeratePrinters(unsigned char* buffer, std::size_t capacity,
                                  uint32_t offered) override {
        const Enumeration list = Win32PrinterSpooler::EnumeratePrinters(buffer, capacity, offered);
        offers.push_back(offered);
        needs.push_back(list.needed);
        if (after_enumeration) {
            after_enumeration(offers.size());
        }
        return list;
    }
};

class UsbSpoolerWine : public ::testing::Test {
  protected:
    void SetUp() override {
        mutex_ = CreateMutexA(nullptr, FALSE, "TarnikUsbSpoolerTestLock");
        ASSERT_NE(mutex_, nullptr);
        const DWORD waited = WaitForSingleObject(mutex_, 120000);
        ASSERT_TRUE(waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED);
        locked_ = true;
        capture_unix_ = UnixPathOf(capture_);
        if (capture_unix_.empty()) {
            GTEST_SKIP() << "needs Wine's spooler port mapping";
        }
        RemoveLeftovers();
        ASSERT_TRUE(testing::AddStandInDriver(kPlotterDriverName));
        ASSERT_TRUE(testing::AddStandInDriver("other plotter driver"));
        SaveMapping();
        ASSERT_TRUE(MapUsb001(capture_unix_.c_str()));
    }

    void TearDown() override {
        for (const std::string& name : added_) {
            DeletePrinterNamed(name);
        }
        if (mapping_saved_) {
            RestoreMapping();
        }
        if (locked_) {
            ReleaseMutex(mutex_);
        }
        if (mutex_ != nullptr) {
            CloseHandle(mutex_);
        }
    }

    // Installs a printer and returns its full name, unique to this run.
    std::string Add(const char* label, const char* port, const char* driver) {
        const std::string name = std::string(kTestPrinterPrefix) + "-" +
                                 std::to_string(GetCurrentProcessId()) + "-" +
                                 std::to_string(++counter_) + "-" + label;
        const bool added = testing::AddRawPrinter(name.c_str(), port, driver);
        EXPECT_TRUE(added) << name << " error " << GetLastError();
        if (added) {
            added_.push_back(name);
        }
        return name;
    }

    // Printers that are not the plotter on USB001 though they come close.
    void AddDecoys() {
        Add("other-driver", "USB001", "other plotter driver");
        Add("lower-port", "usb001", kPlotterDriverName);
        Add("driver-case", "USB001", "Norvask Plotter Driver");
        Add("other-port", "USB002", kPlotterDriverName);
    }

    bool MapUsb001(const char* target) {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, kSpoolerKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr) != ERROR_SUCCESS) {
            return false;
        }
        const LONG set =
            target ? RegSetValueExA(key, "USB001", 0, REG_SZ, reinterpret_cast<const BYTE*>(target),
                                    static_cast<DWORD>(strlen(target) + 1))
                   : RegDeleteValueA(key, "USB001");
        RegCloseKey(key);
        return set == ERROR_SUCCESS || (!target && set == ERROR_FILE_NOT_FOUND);
    }

    std::string Captured() const { return ReadWholeFile(capture_); }

    ScratchFolder folder_;
    std::string capture_ = folder_.File("usb001.bin");
    std::string capture_unix_;
    EventLog log_;
    RecordingNotices notices_{log_};

  private:
    void RemoveLeftovers() {
        for (const auto& printer : ListPrinters()) {
            if (printer.name.rfind(kTestPrinterPrefix, 0) == 0) {
                DeletePrinterNamed(printer.name);
            }
        }
    }
    void SaveMapping() {
        char value[1024] = {};
        DWORD size = sizeof value - 1;
        had_mapping_ = RegGetValueA(HKEY_CURRENT_USER, kSpoolerKey, "USB001", RRF_RT_REG_SZ,
                                    nullptr, value, &size) == ERROR_SUCCESS;
        old_mapping_ = value;
        mapping_saved_ = true;
    }
    void RestoreMapping() { MapUsb001(had_mapping_ ? old_mapping_.c_str() : nullptr); }

    HANDLE mutex_ = nullptr;
    bool locked_ = false;
    bool mapping_saved_ = false;
    bool had_mapping_ = false;
    std::string old_mapping_;
    std::vector<std::string> added_;
    int counter_ = 0;
};

TEST_F(UsbSpoolerWine, JobArrivesExactlyAsOneDocument) {
    AddDecoys();
    Add("plotter", "USB001", kPlotterDriverName);

    const std::string whole = ByteRamp(70000);
    EXPECT_TRUE(SendToUsbPrinter(1, whole.data(), static_cast<uint32_t>(whole.size()), notices_));
    EXPECT_EQ(Captured(), whole);

    // Each document replaces the capture: a job written in chunks arrives
    // whole only if every chunk went into the same document.
    const std::string chunked = ByteRamp(150001);
    ChunkedSource source(chunked);
    Win32PrinterSpooler spooler;
    EXPECT_TRUE(SendToUsbPrinter(spooler, notices_, 1, source));
    EXPECT_EQ(Captured(), chunked);
    EXPECT_EQ(source.reads, 3);
    EXPECT_TRUE(log_.empty());
}

TEST_F(UsbSpoolerWine, LongListIsReadAgainAtItsSize) {
    AddDecoys();
    const std::string plotter = Add("plotter-in-a-long-list", "USB001", kPlotterDriverName);
    DWORD needed = 0;
    ListPrinters(&needed);
    ASSERT_GT(needed, kEnumFirstOffer);

    WatchedSpooler spooler;
    std::string found;
    EXPECT_TRUE(FindPlotterPrinter(spooler, notices_, 1, found));
    EXPECT_EQ(found, plotter);
    EXPECT_EQ(spooler.offers, (std::vector<uint32_t>{kEnumFirstOffer, needed}));
    EXPECT_TRUE(log_.empty());
}

TEST_F(UsbSpoolerWine, LastListedPlotterIsUsed) {
    const std::string a = Add("plotter-b", "USB001", kPlotterDriverName);
    const std::string b = Add("plotter-a", "USB001", kPlotterDriverName);
    std::string last;
    for (const auto& printer : ListPrinters()) {
        if (printer.name == a || printer.name == b) {
            last = printer.name;
        }
    }
    ASSERT_FALSE(last.empty());

    Win32PrinterSpooler spooler;
    std::string found;
    EXPECT_TRUE(FindPlotterPrinter(spooler, notices_, 1, found));
    EXPECT_EQ(found, last);
}

TEST_F(UsbSpoolerWine, DecoysAreNotThePlotter) {
    AddDecoys();
    testing::WriteWholeFile(capture_, "untouched");
    const std::string job = "job";
    EXPECT_FALSE(SendToUsbPrinter(1, job.data(), 3, notices_));
    EXPECT_EQ(log_, EventLog{kNotFound});
    EXPECT_EQ(Captured(), "untouched");

    Win32PrinterSpooler spooler;
    std::string found;
    EXPECT_TRUE(FindPlotterPrinter(spooler, notices_, 2, found));
    EXPECT_NE(found.find("other-port"), std::string::npos);
}

TEST_F(UsbSpoolerWine, UnmappedPortFailsAtTheDocumentEnd) {
    Add("plotter", "USB001", kPlotterDriverName);
    ASSERT_TRUE(MapUsb001(nullptr));
    const std::string job = ByteRamp(500);
    EXPECT_FALSE(SendToUsbPrinter(1, job.data(), 500, notices_));
    EXPECT_TRUE(log_.empty());  // the spooler took the bytes: no message
}

TEST_F(UsbSpoolerWine, PrinterGoneBeforeOpen) {
    const std::string plotter = Add("plotter-going", "USB001", kPlotterDriverName);
    WatchedSpooler spooler;
    spooler.after_enumeration = [&](std::size_t) { DeletePrinterNamed(plotter); };
    MemoryJobSource job("x", 1);
    EXPECT_FALSE(SendToUsbPrinter(spooler, notices_, 1, job));
    EXPECT_EQ(log_, EventLog{"balloon:Failed to open printer!"});
}

TEST_F(UsbSpoolerWine, ListGrowingBetweenTheTwoReadsFails) {
    AddDecoys();
    Add("plotter", "USB001", kPlotterDriverName);
    WatchedSpooler spooler;
    spooler.after_enumeration = [&](std::size_t call) {
        if (call == 1) {
            Add("late-a", "USB005", "other plotter driver");
            Add("late-b", "USB006", "other plotter driver");
        }
    };
    MemoryJobSource job("x", 1);
    EXPECT_FALSE(SendToUsbPrinter(spooler, notices_, 1, job));
    ASSERT_EQ(spooler.needs.size(), 2u);
    ASSERT_GT(spooler.needs[1], spooler.offers[1]);
    EXPECT_EQ(log_, (EventLog{"message:122 - " + std::to_string(spooler.needs[1]), kNotFound}));
}

}  // namespace
}  // namespace tarnik
