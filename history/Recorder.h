#pragma once
// The RecordingThread: samples the shared MeasurementBlock, AlarmMask and
// PanelConnected into the temporary day file at the chosen interval, and turns
// the file into a dated day file on Stop, at midnight and at the next start.
// Orders travel through RecordingFlags, the completion of a stop through
// TempFileOpen and the thread's life through RecordingThreadRunning (SharedState).
// No Qt: std::thread, POSIX I/O; messages go out through a callback.
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "DayFileFormat.h"
#include "RecorderClock.h"
#include "RecorderSettings.h"

namespace relvo7 {

enum RecordingFlagBits : int32_t { RecordBit = 1, PauseBit = 2 };

enum class RecorderFatal {
    CannotCreate, // the temporary file cannot be created or opened
    CannotSave,   // the temporary file cannot be turned into a day file
};
const char* fatalText(RecorderFatal fatal);

struct RecorderConfig {
    std::string folder;       // the database folder ("relvo_db")
    uint32_t dataVersion = 0; // dll_nVerDll, stamped into every header
    RecorderClock* clock = nullptr; // not owned; a SystemRecorderClock when null
    // The profile's "pdb" bytes, read when the thread starts; empty when missing.
    std::function<std::vector<uint8_t>()> loadSettings;
    // Shows a fatal message and returns when the operator has closed it. The
    // database button is to be disabled. Called on the recording thread.
    std::function<void(RecorderFatal)> onFatal;
    // After every record that reached the file (count of records in this file).
    std::function<void(uint64_t)> onRecordWritten;
    // After a header or record could not be written (the errno).
    std::function<void(int)> onWriteFailed;
    // After a day file has been finished (its file name).
    std::function<void(const std::string&)> onFileFinished;
};

class Recorder {
public:
    explicit Recorder(RecorderConfig config);
    // Stops recording (the file is finished) and joins the thread.
    ~Recorder();
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    // Starts the RecordingThread unless one runs. The caller learns the outcome
    // from RecordingThreadRunning (see startRecorder for the start loop).
    void launch();
    // True once the last launched thread has ended.
    bool threadEnded() const { return ended_.load(); }

    // Database dialog commands.
    void record();      // set bit 0
    void togglePause(); // invert bit 1
    void requestStop(); // clear bit 0
    // Stop: clear bit 0 and wait until the file is finished (TempFileOpen 0) or
    // the thread has ended.
    void stop();
    // Program close: stop, then end the thread and join it.
    void shutdown();

    // The dialog's copy of the settings: Save replaces it; the thread takes the
    // interval from here at its next wait.
    void applySettings(const RecorderSettings& s);
    RecorderSettings settings() const;

    std::atomic<int32_t> RecordingFlags{0};
    std::atomic<int32_t> TempFileOpen{0};
    // 1 while records cannot be written (the tooltip says so); recording goes on.
    std::atomic<int32_t> WriteFailing{0};

    RecorderClock& clock() { return *clock_; }

private:
    void run();
    void fatal(RecorderFatal f);
    Sample takeSample(const LocalTime& now) const;

    RecorderConfig config_;
    SystemRecorderClock systemClock_;
    RecorderClock* clock_;
    mutable std::mutex settingsMutex_;
    RecorderSettings settings_;
    std::thread thread_;
    std::atomic<bool> ended_{true};
};

} // namespace relvo7
