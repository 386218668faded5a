#pragma once
// The demo scenario: a loop of about four and a half minutes that shows what
// the relay does. Motor start with its starting current, load changes, an
// overload that heats the motor to a trip (alarm, journal entry), the cooling
// wait and the restart delay counting down, the automatic restart, a stop.
#include "RelayModel.h"

namespace relvo7::sim {

class DemoScenario {
public:
    static constexpr double kLoopSeconds = 270.0;

    // Runs the scenario's actions due by the model's time; call after every step.
    void update(RelayModel& model);
    // The phase the scenario is in, for the console's status line.
    const char* phase() const { return phase_; }

private:
    double loopStart_ = -1.0;
    int nextAction_ = 0;
    bool sawTrip_ = false;
    const char* phase_ = "idle";
};

} // namespace relvo7::sim
