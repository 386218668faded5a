#include "Recorder.h"

#include "RecorderTexts.h"
#include "SharedState.h"
#include "TempDayFile.h"

namespace relvo7 {

using namespace std::chrono_literals;

const char* fatalText(RecorderFatal f) {
    return f == RecorderFatal::CannotCreate ? kTextCannotCreateTemp : kTextCannotSaveTemp;
}

Recorder::Recorder(RecorderConfig config)
    : config_(std::move(config)), clock_(config_.clock ? config_.clock : &systemClock_) {}

Recorder::~Recorder() { shutdown(); }

void Recorder::launch() {
    if (RecordingThreadRunning.load() != 0) return;
    if (thread_.joinable()) {
        if (!ended_.load()) return; // started, not yet up: let it come up
        thread_.join();
    }
    ended_.store(false);
    thread_ = std::thread([this] { run(); });
}

void Recorder::record() {
    RecordingFlags.fetch_or(RecordBit);
    clock_->wake();
}

void Recorder::togglePause() {
    RecordingFlags.fetch_xor(PauseBit);
    clock_->wake();
}

void Recorder::requestStop() {
    // A stop also ends a pause, so the next Record does not start paused.
    RecordingFlags.fetch_and(~(RecordBit | PauseBit));
    clock_->wake();
}

void Recorder::stop() {
    requestStop();
    clock_->waitUntil([this] { return TempFileOpen.load() == 0 || ended_.load(); });
}

void Recorder::shutdown() {
    if (!thread_.joinable()) return;
    stop();
    RecordingThreadRunning.store(0);
    clock_->wake();
    thread_.join();
}

void Recorder::applySettings(const RecorderSettings& s) {
    std::lock_guard<std::mutex> lock(settingsMutex_);
    settings_ = s;
}

RecorderSettings Recorder::settings() const {
    std::lock_guard<std::mutex> lock(settingsMutex_);
    return settings_;
}

Sample Recorder::takeSample(const LocalTime& now) const {
    Sample s;
    s.hour = now.hour;
    s.minute = now.minute;
    s.second = now.second;
    s.connected = PanelConnected.load(std::memory_order_relaxed);
    s.alarms = AlarmMask.load(std::memory_order_relaxed);
    for (int i = 0; i < kDayFileValueCount; ++i) s.values[i] = MeasurementBlock[i].load(std::memory_order_relaxed);
    return s;
}

void Recorder::fatal(RecorderFatal f) {
    // Nothing is held any more: a Stop or a program close that waits on the
    // file must not wait behind the message.
    RecordingFlags.store(0);
    TempFileOpen.store(0);
    if (config_.onFatal) config_.onFatal(f);
}

void Recorder::run() {
    RecordingThreadRunning.store(1);
    const uint32_t version = config_.dataVersion;
    {
        const RecorderSettings loaded =
            decodeRecorderSettings(config_.loadSettings ? config_.loadSettings() : std::vector<uint8_t>{});
        if (config_.loadSettings) applySettings(loaded);
        if (settings().autoRecord == 1) RecordingFlags.store(RecordBit);
    }
    const auto running = [] { return RecordingThreadRunning.load() == 1; };
    const auto stopAsked = [&] { return (RecordingFlags.load() & RecordBit) == 0 || !running(); };

    TempDayFile file(config_.folder);
    bool open = false;
    DayDate headerDate;
    uint64_t recordsInFile = 0;

    const auto finish = [&]() -> bool {
        const bool done = file.finalise(version) == TempDayFile::FinaliseResult::Done;
        if (done && config_.onFileFinished) config_.onFileFinished(file.finalName());
        return done;
    };

    while (running()) {
        const int32_t flags = RecordingFlags.load();
        if ((flags & RecordBit) && !open) {
            const auto opened = file.open();
            if (opened == TempDayFile::OpenResult::Failed) {
                fatal(RecorderFatal::CannotCreate);
                break;
            }
            TempFileOpen.store(1);
            if (opened == TempDayFile::OpenResult::Leftover) {
                // A file of an earlier run: finish it under its own date first.
                if (!finish()) {
                    fatal(RecorderFatal::CannotSave);
                    break;
                }
                TempFileOpen.store(0);
                continue;
            }
            headerDate = clock_->localNow().date();
            if (!file.writeHeader(version, headerDate)) {
                // The disk is full or failing: drop the empty file, say so and
                // try again after a second rather than giving recording up.
                file.discard();
                TempFileOpen.store(0);
                WriteFailing.store(1);
                if (config_.onWriteFailed) config_.onWriteFailed(file.lastError());
                clock_->waitStep(1000ms, stopAsked);
                continue;
            }
            open = true;
            recordsInFile = 0;
        } else if ((flags & RecordBit) && open) {
            const LocalTime now = clock_->localNow();
            if (now.date() == headerDate) {
                // The same reading of the clock decides the day and stamps the
                // sample, so a sample just after midnight never lands in the old day.
                const bool written = file.appendRecord(encodeRecord(takeSample(now)));
                WriteFailing.store(written ? 0 : 1);
                if (written && config_.onRecordWritten) config_.onRecordWritten(++recordsInFile);
                if (!written && config_.onWriteFailed) config_.onWriteFailed(file.lastError());
                const uint32_t interval = clampInterval(settings().intervalSeconds);
                for (uint32_t step = 0; step < interval && !stopAsked(); ++step) clock_->waitStep(1000ms, stopAsked);
            } else {
                // Midnight has passed: this file is complete; the next pass opens
                // one for the new day and samples at once.
                open = false;
                if (!finish()) {
                    fatal(RecorderFatal::CannotSave);
                    break;
                }
                TempFileOpen.store(0);
            }
        } else {
            if (open) {
                open = false;
                if (!finish()) {
                    fatal(RecorderFatal::CannotSave);
                    break;
                }
            }
            TempFileOpen.store(0);
            WriteFailing.store(0);
            clock_->waitUntil([&] { return (RecordingFlags.load() & RecordBit) != 0 || !running(); });
        }
        // Paused: hold the file. A stop or the program's close ends the pause too.
        clock_->waitUntil([&] {
            const int32_t f = RecordingFlags.load();
            return (f & PauseBit) == 0 || (f & RecordBit) == 0 || !running();
        });
    }
    RecordingFlags.store(0);
    TempFileOpen.store(0);
    WriteFailing.store(0);
    ended_.store(true);
    RecordingThreadRunning.store(0);
    clock_->wake();
}

} // namespace relvo7
