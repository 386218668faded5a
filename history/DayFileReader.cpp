#include "DayFileReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace relvo7 {

namespace {

// Closes the descriptor on every path.
struct Fd {
    int fd;
    explicit Fd(int f) : fd(f) {}
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
};

bool readFullyAt(int fd, uint8_t* buf, std::size_t len, off_t at) {
    std::size_t done = 0;
    while (done < len) {
        ssize_t n = ::pread(fd, buf + done, len - done, at + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

uint16_t le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint16_t be16(const uint8_t* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }

} // namespace

const char* describe(DayFileCheck check) {
    switch (check) {
    case DayFileCheck::Ok: return "valid";
    case DayFileCheck::CannotOpen: return "cannot be opened";
    case DayFileCheck::TooShort: return "corrupt: shorter than the 48-byte header";
    case DayFileCheck::NoMagic: return "corrupt: no \"DB\" mark";
    case DayFileCheck::WrongVersion: return "written by another data version";
    case DayFileCheck::TooManyRecords: return "corrupt: more records than a recording can hold";
    }
    return "?";
}

DayFileLayout inspectDayFileBytes(const uint8_t* b, std::size_t size, uint32_t dataVersion) {
    DayFileLayout l;
    if (size < kDayFileHeaderSize) {
        l.check = DayFileCheck::TooShort;
        return l;
    }
    DayFileHeader& h = l.header;
    h.versionHigh = b[6];
    h.versionLow = b[7];
    h.date = {be16(b + 10), be16(b + 12), be16(b + 14)};
    h.alarmFieldSize = le16(b + 16);
    h.valueFieldSize = le16(b + 20);
    h.recordSize = std::size_t{h.alarmFieldSize} + h.valueFieldSize + 8;
    if (b[0] != 'D' || b[1] != 'B') {
        l.check = DayFileCheck::NoMagic;
        return l;
    }
    if (b[6] != versionHigh(dataVersion) || b[7] != versionLow(dataVersion)) {
        l.check = DayFileCheck::WrongVersion;
        return l;
    }
    const std::size_t count = (size - kDayFileHeaderSize) / h.recordSize;
    if (count > kMaxDayFileRecords) {
        l.check = DayFileCheck::TooManyRecords;
        return l;
    }
    l.check = DayFileCheck::Ok;
    l.recordCount = count;
    return l;
}

DayFileContents decodeDayFile(const uint8_t* bytes, std::size_t size, uint32_t dataVersion) {
    DayFileContents c;
    c.layout = inspectDayFileBytes(bytes, size, dataVersion);
    if (c.layout.check != DayFileCheck::Ok) return c;
    const std::size_t rs = c.layout.header.recordSize;
    c.records.resize(c.layout.recordCount);
    const uint8_t* p = bytes + kDayFileHeaderSize;
    for (auto& r : c.records) {
        decodeRecord(p, rs, r);
        p += rs;
    }
    return c;
}

DayFileContents readDayFile(const std::string& path, uint32_t dataVersion) {
    DayFileContents c;
    Fd f(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat st{};
    if (f.fd < 0 || ::fstat(f.fd, &st) != 0 || !S_ISREG(st.st_mode)) return c;
    const auto size = static_cast<std::size_t>(st.st_size);
    uint8_t head[kDayFileHeaderSize] = {};
    const std::size_t headLen = size < sizeof head ? size : sizeof head;
    if (headLen > 0 && !readFullyAt(f.fd, head, headLen, 0)) return c;
    c.layout = inspectDayFileBytes(head, size, dataVersion);
    if (c.layout.check != DayFileCheck::Ok) return c;

    // Read in slices that stay in the cache rather than the whole 18 MB of a
    // day at once, decoding each slice straight into the records.
    const std::size_t rs = c.layout.header.recordSize;
    const std::size_t perSlice = std::max<std::size_t>(1, (256 * 1024) / rs);
    std::vector<uint8_t> slice(perSlice * rs);
    c.records.resize(c.layout.recordCount);
    std::size_t done = 0;
    while (done < c.layout.recordCount) {
        const std::size_t n = std::min(perSlice, c.layout.recordCount - done);
        if (!readFullyAt(f.fd, slice.data(), n * rs, static_cast<off_t>(kDayFileHeaderSize + done * rs))) {
            // The file shrank while being read: keep the records that were there.
            c.records.resize(done);
            c.layout.recordCount = done;
            break;
        }
        for (std::size_t k = 0; k < n; ++k) decodeRecord(slice.data() + k * rs, rs, c.records[done + k]);
        done += n;
    }
    return c;
}

DayFileSummary summarizeDayFile(const std::string& path, uint32_t dataVersion) {
    DayFileSummary s;
    Fd f(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat st{};
    if (f.fd < 0 || ::fstat(f.fd, &st) != 0 || !S_ISREG(st.st_mode)) return s;
    const auto size = static_cast<std::size_t>(st.st_size);
    uint8_t head[kDayFileHeaderSize] = {};
    const std::size_t headLen = size < sizeof head ? size : sizeof head;
    if (headLen > 0 && !readFullyAt(f.fd, head, headLen, 0)) return s;
    s.layout = inspectDayFileBytes(head, size, dataVersion);
    if (s.layout.check != DayFileCheck::Ok || s.layout.recordCount == 0) return s;
    const std::size_t rs = s.layout.header.recordSize;
    std::vector<uint8_t> rec(rs);
    if (!readFullyAt(f.fd, rec.data(), rs, static_cast<off_t>(kDayFileHeaderSize))) {
        s.layout.check = DayFileCheck::CannotOpen;
        return s;
    }
    decodeRecord(rec.data(), rs, s.first);
    const auto lastAt = static_cast<off_t>(kDayFileHeaderSize + (s.layout.recordCount - 1) * rs);
    if (!readFullyAt(f.fd, rec.data(), rs, lastAt)) {
        s.layout.check = DayFileCheck::CannotOpen;
        return s;
    }
    decodeRecord(rec.data(), rs, s.last);
    s.hasRecords = true;
    return s;
}

} // namespace relvo7
