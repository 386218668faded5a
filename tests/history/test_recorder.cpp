// The RecordingThread against real files: day roll-over, stop/start, leftovers,
// pause and stop during a wait, the interval taking effect after Save, and the
// start loop. Clocks are virtual so a test can cross midnight in milliseconds.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>

#include "DayFileReader.h"
#include "HistoryTestSupport.h"
#include "Recorder.h"
#include "RecorderButtons.h"
#include "RecorderStart.h"
#include "RecorderTexts.h"
#include "SharedState.h"
#include "TempDayFile.h"
#include "TrayStatus.h"

namespace relvo7 {
namespace {

using namespace std::chrono_literals;
using test::dayFileImage;
using test::eventually;
using test::kVersion;
using test::readBytes;
using test::ScratchFolder;
using test::writeBytes;

const LocalTime k10Dec{2026, 12, 10, 12, 0, 0};

std::vector<uint8_t> pdb(int32_t autoRecord, uint32_t interval) {
    RecorderSettings s;
    s.autoRecord = autoRecord;
    s.intervalSeconds = interval;
    const auto b = encodeRecorderSettings(s);
    return {b.begin(), b.end()};
}

// What the recorder reported, collected from its thread.
struct Events {
    std::mutex m;
    std::vector<std::string> finished;
    std::vector<RecorderFatal> fatals;
    std::atomic<uint64_t> recordsInFile{0};
    std::atomic<int> files{0};
    std::atomic<int> fatalCount{0};

    void attach(RecorderConfig& c) {
        c.onRecordWritten = [this](uint64_t n) { recordsInFile.store(n); };
        c.onFileFinished = [this](const std::string& name) {
            std::lock_guard<std::mutex> l(m);
            finished.push_back(name);
            recordsInFile.store(0);
            files.fetch_add(1);
        };
        c.onFatal = [this](RecorderFatal f) {
            std::lock_guard<std::mutex> l(m);
            fatals.push_back(f);
            fatalCount.fetch_add(1);
        };
    }
    std::vector<std::string> finishedNames() {
        std::lock_guard<std::mutex> l(m);
        return finished;
    }
};

class RecorderTest : public ::testing::Test {
protected:
    void SetUp() override {
        clearMeasurements();
        PanelConnected.store(0);
        RecordingThreadRunning.store(0);
    }
    RecorderConfig config(RecorderClock& clock, std::vector<uint8_t> settings = pdb(0, 1)) {
        RecorderConfig c;
        c.folder = dir.path();
        c.dataVersion = kVersion;
        c.clock = &clock;
        c.loadSettings = [settings] { return settings; };
        events.attach(c);
        return c;
    }
    std::vector<_tagSTRUCT_DATA> records(const std::string& name) {
        const DayFileContents c = readDayFile(dir / name, kVersion);
        EXPECT_EQ(c.layout.check, DayFileCheck::Ok) << name;
        return c.records;
    }
    static std::string hms(const _tagSTRUCT_DATA& r) {
        char b[32];
        std::snprintf(b, sizeof b, "%.2d:%.2d:%.2d", r.time.wHour, r.time.wMinute, r.time.wSecond);
        return b;
    }
    ScratchFolder dir;
    Events events;
};

TEST_F(RecorderTest, CrossingMidnightGivesOneFilePerDay) {
    FastRecorderClock clock({2026, 12, 10, 23, 59, 58}, 1000);
    RecorderConfig c = config(clock);
    Recorder* self = nullptr;
    // Stop at the second sample of the new day.
    c.onRecordWritten = [&](uint64_t n) {
        events.recordsInFile.store(n);
        if (events.files.load() == 1 && n == 2) self->requestStop();
    };
    Recorder rec(c);
    self = &rec;
    rec.launch();
    ASSERT_TRUE(eventually([] { return RecordingThreadRunning.load() == 1; }));
    rec.record();
    ASSERT_TRUE(eventually([&] { return events.files.load() == 2; }));
    EXPECT_EQ(events.finishedNames(), (std::vector<std::string>{"10122026.db", "11122026.db"}));
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"10122026.db", "11122026.db"}));

    const auto day1 = records("10122026.db");
    ASSERT_EQ(day1.size(), 2u);
    EXPECT_EQ(hms(day1[0]), "23:59:58");
    EXPECT_EQ(hms(day1[1]), "23:59:59");
    const DayFileContents day2 = readDayFile(dir / "11122026.db", kVersion);
    EXPECT_EQ(day2.layout.header.date, (DayDate{11, 12, 2026}));
    ASSERT_EQ(day2.records.size(), 2u);
    EXPECT_EQ(hms(day2.records[0]), "00:00:00");
    EXPECT_EQ(hms(day2.records[1]), "00:00:01");
}

TEST_F(RecorderTest, StopAndStartOnOneDayNumberTheFiles) {
    FastRecorderClock clock(k10Dec, 1000);
    Recorder rec(config(clock));
    rec.launch();
    ASSERT_TRUE(eventually([] { return RecordingThreadRunning.load() == 1; }));
    for (int cycle = 0; cycle < 3; ++cycle) {
        rec.record();
        ASSERT_TRUE(eventually([&] { return events.recordsInFile.load() >= 1; }));
        rec.stop();
        EXPECT_EQ(rec.TempFileOpen.load(), 0);
        EXPECT_EQ(events.files.load(), cycle + 1);
    }
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"10122026.db", "10122026p1.db", "10122026p2.db"}));
    for (const auto& name : dir.names()) EXPECT_FALSE(records(name).empty()) << name;
}

TEST_F(RecorderTest, LeftoverIsFinishedUnderItsOwnDateWithoutReplacingAnything) {
    // A crash on 3 December left a temporary file; a file of that day exists.
    const auto leftover = dayFileImage({3, 12, 2026}, 5, 8 * 3600);
    writeBytes(dir / kTempDayFileName, leftover);
    const auto earlier = dayFileImage({3, 12, 2026}, 1);
    writeBytes(dir / "03122026.db", earlier);

    FastRecorderClock clock(k10Dec, 1000);
    Recorder rec(config(clock, pdb(1, 1))); // automatic recording
    rec.launch();
    ASSERT_TRUE(eventually([&] { return events.files.load() == 1 && events.recordsInFile.load() >= 1; }));
    rec.stop();
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"03122026.db", "03122026p1.db", "10122026.db"}));
    EXPECT_EQ(readBytes(dir / "03122026p1.db"), leftover);
    EXPECT_EQ(readBytes(dir / "03122026.db"), earlier);
    EXPECT_EQ(readDayFile(dir / "10122026.db", kVersion).layout.header.date, (DayDate{10, 12, 2026}));
}

TEST_F(RecorderTest, LeftoverWithBadHeaderIsDeletedAndRecordingBecomesImpossible) {
    auto noMagic = dayFileImage({3, 12, 2026}, 2);
    noMagic[0] = 'X';
    const auto otherVersion = dayFileImage({3, 12, 2026}, 2, 0, 30);
    const std::vector<uint8_t> empty;
    for (const auto& bad : {noMagic, otherVersion, empty}) {
        SCOPED_TRACE(bad.size());
        events.fatalCount.store(0);
        writeBytes(dir / kTempDayFileName, bad);
        FastRecorderClock clock(k10Dec, 1000);
        Recorder rec(config(clock, pdb(1, 1)));
        rec.launch();
        ASSERT_TRUE(eventually([&] { return rec.threadEnded(); }));
        EXPECT_EQ(RecordingThreadRunning.load(), 0);
        EXPECT_EQ(events.fatalCount.load(), 1);
        EXPECT_EQ(events.fatals.back(), RecorderFatal::CannotSave);
        EXPECT_TRUE(dir.names().empty());
        bool blink = false;
        EXPECT_STREQ(nextTrayStatus(RecordingThreadRunning.load(), rec.RecordingFlags.load(), 0, blink).tooltip,
                     kTextTrayImpossible);

        // Started again, the recorder works.
        rec.launch();
        ASSERT_TRUE(eventually([&] { return events.recordsInFile.load() >= 1; }));
        rec.stop();
        EXPECT_EQ(dir.names(), (std::vector<std::string>{"10122026.db"}));
        rec.shutdown();
        std::filesystem::remove(dir / "10122026.db");
        events.recordsInFile.store(0);
    }
}

TEST_F(RecorderTest, MissingFolderIsFatal) {
    FastRecorderClock clock(k10Dec, 1000);
    RecorderConfig c = config(clock, pdb(1, 1));
    c.folder = dir / "no-such-folder";
    Recorder rec(c);
    rec.launch();
    ASSERT_TRUE(eventually([&] { return rec.threadEnded(); }));
    ASSERT_EQ(events.fatalCount.load(), 1);
    EXPECT_EQ(events.fatals[0], RecorderFatal::CannotCreate);
    EXPECT_STREQ(fatalText(RecorderFatal::CannotCreate), kTextCannotCreateTemp);
    EXPECT_EQ(rec.RecordingFlags.load(), 0);
}

TEST_F(RecorderTest, RecordsCarryLinkFlagAlarmsAndValuesByteForByte) {
    ManualRecorderClock clock({2026, 12, 10, 14, 30, 5});
    Recorder rec(config(clock));
    AlarmMask.store(0x80000001u);
    for (int i = 0; i < kMeasureCount; ++i) MeasurementBlock[i].store(i % 2 ? -i * 1001 : i * 70001);
    rec.launch();
    ASSERT_TRUE(eventually([] { return RecordingThreadRunning.load() == 1; }));
    rec.record(); // not connected
    ASSERT_TRUE(eventually([&] { return events.recordsInFile.load() == 1 && clock.inStep(); }));
    PanelConnected.store(1);
    AlarmMask.store(0);
    clock.advance(1000ms);
    ASSERT_TRUE(eventually([&] { return events.recordsInFile.load() == 2 && clock.stepsBegun() == 2; }));
    rec.stop();

    const auto bytes = readBytes(dir / "10122026.db");
    ASSERT_EQ(bytes.size(), 48u + 2 * 208u);
    const uint8_t* r0 = bytes.data() + 48;
    EXPECT_EQ(std::vector<uint8_t>(r0, r0 + 12), (std::vector<uint8_t>{0, 0, 0, 14, 0, 30, 0, 5, 0x80, 0, 0, 1}));
    for (int i = 0; i < kMeasureCount; ++i) {
        const int32_t v = i % 2 ? -i * 1001 : i * 70001;
        const auto u = static_cast<uint32_t>(v);
        const uint8_t* p = r0 + 12 + 4 * i;
        ASSERT_EQ((std::vector<uint8_t>(p, p + 4)),
                  (std::vector<uint8_t>{uint8_t(u), uint8_t(u >> 8), uint8_t(u >> 16), uint8_t(u >> 24)}))
            << i;
    }
    const uint8_t* r1 = r0 + 208;
    EXPECT_EQ(std::vector<uint8_t>(r1, r1 + 12), (std::vector<uint8_t>{0, 1, 0, 14, 0, 30, 0, 6, 0, 0, 0, 0}));
}

TEST_F(RecorderTest, PauseKeepsTheFileAndLetsTheRunningWaitFinish) {
    ManualRecorderClock clock(k10Dec);
    Recorder rec(config(clock, pdb(0, 3)));
    rec.launch();
    ASSERT_TRUE(eventually([] { return RecordingThreadRunning.load() == 1; }));
    rec.record();
    ASSERT_TRUE(eventually([&] { return events.recordsInFile.load() == 1 && clock.stepsBegun() == 1; }));
    rec.togglePause();
    bool blink = true;
    EXPECT_STREQ(nextTrayStatus(1, rec.RecordingFlags.load(), 0, blink).tooltip, kTextTrayPaused);
    // The wait goes on step by step although paused.
    for (int step = 2; step <= 3; ++step) {
        clock.advance(1000ms);
        ASSERT_TRUE(eventually([&] { return clock.stepsBegun() == step && clock.inStep(); })) << step;
    }
    clock.advance(1000ms);
    ASSERT_TRUE(eventually([&] { return !clock.inStep(); }));
    // Paused: whatever time passes, nothing is written and the file stays open.
    clock.advance(10000ms);
    EXPECT_EQ(events.recordsInFile.load(), 1u);
    EXPECT_EQ(rec.TempFileOpen.load(), 1);
    EXPECT_TRUE(std::filesystem::exists(dir / kTempDayFileName));
    rec.togglePause(); // resume: the same file goes on
    ASSERT_TRUE(eventually([&] { return events.recordsInFile.load() == 2; }));
    rec.stop();
    const auto day = records("10122026.db");
    ASSERT_EQ(day.size(), 2u);
    EXPECT_EQ(hms(day[1]), "12:00:13");
}

TEST_F(RecorderTest, StopInterruptsTheWait) {
    ManualRecorderClock clock(k10Dec);
    Recorder rec(config(clock, pdb(0, 86400)));
    rec.launch();
    ASSERT_TRUE(eventually([] { return RecordingThreadRunning.load() == 1; }));
    rec.record();
    ASSERT_TRUE(eventually([&] { return events.recordsInFile.load() == 1 && clock.inStep(); }));
    rec.requestStop(); // the clock does not move: only the interruption can end the wait
    ASSERT_TRUE(eventually([&] { return rec.TempFileOpen.load() == 0; }));
    EXPECT_EQ(clock.stepsBegun(), 1);
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"10122026.db"}));
}

TEST_F(RecorderTest, ProgramCloseWhilePausedFinishesTheFile) {
    ManualRecorderClock clock(k10Dec);
    {
        Recorder rec(config(clock, pdb(0, 1)));
        rec.launch();
        ASSERT_TRUE(eventually([] { return RecordingThreadRunning.load() == 1; }));
        rec.record();
        ASSERT_TRUE(eventually([&] { return events.recordsInFile.load() == 1 && clock.inStep(); }));
        rec.togglePause();
        clock.advance(1000ms);
        ASSERT_TRUE(eventually([&] { return !clock.inStep(); }));
    } // the destructor clears bit 0 and waits for the file, then joins
    EXPECT_EQ(RecordingThreadRunning.load(), 0);
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"10122026.db"}));
}

TEST_F(RecorderTest, NewIntervalTakesEffectFromTheWaitAfterSave) {
    ManualRecorderClock clock(k10Dec);
    Recorder rec(config(clock, pdb(0, 3)));
    rec.launch();
    ASSERT_TRUE(eventually([] { return RecordingThreadRunning.load() == 1; }));
    EXPECT_EQ(rec.settings().intervalSeconds, 3u); // loaded by the thread
    rec.record();
    const auto advanceUntilRecord = [&](uint64_t n) {
        for (int guard = 0; guard < 10 && events.recordsInFile.load() < n; ++guard) {
            const int64_t begun = clock.stepsBegun();
            if (!eventually([&] { return clock.inStep() && clock.stepsBegun() == begun; })) return false;
            clock.advance(1000ms);
            eventually([&] { return clock.stepsBegun() > begun || events.recordsInFile.load() >= n; });
        }
        return events.recordsInFile.load() >= n;
    };
    ASSERT_TRUE(eventually([&] { return events.recordsInFile.load() == 1; }));
    ASSERT_TRUE(advanceUntilRecord(2));
    // Save during the second wait: that wait keeps its 3 s, the next one has 1 s.
    ASSERT_TRUE(eventually([&] { return clock.inStep(); }));
    RecorderSettings saved = rec.settings();
    saved.intervalSeconds = 1;
    rec.applySettings(saved);
    ASSERT_TRUE(advanceUntilRecord(3));
    ASSERT_TRUE(advanceUntilRecord(4));
    rec.stop();
    const auto day = records("10122026.db");
    ASSERT_EQ(day.size(), 4u);
    EXPECT_EQ(hms(day[0]), "12:00:00");
    EXPECT_EQ(hms(day[1]), "12:00:03");
    EXPECT_EQ(hms(day[2]), "12:00:06");
    EXPECT_EQ(hms(day[3]), "12:00:07");
}

TEST_F(RecorderTest, IntervalOutOfRangeInTheProfileIsClamped) {
    // A stored interval of 0 must not make the recorder write as fast as it can.
    ManualRecorderClock clock(k10Dec);
    Recorder rec(config(clock, pdb(1, 0)));
    rec.launch();
    ASSERT_TRUE(eventually([&] { return events.recordsInFile.load() == 1 && clock.inStep(); }));
    EXPECT_EQ(clock.stepsBegun(), 1);
    clock.advance(1000ms);
    ASSERT_TRUE(eventually([&] { return events.recordsInFile.load() == 2 && clock.stepsBegun() == 2; }));
    rec.stop();
    EXPECT_EQ(records("10122026.db").size(), 2u);
}

TEST_F(RecorderTest, ADayAtOneSecondInSeconds) {
    FastRecorderClock clock({2026, 12, 10, 0, 0, 0}, 1e7);
    RecorderConfig c = config(clock, pdb(1, 1));
    Recorder* self = nullptr;
    c.onFileFinished = [&](const std::string&) { events.files.fetch_add(1); };
    c.onRecordWritten = [&](uint64_t) {
        if (events.files.load() == 1) self->requestStop();
    };
    Recorder rec(c);
    self = &rec;
    rec.launch();
    ASSERT_TRUE(eventually([&] { return events.files.load() == 2; }, std::chrono::seconds(240)));
    const DayFileContents day = readDayFile(dir / "10122026.db", kVersion);
    ASSERT_EQ(day.records.size(), 86400u);
    EXPECT_EQ(std::filesystem::file_size(dir / "10122026.db"), 48u + 208u * 86400u);
    for (std::size_t k = 0; k < day.records.size(); k += 997) {
        const auto& t = day.records[k].time;
        ASSERT_EQ(t.wHour * 3600u + t.wMinute * 60u + t.wSecond, k);
    }
    EXPECT_EQ(hms(day.records.back()), "23:59:59");
}

// A prompt that answers from a list and counts what it was asked.
class ListPrompt final : public Prompt {
public:
    explicit ListPrompt(std::vector<PromptButton> answers) : answers_(std::move(answers)) {}
    PromptButton ask(const PromptRequest& r) override {
        asked.push_back(r);
        if (answers_.empty()) return r.defaultButton;
        const PromptButton a = answers_.front();
        answers_.erase(answers_.begin());
        return a;
    }
    std::vector<PromptRequest> asked;

private:
    std::vector<PromptButton> answers_;
};

TEST_F(RecorderTest, StartLoopAsksAgainUntilTheOperatorGivesUp) {
    FastRecorderClock clock(k10Dec, 1000);
    RecorderConfig c = config(clock, pdb(1, 1));
    c.folder = dir / "missing"; // the thread ends at once with its fatal message
    std::atomic<int> disabled{0};
    ListPrompt fatalPrompt({});
    c.onFatal = fatalMessages(fatalPrompt, [&] { disabled.fetch_add(1); });
    Recorder rec(c);
    ListPrompt prompt({PromptYes, PromptNo});
    EXPECT_FALSE(startRecorder(rec, prompt, std::chrono::seconds(60)));
    ASSERT_EQ(prompt.asked.size(), 2u);
    EXPECT_EQ(prompt.asked[0].text, QString::fromUtf8(kTextStartRetry));
    EXPECT_EQ(prompt.asked[0].caption, QString::fromUtf8(kTextErrorCaption));
    EXPECT_EQ(prompt.asked[0].icon, PromptIcon::Error);
    EXPECT_EQ(prompt.asked[0].buttons, unsigned(PromptYes | PromptNo));
    ASSERT_EQ(fatalPrompt.asked.size(), 2u);
    EXPECT_EQ(fatalPrompt.asked[0].text, QString::fromUtf8(kTextCannotCreateTemp));
    EXPECT_EQ(disabled.load(), 2);

    std::filesystem::create_directory(dir / "missing");
    ListPrompt none({});
    EXPECT_TRUE(startRecorder(rec, none));
    EXPECT_TRUE(none.asked.empty());
}

TEST(TempDayFileSharing, ASecondRecorderCannotOpenTheSameFile) {
    // Two copies of the program (-copy) must not write into one temporary file.
    ScratchFolder dir;
    TempDayFile first(dir.path()), second(dir.path());
    ASSERT_EQ(first.open(), TempDayFile::OpenResult::Created);
    ASSERT_TRUE(first.writeHeader(kVersion, {10, 12, 2026}));
    EXPECT_EQ(second.open(), TempDayFile::OpenResult::Failed);
    EXPECT_EQ(first.finalise(kVersion), TempDayFile::FinaliseResult::Done);
    EXPECT_EQ(first.finalName(), "10122026.db");
    EXPECT_EQ(second.open(), TempDayFile::OpenResult::Created);
}

TEST(RecorderButtonStates, FollowTheFlags) {
    EXPECT_EQ(recorderButtons(0), (RecorderButtons{true, false, false}));
    EXPECT_EQ(recorderButtons(RecordBit), (RecorderButtons{false, true, true}));
    EXPECT_EQ(recorderButtons(RecordBit | PauseBit), (RecorderButtons{false, true, false}));
}

TEST(TrayStatusRows, FirstMatchingRowThenBlink) {
    struct Case {
        int32_t running, flags, failing;
        bool blinkBefore;
        TrayIcon icon;
        const char* tooltip;
        bool blinkAfter;
    } cases[] = {
        {0, 1, 0, true, TrayIcon::PausedOrUnavailable, kTextTrayImpossible, true},
        {0, 0, 0, false, TrayIcon::PausedOrUnavailable, kTextTrayImpossible, false},
        {1, 3, 0, true, TrayIcon::PausedOrUnavailable, kTextTrayPaused, false},
        {1, 3, 0, false, TrayIcon::Idle, kTextTrayOff, true},
        {1, 1, 0, true, TrayIcon::Recording, kTextTrayRecording, false},
        {1, 1, 0, false, TrayIcon::Idle, kTextTrayOff, true},
        {1, 0, 0, true, TrayIcon::Idle, kTextTrayOff, false},
        {1, 1, 1, true, TrayIcon::PausedOrUnavailable, kTextTrayWriteFailing, false},
        {1, 1, 1, false, TrayIcon::PausedOrUnavailable, kTextTrayWriteFailing, true},
        {1, 3, 1, true, TrayIcon::PausedOrUnavailable, kTextTrayPaused, false},
    };
    for (const auto& c : cases) {
        bool blink = c.blinkBefore;
        const TrayStatus s = nextTrayStatus(c.running, c.flags, c.failing, blink);
        EXPECT_EQ(s.icon, c.icon) << c.running << c.flags << c.failing << c.blinkBefore;
        EXPECT_STREQ(s.tooltip, c.tooltip) << c.running << c.flags << c.failing << c.blinkBefore;
        EXPECT_EQ(blink, c.blinkAfter);
    }
    EXPECT_STREQ(initialTrayStatus().tooltip, kTextTrayInitial);
}

} // namespace
} // namespace relvo7
