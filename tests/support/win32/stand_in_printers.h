#pragma once
// Printers for Wine's real spooler in tests: a driver entry with Wine's
// PostScript driver files behind it (the spooler wants files; the job
// passes through raw and is never rendered), and printers on a given port
// that take raw data through the WinPrint processor.
namespace tarnik::testing {

// True once driver `name` is installed, by this call or before it.
bool AddStandInDriver(const char* name);

// True when printer `name` was created; otherwise GetLastError() says why
// (ERROR_PRINTER_ALREADY_EXISTS for a name in use).
bool AddRawPrinter(const char* name, const char* port, const char* driver);

}  // namespace tarnik::testing
