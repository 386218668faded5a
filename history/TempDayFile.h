#pragma once
// The temporary day file "~$V.db" that the recorder writes, and its turning into
// a dated day file. POSIX I/O only, no buffering of its own: every record is one
// 208-byte positioned write, and a write that does not complete is cut back, so
// the file always ends on a whole record.
#include <cstdint>
#include <string>

#include "DayFileFormat.h"

namespace relvo7 {

class TempDayFile {
public:
    explicit TempDayFile(std::string folder);
    ~TempDayFile();
    TempDayFile(const TempDayFile&) = delete;
    TempDayFile& operator=(const TempDayFile&) = delete;

    enum class OpenResult { Created, Leftover, Failed };
    // Opens the temporary file for reading and writing, creating it if missing,
    // and locks it so that no other recorder shares it.
    OpenResult open();
    bool isOpen() const { return fd_ >= 0; }

    // Writes the 48-byte header in one write and places the write position after it.
    bool writeHeader(uint32_t dataVersion, const DayDate& date);

    // Appends one record whole or not at all; false when it could not be written.
    bool appendRecord(const RecordBytes& record);

    // Closes and removes the file (a new file whose header failed).
    void discard();

    enum class FinaliseResult { Done, BadHeader, MoveFailed };
    // Checks the header against `dataVersion` (a wrong one deletes the file), then
    // moves the file to DDMMYYYY.db or the first free DDMMYYYYpN.db of its header
    // date. An existing day file is never replaced. The file is closed afterwards;
    // after MoveFailed it stays in place for the next start.
    FinaliseResult finalise(uint32_t dataVersion);

    const std::string& path() const { return path_; }
    const std::string& finalName() const { return finalName_; } // after Done
    int lastError() const { return lastError_; }                // errno of the last failure
    uint64_t writePosition() const { return end_; }

private:
    void closeFd();
    bool moveToFreeName(const DayDate& date);

    std::string folder_;
    std::string path_;
    std::string finalName_;
    int fd_ = -1;
    uint64_t end_ = 0;
    int lastError_ = 0;
};

} // namespace relvo7
