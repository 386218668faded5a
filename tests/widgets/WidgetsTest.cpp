#include "CColorRect.h"
#include "CGraph.h"
#include "CIconButton.h"
#include "CXDBListCtrl.h"
#include "CXLabel.h"
#include "CXLed.h"
#include "CXProgressCtrl.h"
#include "IconResources.h"
#include "QtAppEnvironment.h"

#include <QApplication>
#include <QSignalSpy>
#include <QSvgRenderer>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

const auto* const kApp = ::testing::AddGlobalTestEnvironment(new QtAppEnvironment<QApplication>);

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

void settle()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

TEST(Pictures, EveryNumberedPictureLoadsAtItsSize)
{
    const std::map<int, QSize> sizes{
        {relvo7::icons::LedOn, {16, 16}},     {relvo7::icons::LedOff, {16, 16}},
        {relvo7::icons::FaultOn, {128, 20}},  {relvo7::icons::FaultOff, {128, 20}},
        {relvo7::icons::InputsOn, {48, 20}},  {relvo7::icons::InputsOff, {48, 20}},
        {relvo7::icons::SpzOn, {48, 20}},     {relvo7::icons::SpzOff, {48, 20}},
        {relvo7::icons::RemoteOn, {34, 20}},  {relvo7::icons::RemoteOff, {34, 20}},
        {relvo7::icons::Start, {84, 20}},     {relvo7::icons::Stop, {84, 20}},
        {relvo7::icons::ResetFault, {84, 20}}, {relvo7::icons::LinkIdle, {40, 40}},
        {relvo7::icons::LinkActive, {40, 40}}, {relvo7::icons::LinkError, {40, 40}},
        {relvo7::icons::Clock, {24, 24}},     {relvo7::icons::TrayIdle, {16, 16}},
        {relvo7::icons::TrayRecording, {16, 16}}, {relvo7::icons::TrayPaused, {16, 16}},
    };
    int count = 0;
    const int* ids = relvo7::icons::allIds(&count);
    ASSERT_GT(count, 0);
    for (int i = 0; i < count; ++i) {
        QSvgRenderer r(relvo7::icons::path(ids[i]));
        EXPECT_TRUE(r.isValid()) << ids[i];
        if (auto it = sizes.find(ids[i]); it != sizes.end()) {
            EXPECT_EQ(r.defaultSize(), it->second) << ids[i];
        }
    }
    EXPECT_TRUE(relvo7::icons::path(1).isEmpty());
}

// Every widget paints at a zero size and at a normal size.
TEST(Painting, EveryWidgetGrabsAtZeroAndNormalSize)
{
    std::vector<std::function<std::unique_ptr<QWidget>()>> makers{
        [] {
            auto w = std::make_unique<CXLed>();
            w->SetIcons(relvo7::icons::FaultOn, 128, 20, relvo7::icons::FaultOff, 128, 20);
            w->SetBlink(true);
            return w;
        },
        [] {
            auto w = std::make_unique<CXLabel>(QStringLiteral("0.0 А"));
            w->SetBold(true);
            w->SetFontSize(11);
            return w;
        },
        [] {
            auto w = std::make_unique<CXProgressCtrl>();
            w->SetRange(0, 0);
            w->SetMarkers(380, 100);
            w->SetPos(50);
            return w;
        },
        [] {
            auto w = std::make_unique<CIconButton>();
            w->SetIcon(relvo7::icons::Start, 84, 20);
            return w;
        },
        [] { return std::make_unique<CColorRect>(); },
        [] {
            auto w = std::make_unique<CXDBListCtrl>();
            w->InsertColumn(0, QStringLiteral("Nazwa"), Qt::AlignLeft, 100);
            w->InsertItem(0, QStringLiteral("x"), 5);
            return w;
        },
        [] {
            auto w = std::make_unique<CGraph>();
            w->SetLevelValue(20000000);
            return w;
        },
    };
    for (const auto& make : makers) {
        auto w = make();
        for (QSize size : {QSize(0, 0), QSize(1, 1), QSize(160, 40)}) {
            w->resize(size);
            if (auto* g = qobject_cast<CGraph*>(w.get()))
                g->Tick();
            const QPixmap shot = w->grab();
            EXPECT_EQ(shot.isNull(), size.isEmpty()) << w->metaObject()->className();
        }
    }
}

TEST(Painting, ThresholdBarShowsItsZoneColourAndMarkers)
{
    CXProgressCtrl bar;
    bar.resize(100, 16);
    bar.SetRange(0, 200);
    bar.SetRange(0, 100);
    bar.SetMarkers(80, 20);
    using relvo7::widgets::Rgb;
    const Rgb yellow{255, 255, 0}, green{89, 219, 75};
    for (auto [pos, colour] : {std::pair{10, yellow}, std::pair{50, green}, std::pair{90, yellow}}) {
        bar.SetPos(pos);
        const QImage img = bar.grab().toImage();
        const Rgb shade = relvo7::widgets::barShade(colour, 8, 16);
        EXPECT_EQ(img.pixelColor(5, 8), QColor(shade.r, shade.g, shade.b)) << pos;
        EXPECT_EQ(img.pixelColor(pos + 5, 8), QColor(208, 209, 193)) << pos;
        EXPECT_EQ(img.pixelColor(80, 8), QColor(255, 0, 0));
        EXPECT_EQ(img.pixelColor(20, 8), QColor(255, 0, 0));
    }
}

TEST(Painting, SettersRepaintOnlyOnChange)
{
    QWidget host;
    auto* bar = new CXProgressCtrl(&host);
    auto* label = new CXLabel(QStringLiteral("0 V"), &host);
    auto* led = new CXLed(&host);
    led->move(0, 40);
    led->SetIcons(relvo7::icons::LedOn, 16, 16, relvo7::icons::LedOff, 16, 16);
    label->move(0, 20);
    host.resize(200, 80);
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    settle();
    PaintCounter counter;
    for (QWidget* w : std::initializer_list<QWidget*>{bar, label, led})
        w->installEventFilter(&counter);
    for (int i = 0; i < 25; ++i) {
        bar->SetPos(0);
        bar->SetRange(0, 100);
        bar->SetMarkers(0, 0);
        label->SetText(QStringLiteral("0 V"));
        led->SetState(false);
    }
    settle();
    EXPECT_EQ(counter.paints, 0);
    bar->SetPos(40);
    settle();
    EXPECT_GE(counter.paints, 1);
}

TEST(Led, OffPictureTurnsItOffAndBlinkAlternates)
{
    CXLed led;
    EXPECT_TRUE(led.GetState());
    led.SetIcons(relvo7::icons::LedOn, 16, 16, relvo7::icons::LedOff, 16, 16);
    EXPECT_FALSE(led.GetState());
    led.resize(16, 16);
    const QImage off = led.grab().toImage();
    led.SetState(true);
    led.SetBlink(true);
    const QImage on = led.grab().toImage();
    EXPECT_NE(on, off);
    led.BlinkTick();
    EXPECT_FALSE(led.ShowsOn());
    EXPECT_EQ(led.grab().toImage(), off);
    led.BlinkTick();
    EXPECT_EQ(led.grab().toImage(), on);
    led.SetBlink(false);
    EXPECT_FALSE(led.IsBlinking());
}

TEST(IconButton, MouseStatesAndClick)
{
    CIconButton button;
    button.SetIcon(relvo7::icons::Stop, 84, 20);
    button.resize(88, 24);
    button.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
    QSignalSpy clicks(&button, &QAbstractButton::clicked);
    const QImage idle = button.grab().toImage();
    QTest::mouseMove(&button, QPoint(40, 12));
    EXPECT_TRUE(button.IsHover());
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(40, 12));
    EXPECT_TRUE(button.IsPressed());
    const QImage pressed = button.grab().toImage();
    EXPECT_NE(pressed, idle);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(40, 12));
    EXPECT_FALSE(button.IsPressed());
    EXPECT_EQ(clicks.count(), 1);
    button.setEnabled(false);
    EXPECT_NE(button.grab().toImage(), idle);
}

TEST(DbList, SortByDateKeepsEachRowTogether)
{
    CXDBListCtrl list;
    list.InsertColumn(0, QStringLiteral("Plik"), Qt::AlignLeft, 100);
    list.InsertColumn(1, QStringLiteral("Data"), Qt::AlignHCenter, 80);
    const char* dates[] = {"31.12.2026", "01.01.2027", "bad"};
    for (int i = 0; i < 3; ++i) {
        list.InsertItem(i, QStringLiteral("f%1").arg(i), 100 + i);
        list.SetItemText(i, 1, QString::fromLatin1(dates[i]));
    }
    list.SortByDate();
    EXPECT_EQ(list.GetItemText(0, 1), QStringLiteral("01.01.2027"));
    EXPECT_EQ(list.GetItemText(0, 0), QStringLiteral("f1"));
    EXPECT_EQ(list.GetItemData(0), 101);
    EXPECT_EQ(list.GetItemData(1), 100);
    EXPECT_EQ(list.GetItemData(2), 102);
    EXPECT_EQ(list.FindItemData(102), 2);
    EXPECT_EQ(list.FindItemData(7), -1);
    list.DeleteItem(0);
    list.DeleteItem(9); // out of range: ignored
    EXPECT_EQ(list.GetItemCount(), 2);
    list.DeleteAllItems();
    EXPECT_EQ(list.GetItemCount(), 0);
}

TEST(Graph, LevelResetAndRunning)
{
    CGraph graph;
    graph.resize(120, 90);
    EXPECT_EQ(graph.SetLevelValue(1100000), 100);
    EXPECT_EQ(graph.Strip().level(), 30);
    graph.ResetLevel();
    EXPECT_EQ(graph.Strip().level(), 90);
    graph.SetRunning(true);
    EXPECT_TRUE(graph.IsRunning());
    graph.SetRunning(false);
    EXPECT_FALSE(graph.IsRunning());
    // A new size keeps the level.
    graph.SetLevelValue(550000);
    graph.resize(120, 150);
    graph.Tick();
    EXPECT_EQ(graph.Strip().level(), 150 - 60);
}

} // namespace
