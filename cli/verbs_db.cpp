// db info, db dump: day files of the recorder, read with the same rule as the
// database dialog. Exit status beyond 0/1/2: 3 corrupt file, 4 another data version.
#include <iostream>

#include "DayFileText.h"
#include "TextCodec.h"
#include "Verb.h"
#include "relvo7link.h"

namespace relvo7::cli {
namespace {

const std::string& onePath(const Args& args, const char* verb) {
    if (args.positional().size() != 1) throw UsageError(std::string(verb) + " needs exactly one FILE");
    return args.positional()[0];
}

int runDbInfo(const Args& args) {
    return printDayFileInfo(onePath(args, "db info"), dll_nVerDll, args.flag("--json"), std::cout, std::cerr);
}

int runDbDump(const Args& args) {
    const std::string& path = onePath(args, "db dump");
    std::vector<MeasureColumn> columns;
    for (const auto& row : dll_nMeasureInfo)
        columns.push_back({row.nDivider, toUtf8(row.pszCode), toUtf8(row.pszUnit)});
    return printDayFileDump(path, dll_nVerDll, columns, args.flag("--csv"), std::cout, std::cerr);
}

const VerbRegistrar dbInfoVerb({"db info", "db info FILE",
                                "header date, record count, first and last sample and validation of a day file "
                                "(exit 3 corrupt, 4 other data version)",
                                {}, {}, false, runDbInfo});
const VerbRegistrar dbDumpVerb({"db dump", "db dump FILE [--csv]",
                                "the records of a day file, values in display units (tab-separated or CSV)", {},
                                {"--csv"}, false, runDbDump});

} // namespace
} // namespace relvo7::cli
