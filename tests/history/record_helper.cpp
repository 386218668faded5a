// history_record_helper: records into a folder with a fast virtual clock, for
// the tests that kill the recorder or fill its disk from outside the test
// process.
//
//   history_record_helper --dir D [--start YYYY-MM-DDThh:mm:ss] [--speed X]
//       [--interval S] [--stop-after N] [--fsize BYTES --raise-after K]
//       [--give-up-after SECONDS]
//
// Prints one line per event on stdout, written unbuffered:
//   "w N"          record N of the current file is on disk
//   "f ERRNO SIZE TIP"  a header or record could not be written; SIZE is the
//                  temporary file's size afterwards, TIP the tooltip
//   "ok TIP"       the first record written after failures; TIP is the tooltip
//   "end"          recording stopped and the file is finished
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "Recorder.h"
#include "SharedState.h"
#include "TrayStatus.h"

using namespace relvo7;

namespace {

void say(const std::string& line) {
    const std::string l = line + "\n";
    ssize_t ignored = ::write(STDOUT_FILENO, l.data(), l.size());
    (void)ignored;
}

std::string tooltipNow(Recorder& r) {
    bool blink = true;
    return nextTrayStatus(RecordingThreadRunning.load(), r.RecordingFlags.load(), r.WriteFailing.load(), blink).tooltip;
}

} // namespace

int main(int argc, char** argv) {
    std::string dir;
    LocalTime start{2026, 12, 10, 8, 0, 0};
    double speed = 1000;
    uint32_t interval = 1;
    uint64_t stopAfter = 0, fsize = 0;
    int raiseAfter = -1;
    int giveUpAfter = 60;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string k = argv[i], v = argv[i + 1];
        if (k == "--dir") dir = v;
        else if (k == "--start")
            std::sscanf(v.c_str(), "%d-%d-%dT%d:%d:%d", &start.year, &start.month, &start.day, &start.hour,
                        &start.minute, &start.second);
        else if (k == "--speed") speed = std::atof(v.c_str());
        else if (k == "--interval") interval = static_cast<uint32_t>(std::atoi(v.c_str()));
        else if (k == "--stop-after") stopAfter = std::strtoull(v.c_str(), nullptr, 10);
        else if (k == "--fsize") fsize = std::strtoull(v.c_str(), nullptr, 10);
        else if (k == "--raise-after") raiseAfter = std::atoi(v.c_str());
        else if (k == "--give-up-after") giveUpAfter = std::atoi(v.c_str());
        else {
            std::fprintf(stderr, "unknown option %s\n", k.c_str());
            return 2;
        }
    }
    if (dir.empty()) return 2;
    if (fsize > 0) {
        // A full disk, as a file-size limit: writes past it fail with EFBIG
        // (or come back short) instead of raising SIGXFSZ.
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit lim{};
        ::getrlimit(RLIMIT_FSIZE, &lim);
        lim.rlim_cur = fsize;
        if (::setrlimit(RLIMIT_FSIZE, &lim) != 0) return 3;
    }

    PanelConnected.store(1);
    AlarmMask.store(0xA5000001u);
    for (int i = 0; i < kMeasureCount; ++i) MeasurementBlock[i].store(i * 1000 - 7);

    FastRecorderClock clock(start, speed);
    RecorderSettings settings;
    settings.autoRecord = 1;
    settings.intervalSeconds = interval;
    const auto pdb = encodeRecorderSettings(settings);

    std::atomic<uint64_t> total{0};
    std::atomic<int> failures{0};
    std::atomic<bool> failedBefore{false};
    Recorder* self = nullptr;
    RecorderConfig c;
    c.folder = dir;
    c.dataVersion = 31;
    c.clock = &clock;
    c.loadSettings = [&] { return std::vector<uint8_t>(pdb.begin(), pdb.end()); };
    c.onFatal = [](RecorderFatal f) { say(std::string("fatal ") + fatalText(f)); };
    c.onRecordWritten = [&](uint64_t n) {
        if (failedBefore.exchange(false)) say("ok " + tooltipNow(*self));
        say("w " + std::to_string(n));
        if (stopAfter > 0 && total.fetch_add(1) + 1 == stopAfter) self->requestStop();
    };
    c.onWriteFailed = [&](int err) {
        failedBefore.store(true);
        struct stat st{};
        const long long size = ::stat((dir + "/" + kTempDayFileName).c_str(), &st) == 0 ? st.st_size : -1;
        say("f " + std::to_string(err) + " " + std::to_string(size) + " " + tooltipNow(*self));
        if (failures.fetch_add(1) + 1 == raiseAfter) { // the disk has room again
            rlimit lim{};
            ::getrlimit(RLIMIT_FSIZE, &lim);
            lim.rlim_cur = lim.rlim_max;
            ::setrlimit(RLIMIT_FSIZE, &lim);
        }
    };
    Recorder recorder(c);
    self = &recorder;
    recorder.launch();
    // Runs until stopped after N records, or until the give-up time (an
    // orphan must not run for ever).
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(giveUpAfter);
    while (std::chrono::steady_clock::now() < deadline) {
        if (stopAfter > 0 && total.load() >= stopAfter && recorder.TempFileOpen.load() == 0) break;
        if (recorder.threadEnded()) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    recorder.shutdown();
    say("end");
    return 0;
}
