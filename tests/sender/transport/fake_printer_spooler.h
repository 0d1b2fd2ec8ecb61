#pragma once
// A print spooler that keeps its printers in memory, logs every call in
// order, and can be told to fail at each step. Notices are logged in the
// same list, so a test sees what the user saw between the spooler calls.
#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "sender/transport/job_source.h"
#include "sender/transport/usb_printer.h"
#include "tests/support/notice_words.h"

namespace tarnik::testing::usb_send {

using EventLog = std::vector<std::string>;

class RecordingNotices : public UsbNotices {
  public:
    explicit RecordingNotices(EventLog& log) : log_(log) {}
    // "balloon:TEXT" for warning balloons, "message:TEXT" for boxes.
    void Notify(NoticeText text, NoticeStyle style) override {
        const char* kind = style == NoticeStyle::kMessageBox       ? "message:"
                           : style == NoticeStyle::kWarningBalloon ? "balloon:"
                                                                   : "info-balloon:";
        log_.push_back(kind + NoticeWords(text));
    }

  private:
    EventLog& log_;
};

// One installed printer; "<null>" stands for a name the spooler left out.
struct FakePrinter {
    std::string name;
    std::string port;
    std::string driver;
};

class FakeSpooler : public PrinterSpooler {
  public:
    explicit FakeSpooler(EventLog& log) : log_(log) {}

    std::vector<FakePrinter> printers;
    uint32_t list_bytes = 600;       // what the whole list needs
    uint32_t list_growth = 0;        // added to list_bytes after the first call
    uint32_t enumeration_error = 0;  // nonzero: every enumeration fails with it
    OpenResult open = OpenResult::Opened;
    bool start_document = true;
    bool write_succeeds = true;
    uint32_t write_limit = UINT32_MAX;  // most bytes taken per write
    bool end_document = true;

    std::string document;  // bytes written since the last start
    bool aborted = false;

    Enumeration EnumeratePrinters(unsigned char* buffer, std::size_t capacity,
                                  uint32_t offered) override {
        const bool zeroed =
            std::all_of(buffer, buffer + capacity, [](unsigned char b) { return b == 0; });
        log_.push_back("enum " + std::to_string(offered) + "/" + std::to_string(capacity) +
                       (zeroed ? "" : " dirty"));
        const uint32_t needed = list_bytes;
        list_bytes += list_growth;
        if (enumeration_error != 0) {
            return {false, needed, 0, enumeration_error};
        }
        if (offered < needed) {
            return {false, needed, 0, 122};
        }
        return {true, needed, static_cast<uint32_t>(printers.size()), 0};
    }
    PrinterRecord RecordAt(const unsigned char*, std::size_t, uint32_t index) override {
        const FakePrinter& p = printers.at(index);
        return {Name(p.name), Name(p.port), Name(p.driver)};
    }
    OpenResult Open(const std::string& printer_name) override {
        log_.push_back("open " + printer_name);
        return open;
    }
    bool StartDocument(const char* document_name, const char* data_type) override {
        log_.push_back(std::string("start-doc ") + document_name + " " + data_type);
        document.clear();
        return start_document;
    }
    void StartPage() override { log_.push_back("start-page"); }
    bool Write(const char* data, uint32_t count, uint32_t& written) override {
        log_.push_back("write " + std::to_string(count));
        written = std::min(count, write_limit);
        document.append(data, written);
        return write_succeeds;
    }
    void EndPage() override { log_.push_back("end-page"); }
    bool EndDocument() override {
        log_.push_back("end-doc");
        return end_document;
    }
    void AbortDocument() override {
        log_.push_back("abort-doc");
        aborted = true;
    }
    void Close() override { log_.push_back("close"); }

  private:
    static const char* Name(const std::string& s) { return s == "<null>" ? nullptr : s.c_str(); }
    EventLog& log_;
};

// A job that can only be read in chunks; `readable` bytes can be read, the
// rest of the job fails.
class ChunkedSource : public JobSource {
  private:
    std::string bytes_;

  public:
    explicit ChunkedSource(std::string bytes) : bytes_(std::move(bytes)), readable(bytes_.size()) {}

    std::size_t readable;
    int reads = 0;

    uint32_t Size() const override { return static_cast<uint32_t>(bytes_.size()); }
    uint32_t Read(uint32_t offset, char* dst, uint32_t count) override {
        ++reads;
        if (offset >= readable) {
            return 0;
        }
        const uint32_t n = static_cast<uint32_t>(std::min<std::size_t>(count, readable - offset));
        std::copy_n(bytes_.data() + offset, n, dst);
        return n;
    }
};

// Every byte value in turn, `size` of them.
inline std::string ByteRamp(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>(i * 7 % 256);
    }
    return bytes;
}

}  // namespace tarnik::testing::usb_send
