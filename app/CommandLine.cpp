#include "CommandLine.h"

#include <array>

namespace relvo7 {

namespace {

// One row per option; a new option is one more row (its usage line follows
// the others in the usage text).
struct OptionRow {
    const char16_t* name;
    const char16_t* usageLine;
    bool CommandLineOptions::*flag;
};

constexpr std::array kOptions = {
    OptionRow{u"-copy", u"     -copy : pozwala uruchomić kilka kopii programu;\r\n", &CommandLineOptions::allowCopies},
    OptionRow{u"-debug", u"     -debug : aktywowanie trybu debugowania;\r\n", &CommandLineOptions::debug},
    OptionRow{u"-demo", u"     -demo : uruchomienie z symulatorem przekaźnika (tryb demonstracyjny);\r\n",
              &CommandLineOptions::demo},
};

} // namespace

CommandLineOptions ParseCommandLine(const QStringList& arguments)
{
    CommandLineOptions options;
    if (arguments.size() < 2)
        return options;
    const QString& first = arguments.at(1);
    for (const OptionRow& row : kOptions) {
        if (first == QString::fromUtf16(row.name)) {
            options.*row.flag = true;
            return options;
        }
    }
    options.showUsage = true;
    return options;
}

QString UsageText()
{
    QString text = QStringLiteral("Używanie:\r\n") + QStringLiteral("     cpl_relvo7.exe [-polecenie]\r\n\r\n") +
                   QStringLiteral("Polecenia:\r\n");
    for (const OptionRow& row : kOptions)
        text += QString::fromUtf16(row.usageLine);
    return text;
}

QString ApplicationTitle() { return QStringLiteral("CPL_RELVO7"); }

} // namespace relvo7
