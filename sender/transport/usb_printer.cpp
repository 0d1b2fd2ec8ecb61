#include "sender/transport/usb_printer.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "sender/pipeline/job_start.h"
#include "sender/pipeline/work_file.h"

namespace tarnik {

namespace {

bool SameBytes(const char* name, const char* wanted) {
    return name != nullptr && std::strcmp(name, wanted) == 0;
}

// A zero-filled enumeration buffer; null when it cannot be allocated.
std::unique_ptr<unsigned char[]> ZeroFilled(std::size_t bytes) {
    return std::unique_ptr<unsigned char[]>(new (std::nothrow) unsigned char[bytes]());
}

// Closes the open printer when the send leaves early.
class OpenPrinterGuard {
  public:
    explicit OpenPrinterGuard(PrinterSpooler& spooler) : spooler_(spooler) {}
    ~OpenPrinterGuard() {
        if (document_open_) {
            spooler_.AbortDocument();
        }
        spooler_.Close();
    }
    OpenPrinterGuard(const OpenPrinterGuard&) = delete;
    OpenPrinterGuard& operator=(const OpenPrinterGuard&) = delete;

    // While set, leaving early drops the document instead of letting the
    // close end it with part of the job in it.
    void SetDocumentOpen(bool open) { document_open_ = open; }

  private:
    PrinterSpooler& spooler_;
    bool document_open_ = false;
};

bool WriteWhole(PrinterSpooler& spooler, const char* data, uint32_t count) {
    uint32_t written = 0;
    return spooler.Write(data, count, written) && written >= count;
}

// A chunked source: every chunk must arrive whole from the source and be
// taken whole by the spooler, or the job is not complete. A job that cannot
// be read is the job sender's own failure, so the user is told; the
// spooler's refusals stay without a message.
bool WriteChunks(PrinterSpooler& spooler, UsbNotices& notices, JobSource& job, char* chunk) {
    const uint32_t size = job.Size();
    for (uint32_t offset = 0; offset < size;) {
        const uint32_t want = size - offset < kUsbChunkBytes ? size - offset : kUsbChunkBytes;
        if (job.Read(offset, chunk, want) != want) {
            notices.Notify(kWorkFileUnreadable, NoticeStyle::kMessageBox);
            return false;
        }
        if (!WriteWhole(spooler, chunk, want)) {
            return false;
        }
        offset += want;
    }
    return true;
}

}  // namespace

std::string UsbPortName(int port) {
    char name[16];
    std::snprintf(name, sizeof name, "USB%03d", port);
    return name;
}

std::string EnumerationFailureText(uint32_t error, uint32_t needed) {
    char text[32];
    std::snprintf(text, sizeof text, "%d - %d", static_cast<int32_t>(error),
                  static_cast<int32_t>(needed));
    return text;
}

bool IsPlotterPrinter(const PrinterRecord& record, const std::string& port_name) {
    return SameBytes(record.port_name, port_name.c_str()) &&
           SameBytes(record.driver_name, kPlotterDriverName);
}

bool FindPlotterPrinter(PrinterSpooler& spooler, UsbNotices& notices, int port,
                        std::string& printer_name) {
    const std::string port_name = UsbPortName(port);
    std::size_t capacity = std::size_t{kEnumFirstOffer} + kEnumSpareBytes;
    std::unique_ptr<unsigned char[]> buffer = ZeroFilled(capacity);
    PrinterSpooler::Enumeration list;
    if (buffer) {
        list = spooler.EnumeratePrinters(buffer.get(), capacity, kEnumFirstOffer);
    } else {
        list.error = kEnumNoMemoryError;
    }
    if (buffer && list.needed > kEnumFirstOffer) {
        // The list has grown past the first offer: read it again whole.
        const uint32_t needed = list.needed;
        capacity = std::size_t{needed} + kEnumSpareBytes;
        buffer = ZeroFilled(capacity);
        if (buffer) {
            list = spooler.EnumeratePrinters(buffer.get(), capacity, needed);
        } else {
            list = PrinterSpooler::Enumeration{false, needed, 0, kEnumNoMemoryError};
        }
    }
    if (!list.ok) {
        notices.Notify(EnumerationFailureText(list.error, list.needed), NoticeStyle::kMessageBox);
        return false;
    }
    // Every record is looked at: with several plotters on the port, the one
    // the spooler lists last is used.
    bool found = false;
    for (uint32_t i = 0; i < list.returned; ++i) {
        const PrinterRecord record = spooler.RecordAt(buffer.get(), capacity, i);
        if (IsPlotterPrinter(record, port_name) && record.printer_name != nullptr) {
            printer_name = record.printer_name;
            found = true;
        }
    }
    return found;
}

bool SendToUsbPrinter(PrinterSpooler& spooler, UsbNotices& notices, int port, JobSource& job) {
    // A job read in chunks needs its chunk buffer before any printer is
    // looked for.
    const char* whole = job.WholeJob();
    std::unique_ptr<char[]> chunk;
    if (whole == nullptr) {
        chunk.reset(new (std::nothrow) char[kUsbChunkBytes]);
        if (!chunk) {
            notices.Notify(kJobBufferNoMemory, NoticeStyle::kMessageBox);
            return false;
        }
    }
    std::string printer_name;
    if (!FindPlotterPrinter(spooler, notices, port, printer_name)) {
        notices.Notify(kTextPrinterNotFound, NoticeStyle::kWarningBalloon);
        return false;
    }
    switch (spooler.Open(printer_name)) {
        case PrinterSpooler::OpenResult::Failed:
            notices.Notify(kTextOpenPrinterFailed, NoticeStyle::kWarningBalloon);
            return false;
        case PrinterSpooler::OpenResult::NullHandle:
            return false;
        case PrinterSpooler::OpenResult::Opened:
            break;
    }
    OpenPrinterGuard printer(spooler);
    if (!spooler.StartDocument(kUsbDocumentName, kUsbDataType)) {
        return false;
    }
    printer.SetDocumentOpen(true);
    spooler.StartPage();
    const bool written = whole != nullptr ? WriteWhole(spooler, whole, job.Size())
                                          : WriteChunks(spooler, notices, job, chunk.get());
    if (!written) {
        return false;
    }
    spooler.EndPage();
    printer.SetDocumentOpen(false);
    return spooler.EndDocument();
}

}  // namespace tarnik
