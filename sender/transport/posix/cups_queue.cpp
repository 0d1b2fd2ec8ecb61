// The job as one raw document of one CUPS job, the way the Windows sender
// hands it to the print spooler: the queue's own device (a USB plotter on
// its usb backend, a file, a socket) gets the bytes unchanged.
#include <memory>
#include <vector>

#include "sender/transport/posix/cups_library.h"
#include "sender/transport/posix/usb_device_writer.h"
#include "sender/transport/usb_printer.h"

namespace tarnik {

namespace {

// Only reached once SendJobToCupsQueue has loaded the library.
const CupsLibrary& Cups() {
    return *LoadCupsLibrary();
}

struct HttpCloser {
    void operator()(http_t* http) const { Cups().httpClose(http); }
};
using Connection = std::unique_ptr<http_t, HttpCloser>;

Connection ConnectToServer() {
    return Connection(Cups().httpConnect2(Cups().cupsServer(), Cups().ippPort(), nullptr, AF_UNSPEC,
                                          Cups().cupsEncryption(), 1, 30000, nullptr));
}

std::string QueueError(const char* queue) {
    if (Cups().cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND) {
        return std::string("CUPS queue \"") + queue + "\" does not exist";
    }
    return std::string("CUPS queue \"") + queue + "\": " + Cups().cupsLastErrorString();
}

double PercentOf(uint32_t sent, uint32_t size) {
    return size == 0 ? 100.0 : static_cast<double>(sent) / static_cast<double>(size) * 100.0;
}

// Sends the document's bytes in the request started by cupsStartDocument.
// Returns kUsbJobDone, kUsbJobCancelled or kUsbJobFailed (error set).
int SendDocumentData(http_t* http, JobSource& job, std::string& error, ProgressSink* progress,
                     const std::atomic<bool>* cancel) {
    std::vector<char> chunk(kUsbChunkBytes);
    const uint32_t size = job.Size();
    for (uint32_t sent = 0; sent < size;) {
        if (cancel != nullptr && cancel->load()) {
            return kUsbJobCancelled;
        }
        const uint32_t want = size - sent < kUsbChunkBytes ? size - sent : kUsbChunkBytes;
        if (job.Read(sent, chunk.data(), want) != want) {
            error = "the job could not be read whole";
            return kUsbJobFailed;
        }
        if (Cups().cupsWriteRequestData(http, chunk.data(), want) != HTTP_STATUS_CONTINUE) {
            error = std::string("CUPS: ") + Cups().cupsLastErrorString();
            return kUsbJobFailed;
        }
        sent += want;
        if (progress != nullptr) {
            progress->OnProgress(PercentOf(sent, size), sent, size);
        }
    }
    return kUsbJobDone;
}

// A job whose document did not arrive whole is cancelled on a fresh
// connection: the one that carried the broken request is closed first, so
// the server never takes the part that came as a finished document.
void CancelOnServer(Connection& http, const char* queue, int job_id) {
    http.reset();
    Connection fresh = ConnectToServer();
    if (fresh) {
        Cups().cupsCancelJob2(fresh.get(), queue, job_id, 0);
    }
}

}  // namespace

int SendJobToCupsQueue(const char* queue, JobSource& job, std::string& error,
                       ProgressSink* progress, const std::atomic<bool>* cancel) {
    if (LoadCupsLibrary() == nullptr) {
        error = LoadCupsError();
        return kUsbJobFailed;
    }
    Connection http = ConnectToServer();
    if (!http) {
        error = std::string("cannot reach the CUPS server ") + Cups().cupsServer() + ": " +
                Cups().cupsLastErrorString();
        return kUsbJobFailed;
    }
    if (queue == nullptr || *queue == '\0') {
        error = "no CUPS queue named";
        return kUsbJobFailed;
    }
    // Job creation reports a missing queue only as a file that is not
    // there; asking for the queue first gives the server's own answer.
    cups_dest_t* dest = Cups().cupsGetNamedDest(http.get(), queue, nullptr);
    if (dest == nullptr) {
        error = QueueError(queue);
        return kUsbJobFailed;
    }
    Cups().cupsFreeDests(1, dest);
    const int job_id = Cups().cupsCreateJob(http.get(), queue, kUsbDocumentName, 0, nullptr);
    if (job_id == 0) {
        error = QueueError(queue);
        return kUsbJobFailed;
    }
    if (Cups().cupsStartDocument(http.get(), queue, job_id, kUsbDocumentName, CUPS_FORMAT_RAW, 1) !=
        HTTP_STATUS_CONTINUE) {
        error = QueueError(queue);
        CancelOnServer(http, queue, job_id);
        return kUsbJobFailed;
    }
    const int status = SendDocumentData(http.get(), job, error, progress, cancel);
    if (status != kUsbJobDone) {
        CancelOnServer(http, queue, job_id);
        return status;
    }
    if (Cups().cupsFinishDocument(http.get(), queue) > IPP_STATUS_OK_CONFLICTING) {
        error = QueueError(queue);
        return kUsbJobFailed;
    }
    return kUsbJobDone;
}

}  // namespace tarnik
