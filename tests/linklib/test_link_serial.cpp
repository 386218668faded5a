// Opening and configuring the serial port on a pseudo-terminal.
#include <gtest/gtest.h>

#include <sys/file.h>
#include <termios.h>
#include <fcntl.h>
#include <unistd.h>

#include <dlfcn.h>

#include <string>

#include "link_fixture.h"
#include "support/peers.h"

// A pseudo-terminal always reports 8 data bits and no parity enable, whatever
// it is given; to see what the library asks for, the last settings passed to
// tcsetattr are kept on their way to the C library.
namespace {
termios lastRequested{};
}

extern "C" int tcsetattr(int fd, int action, const termios* tio)
{
    using Real = int (*)(int, int, const termios*);
    static const Real real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "tcsetattr"));
    if (tio)
        lastRequested = *tio;
    return real(fd, action, tio);
}

namespace {

TEST_F(LinkTest, SerialCallsWithoutAPort)
{
    EXPECT_EQ(COM_Setup(0, 3, 0, 2), COM_ERR_OPEN);
    EXPECT_EQ(COM_Open(nullptr), COM_ERR_OPEN);
    EXPECT_EQ(COM_Open(u"ttyRELVO7-no-such-port"), COM_ERR_OPEN);
    EXPECT_EQ(COM_IsOpen(), 0);
    EXPECT_EQ(COM_Close(), 0);
}

TEST_F(LinkTest, PortNameLengthRule)
{
    PtyPair pty;
    ASSERT_EQ(COM_Open(pty.slavePath16().c_str()), 0);
    // 249 characters is tried (and there is no such device); 250 is refused,
    // after the open port has been closed.
    const std::u16string name249 = u"/tmp/" + std::u16string(244, u'x');
    ASSERT_EQ(name249.size(), 249u);
    EXPECT_EQ(COM_Open(name249.c_str()), COM_ERR_OPEN);
    ASSERT_EQ(COM_Open(pty.slavePath16().c_str()), 0);
    const std::u16string name250 = name249 + u"x";
    EXPECT_EQ(COM_Open(name250.c_str()), LINK_ERR_LENGTH);
    EXPECT_EQ(COM_IsOpen(), 0);
}

TEST_F(LinkTest, PlainNamesAreLookedUpUnderDev)
{
    PtyPair pty;
    ASSERT_EQ(pty.slavePath().rfind("/dev/", 0), 0u);
    const std::u16string relative = u16(pty.slavePath().substr(5));   // e.g. pts/3
    EXPECT_EQ(COM_Open(relative.c_str()), 0);
    EXPECT_EQ(COM_IsOpen(), 1);
}

TEST_F(LinkTest, OpenPortIsNotShared)
{
    PtyPair pty;
    ASSERT_EQ(COM_Open(pty.slavePath16().c_str()), 0);
    const int other = open(pty.slavePath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (other >= 0) {   // the superuser passes the terminal's exclusive mode; the lock still holds
        EXPECT_NE(flock(other, LOCK_EX | LOCK_NB), 0);
        close(other);
    }
    COM_Close();
    const int after = open(pty.slavePath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(after, 0);
    EXPECT_EQ(flock(after, LOCK_EX | LOCK_NB), 0);
    close(after);
}

struct LineCase {
    uint32_t baud, dataBits, parity, stopBits;
    speed_t speed;
    tcflag_t size;
    tcflag_t parityFlags;
    bool twoStopBits;
};

class SerialSetup : public LinkTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(SerialSetup, ConfiguresTheLine)
{
    const LineCase& c = GetParam();
    PtyPair pty;
    ASSERT_EQ(COM_Open(pty.slavePath16().c_str()), 0);
    ASSERT_EQ(COM_Setup(c.baud, c.dataBits, c.parity, c.stopBits), 0);
    termios tio{};
    ASSERT_EQ(tcgetattr(pty.slave(), &tio), 0);
    EXPECT_EQ(cfgetospeed(&tio), c.speed);
    EXPECT_EQ(cfgetispeed(&tio), c.speed);
    EXPECT_EQ((tio.c_cflag & CSTOPB) != 0, c.twoStopBits);
    EXPECT_EQ(tio.c_cflag & PARODD, c.parityFlags & PARODD);
    EXPECT_EQ(lastRequested.c_cflag & CSIZE, c.size);
    EXPECT_EQ(lastRequested.c_cflag & (PARENB | PARODD), c.parityFlags);
    EXPECT_EQ(cfgetospeed(&lastRequested), c.speed);
    // Raw: no line editing, echo, translation or flow control; reads return at once.
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | ICRNL | INPCK), 0u);
    EXPECT_EQ(tio.c_oflag & OPOST, 0u);
    EXPECT_EQ(tio.c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(tio.c_cc[VMIN], 0);
    EXPECT_EQ(tio.c_cc[VTIME], 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SerialSetup,
    ::testing::Values(LineCase{1, 3, 2, 0, B19200, CS8, PARENB, false},       // 19200 8E1
                      LineCase{0, 3, 0, 2, B9600, CS8, 0, true},              // the program's defaults, 8N2
                      LineCase{0, 0, 1, 1, B9600, CS5, PARENB | PARODD, true}, // 1.5 stop bits become 2
                      LineCase{0, 1, 3, 0, B9600, CS6, 0, false},
                      LineCase{2, 2, 7, 3, B9600, CS7, 0, true},
                      LineCase{99, 99, 99, 99, B9600, CS8, 0, true}));

}  // namespace
