// bench_serial: sends a job of every byte value through the serial job
// runner to a device (the plotter simulator's pty) and reports how long
// the sender took. scripts/bench-serial.sh pairs it with plotter_sim.
//
//   bench_serial DEVICE [BYTES]
#ifdef _WIN32

#include <cstdio>

int main() {
    std::fputs("bench_serial runs against a POSIX device\n", stderr);
    return 1;
}

#else

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "cli/serial_job_runner.h"
#include "sender/transport/posix/posix_job_port.h"

namespace {

class QuietSink : public tarnik::ProgressSink {
  public:
    void OnProgress(double, uint32_t, uint32_t) override {}
    void OnMessage(const std::string& text) override {
        std::fprintf(stderr, "bench_serial: %s\n", text.c_str());
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: bench_serial DEVICE [BYTES]\n", stderr);
        return 2;
    }
    const long size = argc > 2 ? std::atol(argv[2]) : 200 * 1024;
    std::vector<uint8_t> job(static_cast<size_t>(size > 0 ? size : 0));
    for (size_t i = 0; i < job.size(); ++i) {
        job[i] = static_cast<uint8_t>(i * 7 + 1);  // never a NUL opening a block
    }
    tarnik::PosixJobPort port(argv[1]);
    QuietSink sink;
    std::atomic<bool> cancel{false};
    const auto started = std::chrono::steady_clock::now();
    const int status = tarnik::cli::RunSerialJob(port, job.data(),
                                                 static_cast<uint32_t>(job.size()), sink, cancel);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("bench_serial: %zu bytes handed over in %.3f s, status %d\n", job.size(), seconds,
                status);
    return status;
}

#endif
