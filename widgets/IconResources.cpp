#include "IconResources.h"

#include <QtCore/qglobal.h>

#include <array>
#include <mutex>

static void initIconResources()
{
    static std::once_flag once;
    std::call_once(once, [] { Q_INIT_RESOURCE(icons); });
}

namespace relvo7::icons {

namespace {

struct Entry {
    int id;
    const char* stem;
};

constexpr std::array kEntries{
    Entry{Program, "app"},
    Entry{LedOff, "led_off"},
    Entry{LedOn, "led_green"},
    Entry{FaultOff, "led_fault_off"},
    Entry{FaultOn, "led_fault_on"},
    Entry{LinkActive, "link_active"},
    Entry{LinkIdle, "link_idle"},
    Entry{LinkError, "link_error"},
    Entry{Clock, "clock"},
    Entry{SpzOn, "led_spz_on"},
    Entry{SpzOff, "led_spz_off"},
    Entry{Motor, "motor"},
    Entry{RemoteOn, "led_zs_on"},
    Entry{RemoteOff, "led_zs_off"},
    Entry{Start, "button_start"},
    Entry{Stop, "button_stop"},
    Entry{TrayRecording, "tray_recording"},
    Entry{TrayIdle, "tray_idle"},
    Entry{TrayPaused, "tray_paused"},
    Entry{InputsOff, "led_inputs_off"},
    Entry{InputsOn, "led_inputs_on"},
    Entry{ResetFault, "button_reset"},
};

constexpr std::array<int, kEntries.size()> makeIds()
{
    std::array<int, kEntries.size()> ids{};
    for (std::size_t i = 0; i < kEntries.size(); ++i)
        ids[i] = kEntries[i].id;
    return ids;
}
constexpr auto kIds = makeIds();

} // namespace

QString named(const char* stem)
{
    initIconResources();
    return QStringLiteral(":/icons/") + QLatin1String(stem) + QStringLiteral(".svg");
}

QString path(int id)
{
    for (const auto& e : kEntries)
        if (e.id == id)
            return named(e.stem);
    return {};
}

const int* allIds(int* count)
{
    if (count)
        *count = static_cast<int>(kIds.size());
    return kIds.data();
}

} // namespace relvo7::icons
