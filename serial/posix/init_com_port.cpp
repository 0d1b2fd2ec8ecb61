// POSIX opener of a job port: a non-blocking descriptor in raw 38400 8N1
// mode, so that the job sender can write a block and poll its progress
// without waiting. A pseudo-terminal accepts and ignores the speed and the
// hardware flow control flag.
#include "serial/init_com_port.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include "serial/com_port_names.h"

namespace tarnik {
namespace {

bool ApplyJobLineSettings(int fd) {
    termios line = {};
    if (tcgetattr(fd, &line) != 0) {
        return false;
    }
    cfmakeraw(&line);
    line.c_cflag &= ~(CSIZE | PARENB | CSTOPB);
    line.c_cflag |= CS8 | CLOCAL | CREAD | CRTSCTS;
    line.c_cc[VMIN] = 0;
    line.c_cc[VTIME] = 0;
    if (cfsetispeed(&line, B38400) != 0 || cfsetospeed(&line, B38400) != 0) {
        return false;
    }
    return tcsetattr(fd, TCSANOW, &line) == 0;
}

// Descriptor 0 means "no port" to the sender: a process started with its
// standard input closed would get it, so move low descriptors up.
int AboveStandardDescriptors(int fd) {
    if (fd > 2) {
        return fd;
    }
    const int moved = fcntl(fd, F_DUPFD_CLOEXEC, 3);
    close(fd);
    return moved;
}

// Takes the device for this job alone: an advisory lock that other
// programs taking the device honour (a second job of this tool among them),
// and the terminal's exclusive mode, which refuses any further open by an
// ordinary user. Two jobs on one line would interleave their blocks, and
// the plotter would cut a mix of both. A device already taken gives EBUSY.
bool TakeDeviceExclusively(int fd) {
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK) {
            errno = EBUSY;
        }
        return false;
    }
    // Not every device is a terminal with an exclusive mode; the lock holds.
    ioctl(fd, TIOCEXCL);
    return true;
}

}  // namespace

ComHandle InitComDevice(const char* device) {
    if (device == nullptr || device[0] == '\0') {
        return kInvalidComHandle;
    }
    int fd = open(device, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return kInvalidComHandle;
    }
    fd = AboveStandardDescriptors(fd);
    if (fd < 0) {
        return kInvalidComHandle;
    }
    if (!TakeDeviceExclusively(fd) || !ApplyJobLineSettings(fd)) {
        const int error = errno;
        ioctl(fd, TIOCNXCL);
        close(fd);
        errno = error;
        return kInvalidComHandle;
    }
    tcflush(fd, TCIOFLUSH);
    return fd;
}

ComHandle InitComPort(uint8_t port) {
    if (port == 0) {
        return kInvalidComHandle;
    }
    return InitComDevice(PosixSerialDeviceName(port).c_str());
}

bool CloseComPort(ComHandle handle) {
    if (handle == kNoComHandle || handle == kInvalidComHandle) {
        return true;
    }
    // The exclusive mode outlives this descriptor while another one keeps
    // the terminal open (a simulator's own end of a pseudo-terminal): the
    // next job must find the device free again.
    ioctl(static_cast<int>(handle), TIOCNXCL);
    return close(static_cast<int>(handle)) == 0;
}

}  // namespace tarnik
