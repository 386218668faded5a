#include "DemoScenario.h"

namespace relvo7::sim {

void DemoScenario::update(RelayModel& model)
{
    const double now = model.modelSeconds();
    if (loopStart_ < 0.0 || now - loopStart_ >= kLoopSeconds) {
        loopStart_ = now;
        nextAction_ = 0;
        sawTrip_ = false;
    }
    const double t = now - loopStart_;

    // Timed actions, each once per loop.
    struct Action { double at; int id; };
    static constexpr Action kActions[] = {{0.0, 0}, {25.0, 1}, {50.0, 2}, {75.0, 3}, {255.0, 4}};
    while (nextAction_ < static_cast<int>(std::size(kActions)) && t >= kActions[nextAction_].at) {
        switch (kActions[nextAction_].id) {
        case 0:
            model.commission();
            model.resetFault();
            model.setLineVoltage(400.0);
            model.setPhaseLost(false);
            model.setLoad(0.6);
            model.startMotor();
            phase_ = "start";
            break;
        case 1:
            model.setLoad(0.9);
            phase_ = "load 90 %";
            break;
        case 2:
            model.setLoad(0.7);
            phase_ = "load 70 %";
            break;
        case 3:
            model.setLoad(1.9);
            phase_ = "overload";
            break;
        case 4:
            model.stopMotor();
            phase_ = "stopped";
            break;
        }
        ++nextAction_;
    }
    // After the overload trip the load goes back to normal for the restart.
    if (!sawTrip_ && model.fault()) {
        sawTrip_ = true;
        model.setLoad(0.7);
        phase_ = "tripped, waiting for the restart";
    } else if (sawTrip_ && model.running() && nextAction_ < 5) {
        phase_ = "restarted";
    }
}

} // namespace relvo7::sim
