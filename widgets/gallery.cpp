// A live showcase of every display widget, for judging their look and behaviour.
//   widget_gallery [--screenshot out.png]
#include "CColorRect.h"
#include "CGraph.h"
#include "CIconButton.h"
#include "CXDBListCtrl.h"
#include "CXLabel.h"
#include "CXLed.h"
#include "CXListCtrl.h"
#include "CXProgressCtrl.h"
#include "IconResources.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

#include <array>

#include <cmath>

namespace {

const QColor kBackground(222, 224, 214);
const QColor kValue(20, 40, 110);

CXLabel* valueLabel(const QString& text, int points = 0)
{
    auto* l = new CXLabel(text);
    l->SetColors(kValue, QColor(244, 245, 238));
    l->SetBold(true);
    if (points)
        l->SetFontSize(points);
    l->setMinimumWidth(80);
    return l;
}

CXLed* led(int on, int w, int h, int off, bool blink = false)
{
    auto* l = new CXLed;
    l->SetIcons(on, w, h, off, w, h);
    l->setFixedSize(w + 2, h + 2);
    if (blink)
        l->SetBlink(true);
    return l;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QString shot;
    for (int i = 1; i + 1 < argc; ++i)
        if (QString::fromLocal8Bit(argv[i]) == QStringLiteral("--screenshot"))
            shot = QString::fromLocal8Bit(argv[i + 1]);

    QWidget window;
    window.setWindowTitle(QStringLiteral("RELVO-7 widgets"));
    QPalette pal = window.palette();
    pal.setColor(QPalette::Window, kBackground);
    window.setPalette(pal);
    window.setAutoFillBackground(true);
    auto* top = new QHBoxLayout(&window);
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    top->addLayout(left, 3);
    top->addLayout(right, 2);

    // Relay states: round LEDs and the lettered lamps.
    auto* states = new QGroupBox(QStringLiteral("STAN RELVO:"));
    auto* sg = new QGridLayout(states);
    const char* names[] = {"TMLPP", "Przekaźnik funkcyjny", "Przekaźnik silnika"};
    for (int i = 0; i < 3; ++i) {
        auto* l = led(relvo7::icons::LedOn, 16, 16, relvo7::icons::LedOff);
        l->SetState(i != 1);
        sg->addWidget(l, i, 0);
        sg->addWidget(new QLabel(QString::fromUtf8(names[i])), i, 1);
    }
    auto* colours = new QHBoxLayout;
    for (const char* stem : {"led_green", "led_red", "led_yellow", "led_off"}) {
        auto* l = new CXLed;
        l->SetIconPaths(relvo7::icons::named(stem), QSize(16, 16));
        l->setFixedSize(18, 18);
        colours->addWidget(l);
    }
    colours->addStretch();
    sg->addLayout(colours, 3, 0, 1, 2);
    left->addWidget(states);

    auto* faults = new QGroupBox(QStringLiteral("STAN AWARII RELVO:"));
    auto* fg = new QVBoxLayout(faults);
    auto* lamps = new QHBoxLayout;
    auto* fault = led(relvo7::icons::FaultOn, 128, 20, relvo7::icons::FaultOff, true);
    fault->SetState(true);
    auto* inputs = led(relvo7::icons::InputsOn, 48, 20, relvo7::icons::InputsOff, true);
    inputs->SetState(true);
    auto* spz = led(relvo7::icons::SpzOn, 48, 20, relvo7::icons::SpzOff);
    spz->SetState(true);
    auto* zs = led(relvo7::icons::RemoteOn, 34, 20, relvo7::icons::RemoteOff);
    auto* reset = new CIconButton;
    reset->SetIcon(relvo7::icons::ResetFault, 84, 20);
    reset->SetBkColor(kBackground);
    reset->SetButtonCursor(Qt::PointingHandCursor);
    reset->SetTooltip(QStringLiteral("RESET"), true);
    reset->setFixedSize(88, 24);
    for (QWidget* w : std::initializer_list<QWidget*>{fault, inputs, spz, zs, reset})
        lamps->addWidget(w);
    lamps->addStretch();
    fg->addLayout(lamps);
    auto* alarms = new CXListCtrl;
    alarms->InsertColumn(0, QStringLiteral("Nazwa"), Qt::AlignLeft, 210);
    alarms->InsertColumn(1, QStringLiteral("###"), Qt::AlignHCenter, 40);
    alarms->InsertColumn(2, QStringLiteral("Wartość"), Qt::AlignHCenter, 65);
    alarms->InsertColumn(3, QStringLiteral("Czas"), Qt::AlignHCenter, 65);
    alarms->SetColors(QColor(244, 245, 238), kValue);
    const char* rows[][4] = {{"Przeciążenie", "OL", "112.4", "12:04:31"},
                             {"Asymetria prądów", "AS", "18", "12:05:02"},
                             {"Brak komunikacji", "---", "Nie", "12:06:40"}};
    for (int r = 0; r < 3; ++r) {
        alarms->InsertItem(r, QString::fromUtf8(rows[r][0]), r);
        for (int c = 1; c < 4; ++c)
            alarms->SetItemText(r, c, QString::fromUtf8(rows[r][c]));
    }
    alarms->setMinimumHeight(100);
    fg->addWidget(alarms);
    left->addWidget(faults);

    // Current bars with markers.
    auto* currents = new QGroupBox(QStringLiteral("PRĄD (Amper)"));
    auto* cg = new QGridLayout(currents);
    std::array<CXProgressCtrl*, 4> bars{};
    std::array<CXLabel*, 4> values{};
    const char* captions[] = {"Faza 1:", "Faza 2:", "Faza 3:", "AB:"};
    for (int i = 0; i < 4; ++i) {
        cg->addWidget(new QLabel(QString::fromUtf8(captions[i])), i, 0);
        values[static_cast<std::size_t>(i)] = valueLabel(QStringLiteral("0.0 А"), 11);
        cg->addWidget(values[static_cast<std::size_t>(i)], i, 1);
        auto* bar = new CXProgressCtrl;
        bar->setMinimumSize(220, 16);
        cg->addWidget(bar, i, 2);
        bars[static_cast<std::size_t>(i)] = bar;
    }
    for (auto* b : bars)
        b->SetRange(0, 100);
    bars[0]->SetMarkers(80, 20);
    bars[1]->SetMarkers(80, 20);
    bars[2]->SetMarkers(80, 0);
    bars[3]->SetMarkers(0, 0);
    left->addWidget(currents);
    left->addStretch();

    // Heating graph, motor commands, colours and the database list.
    auto* heat = new QGroupBox(QStringLiteral("Grzanie:"));
    auto* hg = new QHBoxLayout(heat);
    auto* graph = new CGraph;
    graph->setFixedSize(220, 90);
    auto* percent = valueLabel(QStringLiteral("0%"));
    hg->addWidget(graph);
    hg->addWidget(percent);
    right->addWidget(heat);

    auto* motorBox = new QGroupBox(QStringLiteral("SILNIK"));
    auto* mg = new QHBoxLayout(motorBox);
    auto* motor = new CXLed;
    motor->SetIcons(relvo7::icons::Motor, 48, 40);
    motor->setFixedSize(50, 42);
    auto* start = new CIconButton;
    start->SetIcon(relvo7::icons::Start, 84, 20);
    start->SetBkColor(kBackground);
    start->setFixedSize(88, 24);
    auto* stop = new CIconButton;
    stop->SetIcon(relvo7::icons::Stop, 84, 20);
    stop->SetBkColor(kBackground);
    stop->setFixedSize(88, 24);
    auto* disabled = new CIconButton;
    disabled->SetIcon(relvo7::icons::Start, 84, 20);
    disabled->SetBkColor(kBackground);
    disabled->setFixedSize(88, 24);
    disabled->setEnabled(false);
    mg->addWidget(motor);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(start);
    buttons->addWidget(stop);
    buttons->addWidget(disabled);
    mg->addLayout(buttons);
    mg->addStretch();
    right->addWidget(motorBox);

    auto* linkBox = new QGroupBox(QStringLiteral("STAN KOMUNIKACJI Z RELVO:"));
    auto* lg = new QHBoxLayout(linkBox);
    for (int id : {relvo7::icons::LinkIdle, relvo7::icons::LinkActive, relvo7::icons::LinkError}) {
        auto* pic = new CXLed;
        pic->SetIcons(id, 40, 40);
        pic->setFixedSize(42, 42);
        lg->addWidget(pic);
    }
    auto* clockPic = new CXLed;
    clockPic->SetIcons(relvo7::icons::Clock, 24, 24);
    clockPic->setFixedSize(26, 26);
    lg->addWidget(clockPic);
    auto* state = valueLabel(QStringLiteral("Podłączony"));
    lg->addWidget(state);
    right->addWidget(linkBox);

    auto* swatches = new QGroupBox(QStringLiteral("Ustawienia interfejsu"));
    auto* wg = new QHBoxLayout(swatches);
    for (QColor c : {QColor(222, 224, 214), QColor(20, 40, 110), QColor(0, 0, 0), QColor(200, 60, 40)}) {
        auto* sw = new CColorRect;
        sw->SetColor(c);
        sw->setFixedSize(44, 20);
        wg->addWidget(sw);
    }
    wg->addStretch();
    right->addWidget(swatches);

    auto* files = new CXDBListCtrl;
    files->InsertColumn(0, QStringLiteral("Plik"), Qt::AlignLeft, 120);
    files->InsertColumn(1, QStringLiteral("Data"), Qt::AlignHCenter, 90);
    const char* dates[] = {"30.12.2026", "01.01.2027", "31.12.2026", "15.06.2026"};
    for (int i = 0; i < 4; ++i) {
        QString d = QString::fromLatin1(dates[i]);
        files->InsertItem(i, QString(d).remove(QLatin1Char('.')) + QStringLiteral(".db"), i);
        files->SetItemText(i, 1, d);
    }
    files->SortByDate();
    files->setMinimumHeight(110);
    right->addWidget(files);
    right->addStretch();

    // Live values: a slow sine sweep over the bars and a rising then falling heat load.
    int step = 0;
    QTimer live;
    QObject::connect(&live, &QTimer::timeout, [&] {
        ++step;
        for (std::size_t i = 0; i < bars.size(); ++i) {
            const int v = static_cast<int>(50 + 45 * std::sin(step * 0.05 + static_cast<double>(i) * 1.3));
            bars[i]->SetPos(v);
            values[i]->SetText(QStringLiteral("%1 А").arg(v / 10.0 * 6.3, 0, 'f', 1));
        }
        const double load = 0.55 + 0.5 * std::sin(step * 0.02);
        const int pct = graph->SetLevelValue(static_cast<std::uint32_t>(load * 1100000));
        percent->SetText(QStringLiteral("%1%").arg(pct));
        zs->SetState((step / 25) % 2);
    });
    live.start(40);
    graph->SetRunning(true);

    window.resize(1020, 620);
    window.show();
    if (!shot.isEmpty()) {
        bars[0]->SetPos(10);
        QTimer::singleShot(0, [&] {
            // Fill the strip so the picture shows the heating history.
            for (int i = 0; i < 260; ++i) {
                step += 3;
                graph->SetLevelValue(static_cast<std::uint32_t>((0.55 + 0.5 * std::sin(i * 0.03)) * 1100000));
                graph->Tick();
            }
            live.stop();
            // Show the blinking lamps in their lit phase.
            fault->SetBlink(false);
            inputs->SetBlink(false);
            percent->SetText(QStringLiteral("%1%").arg(graph->SetLevelValue(
                static_cast<std::uint32_t>((0.55 + 0.5 * std::sin(259 * 0.03)) * 1100000))));
            const std::array<int, 4> shown{10, 50, 90, 65};
            for (std::size_t i = 0; i < bars.size(); ++i) {
                bars[i]->SetPos(shown[i]);
                values[i]->SetText(QStringLiteral("%1 А").arg(shown[i] * 0.63, 0, 'f', 1));
            }
        });
        QTimer::singleShot(800, [&] {
            window.grab().save(shot);
            app.quit();
        });
    }
    return app.exec();
}
