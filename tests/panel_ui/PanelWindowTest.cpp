// The panel window as the operator sees it: its idle state, the power choices,
// the line-speed label, the closing question, and a live run against the
// simulated relay over TCP loopback.
#include "CCPL_RELVO7Dlg.h"

#include "CAboutDlg.h"
#include "settings/CSettingsDlg.h"
#include "CGraph.h"
#include "CXLabel.h"
#include "CXLed.h"
#include "CXListCtrl.h"
#include "CXProgressCtrl.h"
#include "DataFolders.h"
#include "PanelIds.h"
#include "PanelTexts.h"
#include "Recorder.h"
#include "RelaySimulator.h"
#include "SharedState.h"
#include "settings/ShellTestFixture.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace relvo7::panel::ui {
namespace {

QString q(const char* utf8) { return QString::fromUtf8(utf8); }

class PanelWindow : public test::ShellTest {
protected:
    void SetUp() override {
        test::ShellTest::SetUp();
        ASSERT_EQ(CreateDataFolders(DataRootFolder()), DataFoldersResult::Ok);
        options.withRecorder = false;
        options.withTray = false;
        options.timings.disconnectWait = std::chrono::milliseconds(0);
    }
    void TearDown() override {
        PanelConnected.store(0);
        test::ShellTest::TearDown();
    }

    // Points the live settings at a simulated relay on the loopback.
    void useSimulator(int port, bool autoConnect) {
        AssignSettingsText(Settings().szPortName, std::u16string_view(kModbusTcpPortName));
        Settings().nIpAddress = 0x7F000001u;
        Settings().nTcpPort = static_cast<uint32_t>(port);
        Settings().nDeviceAddress = 1;
        Settings().bAutoConnect = autoConnect ? 1 : 0;
    }

    static QString text(CCPL_RELVO7Dlg& w, int id) {
        if (auto* l = w.control<CXLabel>(id)) return l->GetText();
        if (auto* b = w.control<QAbstractButton>(id)) return b->text();
        return QStringLiteral("<no text control %1>").arg(id);
    }

    PanelWindowOptions options;
};

// Every value label and its idle text.
const std::pair<int, const char*> kIdleTexts[] = {
    {1061, text::kIdleCurrent}, {1062, text::kIdleCurrent}, {1063, text::kIdleCurrent},
    {1064, text::kIdleCurrent}, {1074, text::kIdleCurrent}, {1065, text::kIdleCurrent},
    {1066, text::kIdleCurrent}, {1067, text::kIdleCurrent}, {1069, text::kIdleCurrent},
    {1070, text::kIdleCurrent}, {1071, text::kIdleCurrent}, {1072, text::kIdleCurrent},
    {1073, text::kIdleCurrent}, {1068, text::kIdleSeconds}, {1083, text::kIdleVolts},
    {1084, text::kIdleVolts},   {1085, text::kIdleVolts},   {1075, text::kIdleVolts},
    {1076, text::kIdleVolts},   {1077, text::kIdleVolts},   {1087, text::kIdleVolts},
    {1086, text::kIdleVolts},   {1078, text::kIdleVolts},   {1088, text::kTextOff},
    {1089, text::kIdleSeconds}, {1090, text::kTextNo},      {1091, text::kTextNo},
    {1157, text::kIdleZero},    {1158, text::kIdleZero},    {1159, text::kIdleZero},
    {1092, text::kIdleDegrees}, {1093, text::kIdleDegrees}, {1094, text::kIdleMilliamps},
    {1095, text::kIdleAnalogVolts}, {1096, text::kIdleHertz}, {1097, text::kIdleMegaohms},
    {1101, text::kIdlePercent},
};
const int kBars[] = {1035, 1036, 1037, 1039, 1038, 1044, 1052, 1053, 1040, 1041, 1042, 1043, 1045};
const int kLeds[] = {1056, 1057, 1058, 1059, 1152, 1153, 1162};
const int kRadios[] = {1016, 1017, 1047};

TEST_F(PanelWindow, TemplateTextsUntilTheFirstConnectThenIdleAfterResetPanel) {
    CCPL_RELVO7Dlg w(options);
    w.show();

    // The dialog template: idle texts except the temperatures (Cyrillic Es) and the heating.
    EXPECT_EQ(text(w, 1092), QStringLiteral("0 *\u0421"));
    EXPECT_EQ(text(w, 1093), QStringLiteral("0 *\u0421"));
    EXPECT_EQ(text(w, 1101), QStringLiteral("0 %"));
    EXPECT_EQ(text(w, 1061), q(text::kIdleCurrent));
    EXPECT_EQ(text(w, 1081), q(text::kStatusDisconnected));
    EXPECT_EQ(text(w, 1079), QStringLiteral("00 : 00 : 00"));
    EXPECT_EQ(text(w, 1051), q(text::kCaptionConnect));
    EXPECT_EQ(w.windowTitle(), q(text::kTitleBase));
    EXPECT_FALSE(text(w, 1060).isEmpty()); // date and time from the start
    EXPECT_FALSE(w.control(1104)->isVisible());
    EXPECT_FALSE(w.control(1163)->isVisible());
    EXPECT_FALSE(w.control(1105)->isVisible());
    EXPECT_TRUE(w.control(1165)->isVisible());
    EXPECT_FALSE(w.control(1166)->isEnabled());
    EXPECT_TRUE(w.control(1000)->isEnabled());
    auto* list = w.control<CXListCtrl>(1046);
    ASSERT_EQ(list->columnCount(), 4);
    EXPECT_EQ(list->horizontalHeaderItem(0)->text(), QStringLiteral("Nazwa"));
    EXPECT_EQ(list->horizontalHeaderItem(1)->text(), QStringLiteral("###"));

    // Something live on every kind of display ...
    PanelModel& m = w.model();
    for (const auto& [id, idle] : kIdleTexts) m.setText(id, "42");
    for (int b : kBars) m.setPos(b, 30);
    for (int l : kLeds) m.setState(l, 1);
    for (int r : kRadios) m.setState(r, 1);
    m.setMarkers(1035, 4000, 1000);
    m.setRange(1045, 0, 60);
    m.insertAlarmRow({3, "Zwarcie", "IZ", "12.0 A", "10:00:00"});
    AlarmMask.store(1u << 3);
    MeasurementBlock[0].store(123);
    w.pumpNow();
    ASSERT_EQ(text(w, 1061), QStringLiteral("42"));
    ASSERT_EQ(list->rowCount(), 1);
    ASSERT_TRUE(w.control<QRadioButton>(1017)->isChecked());

    // ... and back to idle.
    w.ResetPanel();
    for (const auto& [id, idle] : kIdleTexts) EXPECT_EQ(text(w, id), q(idle)) << "label " << id;
    for (int b : kBars) EXPECT_EQ(w.control<CXProgressCtrl>(b)->GetPos(), 0) << "bar " << b;
    for (int l : kLeds) EXPECT_FALSE(w.control<CXLed>(l)->GetState()) << "LED " << l;
    for (int r : kRadios) EXPECT_FALSE(w.control<QRadioButton>(r)->isChecked()) << "radio " << r;
    EXPECT_EQ(list->rowCount(), 0);
    EXPECT_EQ(AlarmMask.load(), 0u);
    EXPECT_EQ(MeasurementBlock[0].load(), 0);
    const auto& restart = w.control<CXProgressCtrl>(1045)->Model();
    EXPECT_EQ(restart.maximum(), 900);
    const auto& phase = w.control<CXProgressCtrl>(1035)->Model();
    EXPECT_EQ(phase.maximum(), 6300);
    EXPECT_EQ(phase.upper(), 0);
    EXPECT_EQ(phase.lower(), 0);
    const auto& line = w.control<CXProgressCtrl>(1040)->Model();
    EXPECT_EQ(line.upper(), 380);
    EXPECT_EQ(line.lower(), 100);
    EXPECT_TRUE(w.requestClose());
}

TEST_F(PanelWindow, LineSpeedLabelFollowsTheBaudIndex) {
    const std::pair<uint32_t, const char*> cases[] = {
        {0, "9600 bit/s"}, {1, "19200 bit/s"}, {2, "9600 bit/s"}, {3, "9600 bit/s"}};
    for (auto [index, shown] : cases) {
        Settings().nBaudIndex = index;
        CCPL_RELVO7Dlg w(options);
        EXPECT_EQ(text(w, 1080), q(shown)) << "nBaudIndex " << index;
        EXPECT_TRUE(w.requestClose());
    }
}

TEST_F(PanelWindow, PowerChoicesComeFromTheProfileAndGoBackAtClose) {
    SaveProfileInt(QStringLiteral("pow1"), 14);
    SaveProfileInt(QStringLiteral("pow2"), 15);
    SaveProfileInt(QStringLiteral("pow3"), -7);
    {
        CCPL_RELVO7Dlg w(options);
        auto box = [&](int id) { return w.control<QComboBox>(id); };
        ASSERT_EQ(box(1154)->count(), 15);
        EXPECT_EQ(box(1154)->itemText(14), QStringLiteral("Faza 3 Cosinus fi"));
        EXPECT_EQ(box(1154)->currentIndex(), 14);
        EXPECT_EQ(box(1155)->currentIndex(), -1);
        EXPECT_EQ(box(1156)->currentIndex(), -1);
        EXPECT_EQ(w.engine().polling().powerChoice[0].load(), 14);
        EXPECT_EQ(w.engine().polling().powerChoice[1].load(), -1);

        box(1156)->setCurrentIndex(2); // the operator's choice reaches the polling cycle at once
        EXPECT_EQ(w.engine().polling().powerChoice[2].load(), 2);
        EXPECT_TRUE(w.requestClose());
    }
    EXPECT_EQ(LoadProfileInt(QStringLiteral("pow1"), 99), 14);
    EXPECT_EQ(LoadProfileInt(QStringLiteral("pow2"), 99), -1);
    EXPECT_EQ(LoadProfileInt(QStringLiteral("pow3"), 99), 2);
}

TEST_F(PanelWindow, AddressFieldGoesIntoTheSettingsRecordAndBadInputIsReported) {
    Settings().nDeviceAddress = 7;
    CCPL_RELVO7Dlg w(options);
    w.show();
    auto* edit = w.control<QLineEdit>(1048);
    EXPECT_EQ(edit->text(), QStringLiteral("7"));
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("12x"));
    EXPECT_EQ(edit->text(), QStringLiteral("12")); // digits only
    EXPECT_EQ(SharedLoad(Settings().nDeviceAddress), 12);
    EXPECT_EQ(w.engine().polling().deviceAddress.load(), 12);

    edit->clear();
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason); // leaving the empty field
    QApplication::sendEvent(edit, &leave);
    ASSERT_EQ(prompt.shown().size(), 1);
    EXPECT_EQ(prompt.shown().front().text, QStringLiteral("Wprowadź liczbę całkowitą."));
    EXPECT_EQ(edit->text(), QStringLiteral("12"));
    EXPECT_TRUE(w.requestClose());
}

TEST_F(PanelWindow, F1OpensTheAboutBoxAndEnterOrEscapeDoNotClose) {
    CCPL_RELVO7Dlg w(options);
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w, 5000)); // shortcuts need the active window
    w.control(1046)->setFocus();
    bool aboutShown = false;
    test::WhenModal<CAboutDlg>([&](CAboutDlg* about) {
        aboutShown = true;
        about->reject();
    });
    QTest::keyClick(w.control(1046), Qt::Key_F1);
    EXPECT_TRUE(aboutShown);
    QTest::keyClick(w.control(1046), Qt::Key_Escape);
    QTest::keyClick(w.control(1046), Qt::Key_Return);
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.requestClose());
}

TEST_F(PanelWindow, SettingsButtonAsksThePasswordWhenProtectedAndRefreshesAfterTheDialog) {
    CCPL_RELVO7Dlg w(options);
    w.show();
    auto* settings = qobject_cast<QPushButton*>(w.control(1000));

    // Protected and cancelled: the click returns at once (a dialog would block it).
    Settings().bPassword = 1;
    Settings().nPasswordScope = PasswordScopeSettings;
    settings->click();
    EXPECT_EQ(password.asked, 1);
    EXPECT_EQ(text(w, 1080), QStringLiteral("9600 bit/s"));
    bool dialogShown = false;

    // Unprotected: the dialog runs; speed label and address follow the record afterwards.
    Settings().bPassword = 0;
    test::WhenModal<CSettingsDlg>([&](CSettingsDlg* d) {
        dialogShown = true;
        Settings().nBaudIndex = 1;
        Settings().nDeviceAddress = 9;
        d->reject();
    });
    settings->click();
    EXPECT_TRUE(dialogShown);
    EXPECT_EQ(text(w, 1080), QStringLiteral("19200 bit/s"));
    EXPECT_EQ(w.control<QLineEdit>(1048)->text(), QStringLiteral("9"));
    EXPECT_TRUE(w.requestClose());
}

TEST_F(PanelWindow, ButtonsOfLaterWindowsSayTheyComeLater) {
    CCPL_RELVO7Dlg w(options);
    for (int id : {1117, 1001}) {
        prompt.clear();
        qobject_cast<QPushButton*>(w.control(id))->click();
        ASSERT_EQ(prompt.shown().size(), 1) << id;
        EXPECT_EQ(prompt.shown().front().caption, text(w, id));
    }
    EXPECT_TRUE(w.requestClose());
}

TEST_F(PanelWindow, SmallWindowScrollsByATenthOfTheHiddenPart) {
    CCPL_RELVO7Dlg w(options);
    w.show();
    w.resize(500, 300);
    QScrollArea* area = w.scrollArea();
    ASSERT_TRUE(QTest::qWaitFor([&] { return area->viewport()->width() < 500 && area->verticalScrollBar()->maximum() > 0; }, 5000));
    QApplication::processEvents();
    const int hiddenH = w.panelFullSize().height() - area->viewport()->height();
    const int hiddenW = w.panelFullSize().width() - area->viewport()->width();
    EXPECT_EQ(area->verticalScrollBar()->maximum(), hiddenH);
    EXPECT_EQ(area->verticalScrollBar()->singleStep(), hiddenH / 10);
    EXPECT_EQ(area->horizontalScrollBar()->pageStep(), hiddenW / 10);
    EXPECT_TRUE(w.requestClose());
}

TEST_F(PanelWindow, ClosingWhileConnectedAnsweredNoKeepsTheLinkWithRecordingStopped) {
    sim::RelaySimulator relay;
    const int port = relay.startTcp();
    ASSERT_GT(port, 0);
    useSimulator(port, false);
    options.withRecorder = true;
    CCPL_RELVO7Dlg w(options);
    w.show();
    ASSERT_NE(w.recorder(), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([] { return RecordingThreadRunning.load() == 1; }, 10000));

    qobject_cast<QPushButton*>(w.control(1051))->click();
    ASSERT_EQ(PanelConnected.load(), 1);
    w.recorder()->record();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.recorder()->TempFileOpen.load() == 1; }, 10000));
    prompt.clear();

    prompt.addAnswer(PromptNo);
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    ASSERT_EQ(prompt.shown().size(), 1);
    EXPECT_EQ(prompt.shown().front().caption, QStringLiteral("Uwaga"));
    EXPECT_EQ(PanelConnected.load(), 1);
    EXPECT_EQ(PollingThreadRunning.load(), 1);
    EXPECT_EQ(w.recorder()->RecordingFlags.load() & RecordBit, 0);
    EXPECT_EQ(w.recorder()->TempFileOpen.load(), 0); // the day file was finished
    EXPECT_EQ(RecordingThreadRunning.load(), 1);     // the thread waits for the next order

    prompt.addAnswer(PromptYes);
    EXPECT_TRUE(w.close());
    EXPECT_EQ(PanelConnected.load(), 0);
    EXPECT_EQ(text(w, 1081), q(text::kStatusDisconnected));
}

TEST_F(PanelWindow, LiveAgainstTheSimulatedRelay) {
    sim::SimOptions simOptions;
    simOptions.commissioned = true; // motor running at its rated current
    sim::RelaySimulator relay(simOptions);
    const int port = relay.startTcp();
    ASSERT_GT(port, 0);
    useSimulator(port, true); // connects during initialisation
    SaveProfileInt(QStringLiteral("pow2"), 99);
    CCPL_RELVO7Dlg w(options);
    w.show();

    ASSERT_EQ(PanelConnected.load(), 1);
    EXPECT_EQ(text(w, 1081), q(text::kStatusConnected));
    EXPECT_EQ(text(w, 1051), q(text::kCaptionDisconnect));
    EXPECT_FALSE(w.control(1000)->isEnabled());
    EXPECT_TRUE(w.control(1166)->isEnabled());
    EXPECT_TRUE(w.control(1105)->isVisible()); // version 55 has RESET

    // Live values, the power labels (the second box has no valid choice), the title.
    ASSERT_TRUE(QTest::qWaitFor([&] { return text(w, 1061) != q(text::kIdleCurrent); }, 15000)) << text(w, 1061).toStdString();
    EXPECT_TRUE(text(w, 1061).endsWith(QStringLiteral(" \u0410"))); // Cyrillic A
    ASSERT_TRUE(QTest::qWaitFor([&] { return text(w, 1157) != q(text::kIdleZero); }, 15000));
    EXPECT_EQ(text(w, 1158), QString());
    EXPECT_GT(w.control<CXProgressCtrl>(1035)->GetPos(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.windowTitle().contains(QStringLiteral("Firmware[55]")); }, 15000));
    EXPECT_TRUE(w.control(1104)->isVisible() || w.control(1163)->isVisible()); // remote control allowed

    // A trip shows the fault LED and an alarm row.
    relay.trip(sim::Protection::OverCurrent);
    auto* list = w.control<CXListCtrl>(1046);
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->rowCount() > 0 && w.control<CXLed>(1059)->GetState(); }, 15000));
    EXPECT_FALSE(list->GetItemText(0, 0).isEmpty());
    EXPECT_NE(AlarmMask.load(), 0u);

    // Disconnect: idle again.
    qobject_cast<QPushButton*>(w.control(1051))->click();
    EXPECT_EQ(PanelConnected.load(), 0);
    EXPECT_EQ(text(w, 1061), q(text::kIdleCurrent));
    EXPECT_EQ(list->rowCount(), 0);
    EXPECT_FALSE(w.control(1105)->isVisible());
    EXPECT_EQ(w.windowTitle(), q(text::kTitleBase));
    EXPECT_TRUE(w.requestClose());
}

} // namespace
} // namespace relvo7::panel::ui
