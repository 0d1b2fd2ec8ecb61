#pragma once
// The USB printer-port transport: a plotter attached by USB is installed as
// a printer that uses the plotter driver on a port USB000 to USB019. The
// transport finds that printer among the installed printers by port name
// and driver name and sends a whole job to it as one raw spooler document,
// in one call, without progress or cancel.
//
// The rules live here, portable; the spooler itself is a seam (the Win32
// print spooler in win32/, fakes in tests).
#include <cstddef>
#include <cstdint>
#include <string>

#include "sender/pipeline/notice.h"
#include "sender/transport/job_source.h"

namespace tarnik {

// The plotter's printer driver, compared byte for byte (case and blanks count).
inline constexpr char kPlotterDriverName[] = "norvask plotter driver";
// The spooler document of a job: no output file, raw data, so the driver
// passes the plotter commands through unrendered.
inline constexpr char kUsbDocumentName[] = "TarnikDoc";
inline constexpr char kUsbDataType[] = "RAW";

// Fixed English texts of the USB transport.
inline constexpr char kTextPrinterNotFound[] =
    "Norvask printer cannot be found on the specified USB port!";
inline constexpr char kTextOpenPrinterFailed[] = "Failed to open printer!";

// Enumeration: local printers and connections (PRINTER_ENUM_LOCAL |
// PRINTER_ENUM_CONNECTIONS), information level 2 (printer, port and driver
// names). The first call offers 1024 bytes of a zero-filled 1028-byte
// buffer; when the spooler needs more, a second call offers the needed size
// in a zero-filled buffer 4 bytes larger.
inline constexpr uint32_t kPrinterEnumFlags = 6;
inline constexpr uint32_t kPrinterInfoLevel = 2;
inline constexpr uint32_t kEnumFirstOffer = 1024;
inline constexpr uint32_t kEnumSpareBytes = 4;
// The spooler's code for "not enough memory", reported when the second
// enumeration buffer cannot be allocated.
inline constexpr uint32_t kEnumNoMemoryError = 8;

// Bytes per spooler write when a job can only be read in chunks (a job held
// whole in memory goes in one write).
inline constexpr uint32_t kUsbChunkBytes = 64 * 1024;

// "USB%03d": port 1 gives "USB001", port 12 "USB012", port 0 "USB000".
std::string UsbPortName(int port);
// "%d - %d" of the spooler's error code and the needed size, both shown as
// signed 32-bit numbers.
std::string EnumerationFailureText(uint32_t error, uint32_t needed);

// The three names of one installed printer; a name the spooler left out is
// null and matches nothing.
struct PrinterRecord {
    const char* printer_name = nullptr;
    const char* port_name = nullptr;
    const char* driver_name = nullptr;
};

// True when the record is the plotter on `port_name`: both its port name and
// its driver name equal byte for byte.
bool IsPlotterPrinter(const PrinterRecord& record, const std::string& port_name);

// What the user sees of a USB job: warning balloons of the main window's
// notification icon and message boxes.
class UsbNotices : public Notifier {};

// The print spooler as the transport uses it. One printer at a time is open.
class PrinterSpooler {
  public:
    virtual ~PrinterSpooler() = default;

    struct Enumeration {
        bool ok = false;
        uint32_t needed = 0;    // bytes the spooler needs for the whole list
        uint32_t returned = 0;  // records written into the buffer
        uint32_t error = 0;     // the spooler's error code when !ok
    };
    // Lists the installed printers (kPrinterEnumFlags, kPrinterInfoLevel)
    // into `buffer`, offering `offered` of its `capacity` bytes.
    virtual Enumeration EnumeratePrinters(unsigned char* buffer, std::size_t capacity,
                                          uint32_t offered) = 0;
    // Record `index` of a buffer that a successful enumeration filled; the
    // names point into the buffer. An index the buffer cannot hold gives a
    // record without names.
    virtual PrinterRecord RecordAt(const unsigned char* buffer, std::size_t capacity,
                                   uint32_t index) = 0;

    enum class OpenResult { Opened, Failed, NullHandle };
    virtual OpenResult Open(const std::string& printer_name) = 0;
    // Starts a level-1 document without an output file.
    virtual bool StartDocument(const char* document_name, const char* data_type) = 0;
    virtual void StartPage() = 0;
    virtual bool Write(const char* data, uint32_t count, uint32_t& written) = 0;
    virtual void EndPage() = 0;
    virtual bool EndDocument() = 0;
    // Drops the document being written, so a part of a job never reaches the
    // plotter.
    virtual void AbortDocument() = 0;
    virtual void Close() = 0;
};

// Walks every installed printer and stores the name of the last one that is
// the plotter on USB port `port`. Returns false when none is (without a
// message) or when the enumeration failed (message "%d - %d").
bool FindPlotterPrinter(PrinterSpooler& spooler, UsbNotices& notices, int port,
                        std::string& printer_name);

// Sends the whole job as one raw document "TarnikDoc" to the plotter on USB
// port `port`. True when the spooler accepted every byte and ended the
// document. A job held whole in memory goes in one write, a chunked source
// in writes of kUsbChunkBytes within the same document. The job's bytes
// stay the caller's.
bool SendToUsbPrinter(PrinterSpooler& spooler, UsbNotices& notices, int port, JobSource& job);

}  // namespace tarnik
