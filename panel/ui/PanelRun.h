#pragma once
// The start-up's last step: the monitoring panel, run modally. The program's
// normal run and the demo run ("-demo").
namespace relvo7::panel::ui {

// The panel with the user's settings; returns when it has closed.
int RunPanelWindow();

// The demo run: a simulated relay on a free loopback port, settings in memory
// only, connected at once. Nothing is written to the user's profile or
// database folder.
int RunDemoPanel();

} // namespace relvo7::panel::ui
