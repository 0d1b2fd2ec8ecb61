#include "tests/support/win32/stand_in_printers.h"

#include <windows.h>
// After windows.h, which it needs.
#include <winspool.h>

#include <string>

namespace tarnik::testing {

bool AddStandInDriver(const char* name) {
    std::string driver_name = name;
    std::string wineps = "wineps.drv";
    DRIVER_INFO_3A info = {};
    info.cVersion = 3;
    info.pName = driver_name.data();
    info.pDriverPath = wineps.data();
    info.pDataFile = wineps.data();
    info.pConfigFile = wineps.data();
    return AddPrinterDriverA(nullptr, 3, reinterpret_cast<LPBYTE>(&info)) != FALSE ||
           GetLastError() == ERROR_PRINTER_DRIVER_ALREADY_INSTALLED;
}

bool AddRawPrinter(const char* name, const char* port, const char* driver) {
    std::string printer_name = name;
    std::string port_name = port;
    std::string driver_name = driver;
    std::string processor = "WinPrint";
    std::string data_type = "RAW";
    PRINTER_INFO_2A info = {};
    info.pPrinterName = printer_name.data();
    info.pPortName = port_name.data();
    info.pDriverName = driver_name.data();
    info.pPrintProcessor = processor.data();
    info.pDatatype = data_type.data();
    HANDLE printer = AddPrinterA(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
    if (printer == nullptr) {
        return false;
    }
    ClosePrinter(printer);
    return true;
}

}  // namespace tarnik::testing
