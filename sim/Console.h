#pragma once
// The line commands of relvo7-sim's console (also RelaySimulator::execute).
#include <string>

namespace relvo7::sim {

class RelaySimulator;

// Runs one command line and returns what the console prints (without a final
// newline). "quit" returns "bye"; the caller ends the program.
std::string runConsoleCommand(RelaySimulator& sim, const std::string& line);

} // namespace relvo7::sim
