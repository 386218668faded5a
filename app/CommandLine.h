#pragma once
// The command line: only the first argument after the program name counts;
// it is compared exactly (case-sensitive). Anything unknown asks for the
// usage text. QtCore only.
#include <QString>
#include <QStringList>

namespace relvo7 {

struct CommandLineOptions {
    bool allowCopies = false; // "-copy"
    bool debug = false;       // "-debug"
    bool demo = false;        // "-demo": the panel with a simulated relay (main.cpp)
    bool showUsage = false;   // any other first argument
};

// `arguments` includes the program name at index 0 (as QCoreApplication::arguments()).
CommandLineOptions ParseCommandLine(const QStringList& arguments);

// The usage message and its caption.
QString UsageText();
QString ApplicationTitle(); // "CPL_RELVO7"

} // namespace relvo7
