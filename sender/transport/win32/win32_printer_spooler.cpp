#include "sender/transport/win32/win32_printer_spooler.h"

#include <winspool.h>

#include "sender/transport/job_buffer_source.h"

namespace tarnik {

Win32PrinterSpooler::~Win32PrinterSpooler() {
    Close();
}

PrinterSpooler::Enumeration Win32PrinterSpooler::EnumeratePrinters(unsigned char* buffer,
                                                                   std::size_t, uint32_t offered) {
    DWORD needed = 0;
    DWORD returned = 0;
    Enumeration list;
    list.ok = EnumPrintersA(kPrinterEnumFlags, nullptr, kPrinterInfoLevel, buffer, offered, &needed,
                            &returned) != FALSE;
    list.error = list.ok ? 0 : GetLastError();
    list.needed = needed;
    list.returned = list.ok ? returned : 0;
    return list;
}

PrinterRecord Win32PrinterSpooler::RecordAt(const unsigned char* buffer, std::size_t capacity,
                                            uint32_t index) {
    PrinterRecord record;
    if (buffer == nullptr || (std::size_t{index} + 1) * sizeof(PRINTER_INFO_2A) > capacity) {
        return record;
    }
    const auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer) + index;
    record.printer_name = info->pPrinterName;
    record.port_name = info->pPortName;
    record.driver_name = info->pDriverName;
    return record;
}

PrinterSpooler::OpenResult Win32PrinterSpooler::Open(const std::string& printer_name) {
    Close();
    HANDLE handle = nullptr;
    std::string name = printer_name;  // the call takes a writable string
    if (!OpenPrinterA(name.data(), &handle, nullptr)) {
        return OpenResult::Failed;
    }
    if (handle == nullptr) {
        return OpenResult::NullHandle;
    }
    printer_ = handle;
    return OpenResult::Opened;
}

bool Win32PrinterSpooler::StartDocument(const char* document_name, const char* data_type) {
    std::string name = document_name;
    std::string type = data_type;
    DOC_INFO_1A info = {};
    info.pDocName = name.data();
    info.pOutputFile = nullptr;
    info.pDatatype = type.data();
    return StartDocPrinterA(printer_, 1, reinterpret_cast<LPBYTE>(&info)) != 0;
}

void Win32PrinterSpooler::StartPage() {
    StartPagePrinter(printer_);
}

bool Win32PrinterSpooler::Write(const char* data, uint32_t count, uint32_t& written) {
    DWORD done = 0;
    // The call does not change the bytes; it only lacks the const.
    const BOOL ok = WritePrinter(printer_, const_cast<char*>(data), count, &done);
    written = done;
    return ok != FALSE;
}

void Win32PrinterSpooler::EndPage() {
    EndPagePrinter(printer_);
}

bool Win32PrinterSpooler::EndDocument() {
    return EndDocPrinter(printer_) != FALSE;
}

void Win32PrinterSpooler::AbortDocument() {
    AbortPrinter(printer_);
}

void Win32PrinterSpooler::Close() {
    if (printer_ != nullptr) {
        ::ClosePrinter(printer_);
        printer_ = nullptr;
    }
}

bool SendToUsbPrinter(uint8_t usb_port, const char* data, uint32_t length, UsbNotices& notices) {
    Win32PrinterSpooler spooler;
    MemoryJobSource job(data, length);
    return SendToUsbPrinter(spooler, notices, usb_port, job);
}

bool SendJobBufferToUsbPrinter(uint8_t usb_port, JobBuffer job, UsbNotices& notices) {
    Win32PrinterSpooler spooler;
    JobBufferSource source(job);
    const bool sent = SendToUsbPrinter(spooler, notices, usb_port, source);
    job.Free();
    return sent;
}

}  // namespace tarnik
