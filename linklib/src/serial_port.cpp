#include "serial_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <string>
#include <thread>

#include "link_state.h"
#include "relvo7link.h"
#include "text.h"

namespace relvo7link {

namespace {

struct SerialState {
    std::atomic<int> fd{-1};   // written under the link mutex; read by COM_IsOpen without it
    ReceiveArea area;
};

SerialState& serial()
{
    static SerialState& state = *new SerialState;   // outlives every thread
    return state;
}

constexpr size_t kMaxPathLength = 255;
constexpr int kWriteTimeoutMs = 1000;

// Milliseconds left until the deadline, rounded up so poll() never wakes early.
int millisecondsUntil(Clock::time_point deadline)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left <= 0 ? 0 : left > 60'000 ? 60'000 : static_cast<int>(left);
}

void closeLocked()
{
    const int fd = serial().fd.exchange(-1);
    if (fd >= 0) {
        tcflush(fd, TCIOFLUSH);
        ioctl(fd, TIOCNXCL);   // the terminal may stay open elsewhere; let the next open in
        close(fd);             // releases the flock
    }
    deselectTransport();
}

bool isOpen() { return serial().fd.load() >= 0; }

int sendRequest(const uint8_t* frame, size_t size)
{
    const int fd = serial().fd.load();
    tcflush(fd, TCIOFLUSH);   // stale bytes of an earlier reply go here
    serial().area.reset();
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(kWriteTimeoutMs);
    size_t done = 0;
    while (done < size) {
        const ssize_t n = write(fd, frame + done, size - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN)
            return MODBUS_ERR_IO;
        const int wait = millisecondsUntil(deadline);
        if (wait == 0)
            return MODBUS_ERR_IO;
        pollfd p{fd, POLLOUT, 0};
        poll(&p, 1, wait);
    }
    return 0;
}

int awaitReply(uint32_t seen, Clock::time_point deadline)
{
    SerialState& s = serial();
    const int fd = s.fd.load();
    for (;;) {
        const int wait = millisecondsUntil(deadline);
        if (wait == 0)
            return static_cast<int>(seen);
        pollfd p{fd, POLLIN, 0};
        const int ready = poll(&p, 1, wait);
        if (ready < 0 && errno != EINTR)
            return MODBUS_ERR_IO;
        if (ready <= 0)
            continue;
        int waiting = 0;
        if ((p.revents & POLLIN) && ioctl(fd, FIONREAD, &waiting) == 0 && waiting > 0) {
            if (seen + static_cast<uint32_t>(waiting) >= ReceiveArea::kSize)
                return MODBUS_ERR_OVERFLOW;
            const ssize_t n = read(fd, s.area.tail(), static_cast<size_t>(waiting));
            if (n < 0 && errno != EAGAIN && errno != EINTR)
                return MODBUS_ERR_IO;
            if (n > 0) {
                s.area.advance(static_cast<uint32_t>(n));
                return static_cast<int>(seen + static_cast<uint32_t>(n));
            }
        }
        // Readable without bytes (a hung-up line, a line error): look again shortly.
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

const uint8_t* replyBytes() { return serial().area.bytes(); }

speed_t baudFor(uint32_t index) { return index == 1 ? B19200 : B9600; }

tcflag_t dataBitsFor(uint32_t index)
{
    switch (index) {
    case 0: return CS5;
    case 1: return CS6;
    case 2: return CS7;
    default: return CS8;
    }
}

tcflag_t parityFor(uint32_t index)
{
    switch (index) {
    case 1: return PARENB | PARODD;
    case 2: return PARENB;
    default: return 0;
    }
}

// Index 0 is one stop bit; 1 (1.5, which termios lacks) and above are two.
tcflag_t stopBitsFor(uint32_t index) { return index == 0 ? 0 : CSTOPB; }

}  // namespace

const Transport serialTransport{Framing::Rtu, isOpen, sendRequest, awaitReply, replyBytes};

int serialOpen(const char16_t* name)
{
    if (name == nullptr)
        return COM_ERR_OPEN;
    std::lock_guard lock(linkMutex());
    closeLocked();
    if (utf16Length(name) + 6 >= 256)
        return LINK_ERR_LENGTH;
    std::string path = utf16ToUtf8(name);
    if (path.empty() || path[0] != '/')
        path = "/dev/" + path;
    if (path.size() > kMaxPathLength)
        return COM_ERR_OPEN;

    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return COM_ERR_OPEN;
    // No sharing: another open of the port fails while this one holds it.
    if (!isatty(fd) || flock(fd, LOCK_EX | LOCK_NB) != 0 || ioctl(fd, TIOCEXCL) != 0) {
        close(fd);
        return COM_ERR_OPEN;
    }
    serial().fd = fd;
    activeTransport = &serialTransport;
    return LINK_OK;
}

int serialSetup(uint32_t baudIndex, uint32_t dataBitsIndex, uint32_t parityIndex, uint32_t stopBitsIndex)
{
    std::lock_guard lock(linkMutex());
    const int fd = serial().fd.load();
    if (fd < 0)
        return COM_ERR_OPEN;

    // Break on while the line changes; a device without break (a pseudo-terminal) is fine.
    ioctl(fd, TIOCSBRK);
    tcflush(fd, TCIOFLUSH);

    termios tio{};
    if (tcgetattr(fd, &tio) != 0)
        return COM_ERR_SETUP;
    tio.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON |
                                          IXOFF | IXANY | INPCK | IGNPAR);
    tio.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    tio.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS | HUPCL);
    tio.c_cflag |= CREAD | CLOCAL | dataBitsFor(dataBitsIndex) | parityFor(parityIndex) |
                   stopBitsFor(stopBitsIndex);
    for (cc_t& c : tio.c_cc)
        c = 0;   // VMIN 0, VTIME 0: a read returns at once with what is waiting
    if (cfsetispeed(&tio, baudFor(baudIndex)) != 0 || cfsetospeed(&tio, baudFor(baudIndex)) != 0)
        return COM_ERR_SETUP;
    if (tcsetattr(fd, TCSANOW, &tio) != 0)
        return COM_ERR_SETUP;

    ioctl(fd, TIOCCBRK);
    tcflush(fd, TCIOFLUSH);
    return LINK_OK;
}

int serialClose()
{
    std::lock_guard lock(linkMutex());
    closeLocked();
    return LINK_OK;
}

bool serialIsOpen() { return isOpen(); }

}  // namespace relvo7link
