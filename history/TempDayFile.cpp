#include "TempDayFile.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace relvo7 {

namespace {

// One write of the whole buffer at `at`, retried only when interrupted before
// anything was written. Returns the bytes written or -1.
ssize_t writeAt(int fd, const uint8_t* buf, std::size_t len, uint64_t at) {
    for (;;) {
        ssize_t n = ::pwrite(fd, buf, len, static_cast<off_t>(at));
        if (n < 0 && errno == EINTR) continue;
        return n;
    }
}

bool readAt(int fd, uint8_t* buf, std::size_t len, uint64_t at) {
    std::size_t done = 0;
    while (done < len) {
        ssize_t n = ::pread(fd, buf + done, len - done, static_cast<off_t>(at + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool exists(const std::string& p) {
    struct stat st{};
    return ::lstat(p.c_str(), &st) == 0;
}

// Moves `from` to `to` unless `to` exists. Returns 0 or an errno (EEXIST when taken).
int moveNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return errno;
    // The file system cannot refuse to replace in one step: a hard link can.
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        return 0;
    }
    if (errno == EEXIST) return EEXIST;
    // Neither (e.g. FAT): check, then move.
    if (exists(to)) return EEXIST;
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

void syncFolder(const std::string& folder) {
    int d = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (d >= 0) {
        ::fsync(d);
        ::close(d);
    }
}

} // namespace

TempDayFile::TempDayFile(std::string folder)
    : folder_(std::move(folder)), path_(folder_ + "/" + kTempDayFileName) {}

TempDayFile::~TempDayFile() { closeFd(); }

void TempDayFile::closeFd() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

TempDayFile::OpenResult TempDayFile::open() {
    closeFd();
    OpenResult kind = OpenResult::Created;
    fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd_ < 0 && errno == EEXIST) {
        kind = OpenResult::Leftover;
        fd_ = ::open(path_.c_str(), O_RDWR | O_CLOEXEC);
    }
    if (fd_ < 0) {
        lastError_ = errno;
        return OpenResult::Failed;
    }
    if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) { // another recorder holds it
        lastError_ = errno;
        closeFd();
        return OpenResult::Failed;
    }
    end_ = 0;
    return kind;
}

bool TempDayFile::writeHeader(uint32_t dataVersion, const DayDate& date) {
    const HeaderBytes h = encodeHeader(dataVersion, date);
    const ssize_t n = writeAt(fd_, h.data(), h.size(), 0);
    if (n != static_cast<ssize_t>(h.size())) {
        lastError_ = n < 0 ? errno : ENOSPC;
        return false;
    }
    end_ = kDayFileHeaderSize;
    return true;
}

bool TempDayFile::appendRecord(const RecordBytes& record) {
    const ssize_t n = writeAt(fd_, record.data(), record.size(), end_);
    if (n == static_cast<ssize_t>(record.size())) {
        end_ += record.size();
        return true;
    }
    lastError_ = n < 0 ? errno : ENOSPC;
    // A part of a record would shift every later one: cut back to the last whole
    // record. Should that fail too, the next record is written over the part.
    ::ftruncate(fd_, static_cast<off_t>(end_));
    return false;
}

void TempDayFile::discard() {
    closeFd();
    ::unlink(path_.c_str());
}

bool TempDayFile::moveToFreeName(const DayDate& date) {
    for (int part = 0; part <= 65534; ++part) {
        const std::string name = dayFileName(date, part);
        const std::string target = folder_ + "/" + name;
        if (exists(target)) continue;
        const int err = moveNoReplace(path_, target);
        if (err == 0) {
            finalName_ = name;
            return true;
        }
        if (err != EEXIST) {
            lastError_ = err;
            return false;
        }
    }
    lastError_ = EEXIST;
    return false;
}

TempDayFile::FinaliseResult TempDayFile::finalise(uint32_t dataVersion) {
    finalName_.clear();
    uint8_t head[16] = {};
    const bool readOk = fd_ >= 0 && readAt(fd_, head, sizeof head, 0);
    if (!readOk || head[0] != 'D' || head[1] != 'B' || head[6] != versionHigh(dataVersion) ||
        head[7] != versionLow(dataVersion)) {
        discard();
        return FinaliseResult::BadHeader;
    }
    const DayDate date{head[10] << 8 | head[11], head[12] << 8 | head[13], head[14] << 8 | head[15]};
    // The samples reach the disk before the file takes its final name.
    ::fdatasync(fd_);
    // Moved while still locked, so no other recorder can take the file meanwhile.
    const bool moved = moveToFreeName(date);
    closeFd();
    if (!moved) return FinaliseResult::MoveFailed;
    syncFolder(folder_);
    return FinaliseResult::Done;
}

} // namespace relvo7
