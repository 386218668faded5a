// The recorder seen from outside its process: killed with SIGKILL at random
// moments it loses at most the record in flight, and with a full disk it keeps
// every record whole, says so in the tooltip and resumes when there is room.
#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <sstream>

#include "DayFileReader.h"
#include "ChildProcess.h"
#include "HistoryTestSupport.h"
#include "Recorder.h"
#include "RecorderTexts.h"
#include "SharedState.h"

namespace relvo7 {
namespace {

using test::ChildProcess;
using test::eventually;
using test::kVersion;
using test::ScratchFolder;

int secondOfDay(const _tagSTRUCT_DATA& r) { return r.time.wHour * 3600 + r.time.wMinute * 60 + r.time.wSecond; }

// Every record as the helper writes it: link 1, its alarm word and value pattern.
void expectHelperRecords(const std::vector<_tagSTRUCT_DATA>& records) {
    for (const auto& r : records) {
        ASSERT_EQ(r.connected, 1);
        ASSERT_EQ(r.alarms, 0xA5000001u);
        for (int i = 0; i < kDayFileValueCount; ++i) ASSERT_EQ(r.values[i], i * 1000 - 7);
    }
}

// The next start of the recorder in this process: the leftover is finished.
void finishLeftover(const std::string& folder) {
    RecordingThreadRunning.store(0);
    FastRecorderClock clock({2030, 1, 1, 0, 0, 0}, 1000);
    std::atomic<int> finished{0};
    RecorderConfig c;
    c.folder = folder;
    c.dataVersion = kVersion;
    c.clock = &clock;
    c.onFileFinished = [&](const std::string&) { finished.fetch_add(1); };
    Recorder rec(c);
    rec.launch();
    ASSERT_TRUE(eventually([] { return RecordingThreadRunning.load() == 1; }));
    rec.record();
    ASSERT_TRUE(eventually([&] { return finished.load() >= 1; }));
    rec.stop();
}

TEST(RecorderProcess, KillLosesAtMostTheRecordInFlight) {
    std::random_device seedSource;
    const unsigned seed = seedSource();
    std::mt19937 random(seed);
    SCOPED_TRACE("seed " + std::to_string(seed));
    for (int run = 0; run < 6; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        ScratchFolder dir;
        ChildProcess helper(
            {HISTORY_RECORD_HELPER, "--dir", dir.path(), "--start", "2026-12-10T08:00:00", "--speed", "1000"});
        ASSERT_TRUE(helper.started());
        // Let it record for a random while after its first record.
        ASSERT_TRUE(eventually([&] {
            helper.pump(std::chrono::milliseconds(5));
            return helper.lastWritten() >= 1;
        }));
        const auto extra = std::chrono::milliseconds(std::uniform_int_distribution<int>(0, 250)(random));
        const auto until = std::chrono::steady_clock::now() + extra;
        while (std::chrono::steady_clock::now() < until) helper.pump(std::chrono::milliseconds(1));
        helper.killNow();
        const uint64_t reported = helper.lastWritten();

        finishLeftover(dir.path());
        const DayFileContents day = readDayFile(dir / "10122026.db", kVersion);
        ASSERT_EQ(day.layout.check, DayFileCheck::Ok);
        EXPECT_EQ(std::filesystem::file_size(dir / "10122026.db"), 48 + 208 * day.records.size());
        EXPECT_GE(day.records.size(), reported);
        EXPECT_LE(day.records.size(), reported + 1);
        for (std::size_t k = 0; k < day.records.size(); ++k)
            ASSERT_EQ(secondOfDay(day.records[k]), 8 * 3600 + static_cast<int>(k)) << k;
        expectHelperRecords(day.records);
    }
}

TEST(RecorderProcess, FullDiskKeepsRecordsWholeAndRecoveryResumes) {
    ScratchFolder dir;
    // Room for the header, five records and part of a sixth.
    ChildProcess helper({HISTORY_RECORD_HELPER, "--dir", dir.path(), "--start", "2026-12-10T08:00:00", "--speed",
                         "1000", "--fsize", std::to_string(48 + 5 * 208 + 100), "--raise-after", "3", "--stop-after",
                         "10"});
    ASSERT_TRUE(helper.started());
    ASSERT_EQ(helper.wait(), 0);
    int failures = 0;
    for (const auto& l : helper.lines()) {
        if (l.rfind("f ", 0) == 0) {
            // The sixth record fits only in part: the write comes back short and
            // the file is cut back to the five whole records.
            ++failures;
            std::istringstream f(l.substr(2));
            int err = 0;
            long long size = 0;
            std::string tip;
            f >> err >> size >> std::ws;
            std::getline(f, tip);
            EXPECT_TRUE(err == ENOSPC || err == EFBIG) << l;
            EXPECT_EQ(size, 48 + 5 * 208) << l;
            EXPECT_EQ(tip, kTextTrayWriteFailing);
        }
        if (l.rfind("ok ", 0) == 0) {
            EXPECT_EQ(l.substr(3), kTextTrayRecording);
        }
        EXPECT_EQ(l.rfind("fatal", 0), std::string::npos) << l;
    }
    EXPECT_EQ(failures, 3);
    const DayFileContents day = readDayFile(dir / "10122026.db", kVersion);
    ASSERT_EQ(day.layout.check, DayFileCheck::Ok);
    EXPECT_EQ(std::filesystem::file_size(dir / "10122026.db"), 48u + 10 * 208u);
    // Seconds 5, 6 and 7 could not be written; nothing is shifted.
    const std::vector<int> expected = {0, 1, 2, 3, 4, 8, 9, 10, 11, 12};
    ASSERT_EQ(day.records.size(), expected.size());
    for (std::size_t k = 0; k < expected.size(); ++k)
        EXPECT_EQ(secondOfDay(day.records[k]), 8 * 3600 + expected[k]) << k;
    expectHelperRecords(day.records);
}

TEST(RecorderProcess, FullDiskAtANewFileRetriesInsteadOfGivingUp) {
    ScratchFolder dir;
    // Not even the header fits until the limit is lifted.
    ChildProcess helper({HISTORY_RECORD_HELPER, "--dir", dir.path(), "--start", "2026-12-10T08:00:00", "--speed",
                         "1000", "--fsize", "20", "--raise-after", "2", "--stop-after", "3"});
    ASSERT_TRUE(helper.started());
    ASSERT_EQ(helper.wait(), 0);
    int failures = 0;
    for (const auto& l : helper.lines()) {
        if (l.rfind("f ", 0) == 0) {
            ++failures;
            EXPECT_NE(l.find(kTextTrayWriteFailing), std::string::npos) << l;
        }
        EXPECT_EQ(l.rfind("fatal", 0), std::string::npos) << l;
    }
    EXPECT_EQ(failures, 2);
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"10122026.db"}));
    const DayFileContents day = readDayFile(dir / "10122026.db", kVersion);
    ASSERT_EQ(day.records.size(), 3u);
    EXPECT_EQ(secondOfDay(day.records[0]), 8 * 3600 + 2);
    expectHelperRecords(day.records);
}

} // namespace
} // namespace relvo7
