// USB on Windows: the printer of the plotter driver on port USBnnn, as the
// job sender reaches it, through one raw spooler document.
#include <cstdlib>
#include <ostream>

#include "cli/cli_args.h"
#include "cli/usb_send.h"
#include "sender/transport/usb_printer.h"
#include "sender/transport/win32/win32_printer_spooler.h"

namespace tarnik::cli {
namespace {

class ConsoleUsbNotices : public UsbNotices {
  public:
    explicit ConsoleUsbNotices(std::ostream& err) : err_(err) {}
    // The USB transport's notices hold fixed texts.
    void Notify(NoticeText text, NoticeStyle) override {
        if (!text.IsStringId()) {
            err_ << "tarnik-cli: " << text.Text() << "\n";
        }
    }

  private:
    std::ostream& err_;
};

// "1", "001" or "USB001" name USB port 1.
bool ParseUsbPort(std::string target, int& port) {
    if (target.size() > 3 && (target.rfind("USB", 0) == 0 || target.rfind("usb", 0) == 0)) {
        target = target.substr(3);
    }
    if (target.empty() || target.size() > 3)
        return false;
    for (char c : target) {
        if (c < '0' || c > '9')
            return false;
    }
    port = std::atoi(target.c_str());
    return port >= 1 && port <= 255;
}

}  // namespace

SendResult SendJobToUsb(const CapturingHandover& job, const std::string& target,
                        std::ostream& err) {
    int port = 0;
    if (!ParseUsbPort(target, port)) {
        err << "tarnik-cli: --usb needs a USB port number (1 for USB001)\n";
        return {};
    }
    CapturedJobSource source(job);
    ConsoleUsbNotices notices(err);
    Win32PrinterSpooler spooler;
    // The spooler is not followed byte by byte: a document it refused
    // counts as not taken.
    if (!SendToUsbPrinter(spooler, notices, port, source)) {
        return {};
    }
    return {kExitOk, job.Size()};
}

}  // namespace tarnik::cli
