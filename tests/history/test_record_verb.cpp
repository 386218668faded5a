// relvo7ctl record and db info against the relay simulator over Modbus TCP on
// the loopback: the recorder fed by the real polling cycle.
#include <gtest/gtest.h>

#include "ChildProcess.h"
#include "DayFileReader.h"
#include "HistoryTestSupport.h"

namespace relvo7 {
namespace {

using test::ChildProcess;
using test::eventually;
using test::kVersion;
using test::ScratchFolder;

TEST(RecordVerb, RecordsThePolledValuesIntoADayFile) {
    ChildProcess sim({RELVO7_SIM, "--tcp", "127.0.0.1:0", "--commissioned"});
    ASSERT_TRUE(sim.started());
    std::string port;
    ASSERT_TRUE(eventually([&] {
        sim.pump(std::chrono::milliseconds(10));
        const auto at = sim.text().find("127.0.0.1:");
        const auto end = sim.text().find(',', at);
        if (at == std::string::npos || end == std::string::npos) return false;
        port = sim.text().substr(at + 10, end - at - 10);
        return true;
    }));

    ScratchFolder dir;
    ChildProcess record({RELVO7CTL, "record", "--interval", "1", "--duration", "4", "--dir", dir.path(), "--tcp",
                         "127.0.0.1:" + port});
    ASSERT_TRUE(record.started());
    ASSERT_EQ(record.wait(), 0);
    const auto names = dir.names();
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(record.lines(), names); // the finished file is named on stdout
    const DayFileContents day = readDayFile(dir / names[0], kVersion);
    ASSERT_EQ(day.layout.check, DayFileCheck::Ok);
    ASSERT_GE(day.records.size(), 2u);
    const _tagSTRUCT_DATA& last = day.records.back();
    EXPECT_EQ(last.connected, 1);
    EXPECT_GT(last.values[14], 100); // UF1: the simulated mains voltage
    EXPECT_GT(last.values[28], 400); // the mains frequency in 0.1 Hz

    ChildProcess info({RELVO7CTL, "db", "info", "--json", dir / names[0]});
    ASSERT_EQ(info.wait(), 0);
    EXPECT_NE(info.text().find("\"check\":\"valid\""), std::string::npos) << info.text();
}

TEST(RecordVerb, DbInfoExitCodesTellCorruptFromOtherVersion) {
    ScratchFolder dir;
    auto other = test::dayFileImage({10, 12, 2026}, 1, 0, 30);
    test::writeBytes(dir / "other.db", other);
    other[0] = 'X';
    test::writeBytes(dir / "corrupt.db", other);
    struct Case {
        std::string file;
        int code;
    } cases[] = {{"other.db", 4}, {"corrupt.db", 3}, {"missing.db", 1}};
    for (const auto& c : cases) {
        ChildProcess info({RELVO7CTL, "db", "info", dir / c.file});
        EXPECT_EQ(info.wait(), c.code) << c.file;
    }
}

} // namespace
} // namespace relvo7
