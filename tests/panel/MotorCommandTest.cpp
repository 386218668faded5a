// START, STOP and RESET against the relay simulator.
#include "PanelIds.h"
#include "PanelTestSupport.h"
#include "PanelTexts.h"

using namespace relvo7;
using namespace relvo7::panel;
using namespace relvo7::panel::testing;

namespace {

class MotorCommands : public SimPanelTest {
protected:
    void connectRemote(int version = 55) {
        startSim(version);
        quietRelay();
        sim->setRegister(221, 1);
        connect();
        ASSERT_TRUE(pumpUntil([&] { return view.visible[id::Start]; }));
    }
    std::vector<CountingLink::Write> commandWrites() const {
        std::vector<CountingLink::Write> out;
        for (const auto& w : link.writes())
            if (w.reg == 237) out.push_back(w);
        return out;
    }
};

TEST_F(MotorCommands, StartAnsweredNoSendsNothingAndYesWritesCode2) {
    connectRemote();
    prompt.answers = {PromptNo};
    EXPECT_EQ(engine().startMotor().outcome, CommandOutcome::Declined);
    EXPECT_TRUE(commandWrites().empty());
    ASSERT_EQ(prompt.asked.size(), 1u);
    const PromptRequest& q = prompt.asked[0].request;
    EXPECT_EQ(q.caption.toStdString(), "Potwierdzenie");
    EXPECT_EQ(q.text.toStdString(), text::kMsgConfirmStart);
    EXPECT_EQ(q.buttons, unsigned(PromptYes | PromptNo));
    EXPECT_EQ(q.defaultButton, PromptNo) << "Enter chooses No";
    EXPECT_EQ(q.icon, PromptIcon::None);

    prompt.answers = {PromptYes};
    const CommandResult r = engine().startMotor();
    EXPECT_EQ(r.outcome, CommandOutcome::Written);
    ASSERT_EQ(commandWrites().size(), 1u);
    EXPECT_EQ(commandWrites()[0].value, 2);
    EXPECT_EQ(prompt.asked.size(), 2u) << "no message after a good write";
}

TEST_F(MotorCommands, StopAsksItsOwnQuestionAndWritesCode0) {
    connectRemote();
    prompt.answers = {PromptYes};
    EXPECT_EQ(engine().stopMotor().outcome, CommandOutcome::Written);
    EXPECT_EQ(prompt.texts()[0], text::kMsgConfirmStop);
    ASSERT_EQ(commandWrites().size(), 1u);
    EXPECT_EQ(commandWrites()[0].value, 0);
}

TEST_F(MotorCommands, RefusedWriteShowsTheErrorOnce) {
    connectRemote();
    sim->setRegister(221, 0); // the relay refuses a remote start now
    prompt.answers = {PromptYes};
    const CommandResult r = engine().startMotor();
    EXPECT_EQ(r.outcome, CommandOutcome::WriteFailed);
    ASSERT_EQ(prompt.asked.size(), 2u);
    EXPECT_EQ(prompt.texts()[1], text::kMsgWriteError);
    EXPECT_EQ(prompt.asked[1].request.caption.toStdString(), "Błąd");
    EXPECT_EQ(prompt.asked[1].request.icon, PromptIcon::Warning);
    EXPECT_EQ(commandWrites().size(), 1u) << "not repeated";
}

TEST_F(MotorCommands, ResetWritesCode55WithoutAsking) {
    connectRemote(21);
    EXPECT_EQ(engine().resetFault().outcome, CommandOutcome::Written);
    EXPECT_TRUE(prompt.asked.empty());
    ASSERT_EQ(commandWrites().size(), 1u);
    EXPECT_EQ(commandWrites()[0].value, 55);
}

TEST_F(MotorCommands, ResetOnVersion20HidesItselfAndSendsNothing) {
    connectRemote(20);
    EXPECT_EQ(engine().resetFault().outcome, CommandOutcome::Unavailable);
    EXPECT_TRUE(commandWrites().empty());
    EXPECT_FALSE(model.control(id::Reset).visible.value_or(true));
}

TEST_F(MotorCommands, WithoutAConnectionTheButtonsHide) {
    startSim();
    model.setVisible(id::Start, true);
    model.setVisible(id::Stop, true);
    model.setVisible(id::MotorPicture, false);
    EXPECT_EQ(engine().startMotor().outcome, CommandOutcome::Unavailable);
    engine().pump(view);
    EXPECT_FALSE(view.visible[id::Start]);
    EXPECT_FALSE(view.visible[id::Stop]);
    EXPECT_TRUE(view.visible[id::MotorPicture]);
    EXPECT_TRUE(prompt.asked.empty());
    EXPECT_TRUE(link.writes().empty());
}

} // namespace
