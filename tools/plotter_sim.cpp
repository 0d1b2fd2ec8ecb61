// plotter_sim (installed as tarnik-plotter-sim): a plotter on a
// pseudo-terminal for trying the serial job sender without hardware. It creates a pty, prints the
// device the sender should open, takes bytes no faster than a 38400-baud 8N1 line carries (3840
// bytes/s: ten bits per byte), so the sender meets real back-pressure, and records every byte it
// receives.
//
//   tarnik-plotter-sim [--out FILE] [--link PATH] [--rate BYTES_PER_S] [--idle-exit SECONDS]
//   tarnik-plotter-sim --help | --version
//
// Ends on SIGTERM or SIGINT, or after --idle-exit seconds without data;
// then prints how many bytes came and at what rate (first to last byte).
#ifdef _WIN32

#include <cstdio>

int main() {
    std::fputs("plotter_sim needs a POSIX pseudo-terminal\n", stderr);
    return 1;
}

#else

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "cli/product_version.h"

namespace {

using Clock = std::chrono::steady_clock;

// The name users start it by: the package installs it under this name.
constexpr char kProgram[] = "tarnik-plotter-sim";

constexpr char kUsage[] =
    "usage: tarnik-plotter-sim [--out FILE] [--link PATH] [--rate BYTES_PER_S]"
    " [--idle-exit SECONDS]\n"
    "       tarnik-plotter-sim --help | --version\n";

volatile sig_atomic_t g_stop = 0;
void OnSignal(int) {
    g_stop = 1;
}

struct Options {
    std::string out;
    std::string link;
    double rate = 3840.0;  // bytes per second
    double idle_exit = 0;  // seconds; 0: wait for a signal
};

enum class Request { Run, Help, Version, Wrong };

Request ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (name == "--help" || name == "-h") {
            return Request::Help;
        }
        if (name == "--version") {
            return Request::Version;
        }
        if (i + 1 >= argc) {
            return Request::Wrong;
        }
        const char* value = argv[++i];
        if (name == "--out") {
            options.out = value;
        } else if (name == "--link") {
            options.link = value;
        } else if (name == "--rate") {
            options.rate = std::atof(value);
        } else if (name == "--idle-exit") {
            options.idle_exit = std::atof(value);
        } else {
            return Request::Wrong;
        }
    }
    return options.rate > 0 ? Request::Run : Request::Wrong;
}

// The controlling side of a pty in raw mode, so the line discipline passes
// every byte value unchanged in both directions.
int OpenPlotterPty(std::string& device) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        return -1;
    }
    device = ptsname(master);
    termios line = {};
    if (tcgetattr(master, &line) == 0) {
        cfmakeraw(&line);
        tcsetattr(master, TCSANOW, &line);
    }
    return master;
}

struct Stats {
    long long bytes = 0;
    long long first_read = 0;  // bytes of the first read, which opens the clock
    Clock::time_point first;
    Clock::time_point last;
};

// Token bucket: tokens are bytes the line could have carried since the
// last read, capped at 64 bytes (17 ms of line time), so reads never run
// ahead of the line rate; reads wait for 16 tokens, so sleep overshoot
// does not eat line time.
void Receive(int master, const Options& options, FILE* out, Stats& stats) {
    constexpr double kBucketBytes = 64;
    constexpr double kReadBytes = 16;
    double tokens = 0;
    auto refilled = Clock::now();
    auto last_data = refilled;
    unsigned char chunk[64];
    while (!g_stop) {
        const auto now = Clock::now();
        tokens =
            std::min(kBucketBytes,
                     tokens + std::chrono::duration<double>(now - refilled).count() * options.rate);
        refilled = now;
        if (options.idle_exit > 0 &&
            std::chrono::duration<double>(now - last_data).count() > options.idle_exit) {
            return;
        }
        if (tokens < kReadBytes) {
            usleep(static_cast<useconds_t>((kReadBytes - tokens) / options.rate * 1e6) + 1);
            continue;
        }
        pollfd ready = {master, POLLIN, 0};
        if (poll(&ready, 1, 20) <= 0 || !(ready.revents & POLLIN)) {
            // The line is quiet: what came so far goes to --out, so that a
            // test reading it between jobs sees every byte received.
            if (out != nullptr) {
                std::fflush(out);
            }
            continue;  // POLLHUP alone: no sender has the device open
        }
        const ssize_t got = read(master, chunk, static_cast<size_t>(tokens));
        if (got <= 0) {
            continue;
        }
        tokens -= static_cast<double>(got);
        last_data = Clock::now();
        if (stats.bytes == 0) {
            stats.first = last_data;
            stats.first_read = got;
        }
        stats.last = last_data;
        stats.bytes += got;
        if (out != nullptr) {
            std::fwrite(chunk, 1, static_cast<size_t>(got), out);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    switch (ParseOptions(argc, argv, options)) {
        case Request::Run:
            break;
        case Request::Help:
            std::fputs(kUsage, stdout);
            return 0;
        case Request::Version:
            std::printf("%s (Tarnik) %s\n", kProgram, tarnik::cli::ProductVersion());
            return 0;
        case Request::Wrong:
            std::fputs(kUsage, stderr);
            return 2;
    }
    std::string device;
    const int master = OpenPlotterPty(device);
    if (master < 0) {
        std::fprintf(stderr, "%s: pseudo-terminal: %s\n", kProgram, std::strerror(errno));
        return 1;
    }
    // Hold the terminal side open too: between jobs the device stays there
    // and reads see no hang-up.
    const int keep_open = open(device.c_str(), O_RDWR | O_NOCTTY);
    FILE* out = options.out.empty() ? nullptr : std::fopen(options.out.c_str(), "wb");
    if (!options.out.empty() && out == nullptr) {
        std::perror(options.out.c_str());
        return 1;
    }
    if (!options.link.empty()) {
        unlink(options.link.c_str());
        if (symlink(device.c_str(), options.link.c_str()) != 0) {
            std::perror(options.link.c_str());
            return 1;
        }
    }
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    std::printf("%s\n", device.c_str());
    std::fflush(stdout);

    Stats stats;
    Receive(master, options, out, stats);

    if (out != nullptr) {
        std::fclose(out);
    }
    if (!options.link.empty()) {
        unlink(options.link.c_str());
    }
    const double seconds = std::chrono::duration<double>(stats.last - stats.first).count();
    std::fprintf(stderr, "%s: received %lld bytes in %.3f s: %.1f bytes/s (line %.0f)\n", kProgram,
                 stats.bytes, seconds,
                 seconds > 0 ? (stats.bytes - stats.first_read) / seconds : 0.0, options.rate);
    if (keep_open >= 0) {
        close(keep_open);
    }
    close(master);
    return 0;
}

#endif
