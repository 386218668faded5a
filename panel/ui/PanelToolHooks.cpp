// Developer hooks of the panel window, switched on by environment variables
// (never by the operator):
//   RELVO7_SCREENSHOT=<file.png>   grab the window after RELVO7_SCREENSHOT_DELAY_MS
//                                  (default 8000) and close the program;
//   RELVO7_CPU_REPORT=<seconds>    after a 3 s settling time, measure the window
//                                  thread's processor time over that many seconds,
//                                  print it on standard error and close the program.
#include "CCPL_RELVO7Dlg.h"

#include <QPixmap>
#include <QScrollArea>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <sys/resource.h>

#include "SharedState.h"

namespace relvo7::panel::ui {

namespace {
double threadCpuSeconds() {
    rusage r{};
    getrusage(RUSAGE_THREAD, &r);
    return static_cast<double>(r.ru_utime.tv_sec + r.ru_stime.tv_sec) +
           static_cast<double>(r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
}

int envInt(const char* name, int fallback) {
    bool ok = false;
    const int v = qEnvironmentVariableIntValue(name, &ok);
    return ok ? v : fallback;
}
} // namespace

void CCPL_RELVO7Dlg::startToolHooks() {
    // Ends the program for a tool: disconnect first, so no question is asked.
    auto finish = [this] {
        if (PanelConnected.load() == 1) engine().ToggleConnection();
        requestClose();
    };

    const QString shot = qEnvironmentVariable("RELVO7_SCREENSHOT");
    if (!shot.isEmpty()) {
        QTimer::singleShot(envInt("RELVO7_SCREENSHOT_DELAY_MS", 8000), this, [this, shot, finish] {
            pumpNow();
            const bool saved = grab().save(shot);
            std::fprintf(stderr, "screenshot %s: %s\n", saved ? "saved" : "NOT saved", qPrintable(shot));
            finish();
        });
    }

    const int seconds = envInt("RELVO7_CPU_REPORT", 0);
    if (seconds > 0) {
        QTimer::singleShot(3000, this, [this, seconds, finish] {
            const double cpu0 = threadCpuSeconds();
            const uint64_t batches0 = appliedBatches();
            const auto t0 = std::chrono::steady_clock::now();
            QTimer::singleShot(seconds * 1000, this, [this, cpu0, batches0, t0, finish] {
                const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
                const double cpu = threadCpuSeconds() - cpu0;
                std::fprintf(stderr,
                             "window thread: %.3f s processor time in %.1f s (%.2f %% of one core); "
                             "view updates %.1f per second; polling speed %.1f registers/s; connected %d\n",
                             cpu, wall, 100.0 * cpu / wall, static_cast<double>(appliedBatches() - batches0) / wall,
                             static_cast<double>(PollingSpeed.load()), PanelConnected.load());
                finish();
            });
        });
    }
}

} // namespace relvo7::panel::ui
