#pragma once
// The serial port of one job as the block sender sees it: open, write a
// block without waiting, poll that block, purge, drain, close. The Win32
// port writes overlapped, the POSIX port non-blocking; tests use a fake.
#include <cstdint>
#include <string>

namespace tarnik {

enum class BlockState {
    Done,     // the write ended; `transferred` bytes of the block left
    Pending,  // still in flight: poll again later
    Failed,   // the port reported an error; nothing more will be written
};

// How far the drain at a job's end has come.
enum class DrainState {
    Done,     // every byte handed to the driver has left the port
    Pending,  // still draining: poll again later
    Failed,   // broken off (the user's Ctrl-C) or failed: bytes may still be queued
};

struct BlockPoll {
    BlockState state = BlockState::Pending;
    uint32_t transferred = 0;
};

class JobPort {
  public:
    virtual ~JobPort() = default;

    // Opens COM port `port` for a job (38400 8N1, CTS flow control, both
    // queues purged). A port made for a named device opens that device for
    // any nonzero number. Port 0 never opens. False when it cannot be opened.
    virtual bool Open(uint8_t port) = 0;
    virtual bool IsOpen() const = 0;

    // Starts writing `count` bytes from `data`. The bytes must stay
    // untouched until a poll reports the block Done or Failed. False when
    // the write failed at once (nothing is in flight then).
    virtual bool WriteBlock(const uint8_t* data, uint32_t count) = 0;
    // Looks at the block in flight without waiting.
    virtual BlockPoll PollBlock() = 0;

    // Drops bytes received from the plotter; the transmit side is kept.
    virtual void PurgeReceive() = 0;
    // Aborts the write in flight and a drain in progress, drops both queues.
    virtual void PurgeAll() = 0;
    // Starts letting every byte handed to the driver leave the port. A
    // plotter that holds CTS off can make that take as long as it likes, so
    // the Win32 port drains beside the window's thread and returns at once
    // (Pending); the POSIX port waits here, as the command-line tool has no
    // window to keep alive and a signal breaks the wait off (Failed).
    virtual DrainState StartDrain() = 0;
    // Looks at a drain that StartDrain left Pending, without waiting.
    virtual DrainState PollDrain() = 0;
    // Closes the port; false when the system refused (it is forgotten
    // anyway). Closing a port that is not open succeeds.
    virtual bool Close() = 0;

    // The system's text for the last failure (open, write, poll, close).
    virtual std::string FailureText() const = 0;
};

}  // namespace tarnik
