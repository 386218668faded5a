// The panel window's rules that need no window.
#include "ClosingSequence.h"
#include "HeatingTooltip.h"
#include "PanelColours.h"
#include "PanelScroll.h"
#include "PowerChoices.h"
#include "SharedState.h"
#include "settings/ShellTestFixture.h"

#include <gtest/gtest.h>

namespace relvo7::panel::ui {
namespace {

TEST(PowerChoice, StoredIndexOutsideTheListLeavesTheBoxUnselected) {
    const std::pair<int, int> cases[] = {{0, 0}, {7, 7}, {14, 14}, {15, -1}, {-1, -1}, {-2, -1}, {1000000, -1}};
    for (auto [stored, shown] : cases) EXPECT_EQ(restoredPowerChoice(stored), shown) << stored;
}

class PowerChoiceProfile : public test::ShellTest {};

TEST_F(PowerChoiceProfile, SavedChoicesComeBackAndMissingOnesAreZero) {
    EXPECT_EQ(loadPowerChoices(), (PowerChoices{0, 0, 0}));
    ASSERT_TRUE(savePowerChoices({14, -1, 3}));
    EXPECT_EQ(LoadProfileInt(QStringLiteral("pow1"), 99), 14);
    EXPECT_EQ(LoadProfileInt(QStringLiteral("pow2"), 99), -1);
    EXPECT_EQ(loadPowerChoices(), (PowerChoices{14, -1, 3}));
}

TEST(HeatingTooltip, LevelUnderTheMouse) {
    // Graph 130 px high at panel y 40: 100 % lies 30 px below its top edge.
    EXPECT_EQ(heatingTooltipPercent(130, 40, 40 + 30 + 4), 100);
    EXPECT_EQ(heatingTooltipPercent(130, 40, 40 + 130 + 4), 0);
    EXPECT_EQ(heatingTooltipPercent(130, 40, 40 + 80 + 4), 50);
    EXPECT_EQ(heatingTooltipPercent(130, 40, 40), 134); // above the 100 % line
    EXPECT_EQ(heatingTooltipText(50), "Grzanie: - 50%");
}

TEST(HeatingTooltip, GraphWithoutRoomForItsScaleGivesZeroNotACrash) {
    EXPECT_EQ(heatingTooltipPercent(30, 0, 10), 0);
    EXPECT_EQ(heatingTooltipPercent(0, 0, 10), 0);
}

TEST(Scrolling, HiddenPartAndTenthSteps) {
    EXPECT_FALSE(scrollAxis(1200, 1200).enabled);
    EXPECT_FALSE(scrollAxis(1200, 1400).enabled);
    const ScrollAxis a = scrollAxis(1200, 900);
    EXPECT_TRUE(a.enabled);
    EXPECT_EQ(a.maximum, 300);
    EXPECT_EQ(a.step, 30);
    EXPECT_EQ(scrollStep(a, 0, 1), 30);
    EXPECT_EQ(scrollStep(a, 290, 1), 300); // never beyond the end
    EXPECT_EQ(scrollStep(a, 10, -1), 0);   // nor before the start
    EXPECT_EQ(scrollAxis(1200, 1195).step, 1); // a sliver still moves
}

TEST(Colours, StyleChoosesProfileOrDesktopColoursButTheListKeepsTheProfiles) {
    SettingsRecord r = DefaultSettingsRecord();
    r.clrBackground = MakeColorRef(10, 20, 30);
    r.clrText = MakeColorRef(40, 50, 60);
    r.clrParameter = MakeColorRef(70, 80, 90);
    const QColor face(200, 200, 200), text(1, 2, 3);

    r.bGraphicStyle = 1;
    PanelColours c = panelColoursFor(r, face, text);
    EXPECT_EQ(c.background, QColor(10, 20, 30));
    EXPECT_EQ(c.text, QColor(40, 50, 60));
    EXPECT_EQ(c.values, QColor(70, 80, 90));

    r.bGraphicStyle = 0;
    c = panelColoursFor(r, face, text);
    EXPECT_EQ(c.background, face);
    EXPECT_EQ(c.text, text);
    EXPECT_EQ(c.values, text);
    EXPECT_EQ(c.listBackground, QColor(10, 20, 30));
    EXPECT_EQ(c.listText, QColor(70, 80, 90));
}

// The closing sequence with its steps recorded in order.
class Closing : public ::testing::Test {
protected:
    void SetUp() override {
        PanelConnected.store(0);
        for (auto* f : {&JournalRunning, &PollingThreadRunning, &RecordingThreadRunning, &ParametersThreadRunning})
            f->store(1);
        actions.stopRecording = [this] { steps.push_back("stop recording"); };
        actions.disconnect = [this] {
            steps.push_back("disconnect");
            PanelConnected.store(0);
        };
        actions.release = [this] { steps.push_back("release"); };
        actions.savePowerChoices = [this] { steps.push_back("save"); };
    }
    void TearDown() override {
        PanelConnected.store(0);
        for (auto* f : {&JournalRunning, &PollingThreadRunning, &RecordingThreadRunning, &ParametersThreadRunning})
            f->store(0);
    }
    bool flagsCleared() const {
        return JournalRunning.load() == 0 && PollingThreadRunning.load() == 0 && RecordingThreadRunning.load() == 0 &&
               ParametersThreadRunning.load() == 0;
    }
    ScriptedPrompt prompt;
    ClosingActions actions;
    std::vector<std::string> steps;
};

TEST_F(Closing, DisconnectedClosesWithoutAQuestion) {
    EXPECT_EQ(RunClosingSequence(prompt, actions), ClosingOutcome::Closed);
    EXPECT_TRUE(prompt.shown().isEmpty());
    EXPECT_EQ(steps, (std::vector<std::string>{"stop recording", "release", "save"}));
    EXPECT_TRUE(flagsCleared());
}

TEST_F(Closing, ConnectedAndRefusedRunsOnWithRecordingStopped) {
    PanelConnected.store(1);
    prompt.addAnswer(PromptNo);
    EXPECT_EQ(RunClosingSequence(prompt, actions), ClosingOutcome::Refused);
    ASSERT_EQ(prompt.shown().size(), 1);
    const PromptRequest q = prompt.shown().front();
    EXPECT_EQ(q.caption, QStringLiteral("Uwaga"));
    EXPECT_EQ(q.text, QStringLiteral("Uwaga: RELVO jest podłączony, czy na pewno chcesz zakończyć i zerwać połączenie?"));
    EXPECT_EQ(q.icon, PromptIcon::Warning);
    EXPECT_EQ(q.buttons, unsigned(PromptYes | PromptNo));
    EXPECT_EQ(steps, (std::vector<std::string>{"stop recording"}));
    EXPECT_EQ(PanelConnected.load(), 1);
    EXPECT_EQ(PollingThreadRunning.load(), 1); // nothing else was stopped
}

TEST_F(Closing, ConnectedAndConfirmedDisconnectsFirst) {
    PanelConnected.store(1);
    prompt.addAnswer(PromptYes);
    EXPECT_EQ(RunClosingSequence(prompt, actions), ClosingOutcome::Closed);
    EXPECT_EQ(steps, (std::vector<std::string>{"stop recording", "disconnect", "release", "save"}));
    EXPECT_TRUE(flagsCleared());
}

TEST_F(Closing, WithoutASaveActionNothingIsSaved) {
    actions.savePowerChoices = nullptr; // the demo run
    EXPECT_EQ(RunClosingSequence(prompt, actions), ClosingOutcome::Closed);
    EXPECT_EQ(steps, (std::vector<std::string>{"stop recording", "release"}));
}

} // namespace
} // namespace relvo7::panel::ui
