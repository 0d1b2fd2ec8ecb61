#pragma once
// The Win32 print spooler behind the USB transport: EnumPrintersA,
// OpenPrinterA, StartDocPrinterA, StartPagePrinter, WritePrinter,
// EndPagePrinter, EndDocPrinter, ClosePrinter. The printer handle is closed
// at the latest when the spooler object goes.
#include <windows.h>

#include <cstdint>
#include <string>

#include "sender/pipeline/job_buffer.h"
#include "sender/transport/usb_printer.h"

namespace tarnik {

class Win32PrinterSpooler : public PrinterSpooler {
  public:
    Win32PrinterSpooler() = default;
    ~Win32PrinterSpooler() override;
    Win32PrinterSpooler(const Win32PrinterSpooler&) = delete;
    Win32PrinterSpooler& operator=(const Win32PrinterSpooler&) = delete;

    Enumeration EnumeratePrinters(unsigned char* buffer, std::size_t capacity,
                                  uint32_t offered) override;
    PrinterRecord RecordAt(const unsigned char* buffer, std::size_t capacity,
                           uint32_t index) override;
    OpenResult Open(const std::string& printer_name) override;
    bool StartDocument(const char* document_name, const char* data_type) override;
    void StartPage() override;
    bool Write(const char* data, uint32_t count, uint32_t& written) override;
    void EndPage() override;
    bool EndDocument() override;
    void AbortDocument() override;
    void Close() override;

  private:
    HANDLE printer_ = nullptr;
};

// The main window's USB hand-over: the plotter on USB port `usb_port` gets
// `length` bytes of `data` as one raw document.
bool SendToUsbPrinter(uint8_t usb_port, const char* data, uint32_t length, UsbNotices& notices);
// The same for a job buffer, which is freed before this returns, whatever
// the result: a job held in memory goes in one write, a job read from its
// work file in chunks of one document.
bool SendJobBufferToUsbPrinter(uint8_t usb_port, JobBuffer job, UsbNotices& notices);

}  // namespace tarnik
