// Day-file bytes, the reader's one rule, the "pdb" record and the db verbs' text.
#include <gtest/gtest.h>

#include <sstream>

#include "DayFileReader.h"
#include "DayFileText.h"
#include "HistoryTestSupport.h"
#include "RecorderSettings.h"

namespace relvo7 {
namespace {

using test::dayFileImage;
using test::kVersion;
using test::ScratchFolder;
using test::writeBytes;

TEST(DayFileBytes, HeaderMixesEndiannessAsStored) {
    const HeaderBytes h = encodeHeader(31, {10, 12, 2026});
    const std::vector<uint8_t> expected = {'D', 'B', 0, 0, 0, 0, 0x00, 0x1F, 0, 0,
                                           0x00, 10, 0x00, 12, 0x07, 0xEA, // day, month, year big-endian
                                           4, 0, 0, 0, 196, 0, 0, 0};      // sizes little-endian
    ASSERT_EQ(std::vector<uint8_t>(h.begin(), h.begin() + 24), expected);
    EXPECT_TRUE(std::all_of(h.begin() + 24, h.end(), [](uint8_t b) { return b == 0; }));
    // Only the low 16 bits of the version are stamped.
    const HeaderBytes v = encodeHeader(0x12345, {1, 1, 2000});
    EXPECT_EQ(v[6], 0x23);
    EXPECT_EQ(v[7], 0x45);
}

TEST(DayFileBytes, RecordMixesEndiannessAsStored) {
    Sample s;
    s.connected = 0x101; // only the low byte is kept
    s.hour = 23;
    s.minute = 59;
    s.second = 58;
    s.alarms = 0x80402001;
    s.values[0] = 245;
    s.values[1] = -2;
    s.values[48] = 0x11223344;
    const RecordBytes r = encodeRecord(s);
    const std::vector<uint8_t> head = {0, 1, 0, 23, 0, 59, 0, 58, 0x80, 0x40, 0x20, 0x01,
                                       245, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(std::vector<uint8_t>(r.begin(), r.begin() + 20), head);
    EXPECT_EQ(std::vector<uint8_t>(r.end() - 4, r.end()), (std::vector<uint8_t>{0x44, 0x33, 0x22, 0x11}));

    _tagSTRUCT_DATA d;
    decodeRecord(r.data(), r.size(), d);
    EXPECT_EQ(d.connected, 1);
    EXPECT_EQ(d.time.wHour, 23);
    EXPECT_EQ(d.time.wMinute, 59);
    EXPECT_EQ(d.time.wSecond, 58);
    EXPECT_EQ(d.time.wYear + d.time.wMonth + d.time.wDay + d.time.wDayOfWeek + d.time.wMilliseconds, 0);
    EXPECT_EQ(d.alarms, 0x80402001u);
    EXPECT_EQ(d.values[0], 245);
    EXPECT_EQ(d.values[1], -2);
    EXPECT_EQ(d.values[48], 0x11223344);
}

TEST(DayFileBytes, FileNamesOfADay) {
    EXPECT_EQ(dayFileName({10, 12, 2026}, 0), "10122026.db");
    EXPECT_EQ(dayFileName({1, 2, 2027}, 2), "01022027p2.db");
    EXPECT_EQ(dayFileName({5, 6, 33}, 65534), "05060033p65534.db");
}

TEST(DayFileReader, ValidationResultsAreDistinct) {
    auto good = dayFileImage({10, 12, 2026}, 2);
    auto noMagic = good;
    noMagic[1] = 'C';
    auto otherVersion = good;
    otherVersion[7] = 0x20;
    auto highVersionByte = good;
    highVersionByte[6] = 0x01;
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        DayFileCheck check;
        int exitCode;
    } cases[] = {
        {"empty", {}, DayFileCheck::TooShort, 3},
        {"47 bytes", std::vector<uint8_t>(good.begin(), good.begin() + 47), DayFileCheck::TooShort, 3},
        {"no magic", noMagic, DayFileCheck::NoMagic, 3},
        {"other version", otherVersion, DayFileCheck::WrongVersion, 4},
        {"other version high byte", highVersionByte, DayFileCheck::WrongVersion, 4},
        {"valid", good, DayFileCheck::Ok, 0},
    };
    ScratchFolder dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(dir / "f.db", c.bytes);
        const DayFileContents r = readDayFile(dir / "f.db", kVersion);
        EXPECT_EQ(r.layout.check, c.check);
        EXPECT_EQ(r.records.empty(), c.check != DayFileCheck::Ok);
        EXPECT_EQ(summarizeDayFile(dir / "f.db", kVersion).layout.check, c.check);
        std::ostringstream out, err;
        EXPECT_EQ(printDayFileInfo(dir / "f.db", kVersion, false, out, err), c.exitCode);
    }
    EXPECT_EQ(readDayFile(dir / "missing.db", kVersion).layout.check, DayFileCheck::CannotOpen);
    EXPECT_EQ(readDayFile(dir.path(), kVersion).layout.check, DayFileCheck::CannotOpen); // a folder
}

TEST(DayFileReader, HeaderOnlyIsAValidEmptyDatabase) {
    ScratchFolder dir;
    writeBytes(dir / "e.db", dayFileImage({10, 12, 2026}, 0));
    const DayFileContents r = readDayFile(dir / "e.db", kVersion);
    ASSERT_EQ(r.layout.check, DayFileCheck::Ok);
    EXPECT_EQ(r.layout.recordCount, 0u);
    EXPECT_EQ(r.layout.header.date, (DayDate{10, 12, 2026}));
    EXPECT_FALSE(summarizeDayFile(dir / "e.db", kVersion).hasRecords);
}

TEST(DayFileReader, TrailingPartialRecordIsIgnored) {
    ScratchFolder dir;
    const auto whole = dayFileImage({10, 12, 2026}, 3, 3600);
    for (std::size_t extra : {1u, 100u, 207u}) {
        SCOPED_TRACE(extra);
        auto bytes = dayFileImage({10, 12, 2026}, 4, 3600);
        bytes.resize(whole.size() + extra);
        writeBytes(dir / "p.db", bytes);
        const DayFileContents r = readDayFile(dir / "p.db", kVersion);
        ASSERT_EQ(r.layout.check, DayFileCheck::Ok);
        ASSERT_EQ(r.records.size(), 3u);
        EXPECT_EQ(r.records[2].time.wHour, 1);
        EXPECT_EQ(r.records[2].time.wSecond, 2);
        EXPECT_EQ(r.records[2].values[0], -24000 + 2);
        const DayFileSummary s = summarizeDayFile(dir / "p.db", kVersion);
        EXPECT_EQ(s.last.time.wSecond, 2);
    }
}

TEST(DayFileReader, RecordSizeComesFromTheHeader) {
    // A file that states a 2-byte alarm field and a 10-byte value field: records
    // of 20 bytes. Fields beyond the record read as zero.
    std::vector<uint8_t> bytes(48, 0);
    bytes[0] = 'D';
    bytes[1] = 'B';
    bytes[7] = 31;
    bytes[16] = 2;
    bytes[20] = 10;
    for (int k = 0; k < 3; ++k) {
        std::vector<uint8_t> rec(20, 0);
        rec[1] = 1;
        rec[7] = static_cast<uint8_t>(k);
        rec[12] = static_cast<uint8_t>(10 + k);
        bytes.insert(bytes.end(), rec.begin(), rec.end());
    }
    const DayFileContents r = decodeDayFile(bytes.data(), bytes.size(), kVersion);
    ASSERT_EQ(r.layout.check, DayFileCheck::Ok);
    EXPECT_EQ(r.layout.header.recordSize, 20u);
    ASSERT_EQ(r.records.size(), 3u);
    EXPECT_EQ(r.records[2].time.wSecond, 2);
    EXPECT_EQ(r.records[2].values[0], 12);
    EXPECT_EQ(r.records[2].values[1], 0);
}

TEST(DayFileReader, ImplausiblyManyRecordsAreRefusedNotDecoded) {
    // Field sizes of 0 make 8-byte records: a file of some megabytes would
    // decode into hundreds of megabytes. Beyond what any recording holds, refuse.
    ScratchFolder dir;
    std::vector<uint8_t> head(48, 0);
    head[0] = 'D';
    head[1] = 'B';
    head[7] = 31;
    for (std::size_t records : {kMaxDayFileRecords, kMaxDayFileRecords + 1}) {
        SCOPED_TRACE(records);
        writeBytes(dir / "big.db", head);
        std::filesystem::resize_file(dir / "big.db", 48 + 8 * records); // sparse
        const DayFileSummary s = summarizeDayFile(dir / "big.db", kVersion);
        const bool refused = records > kMaxDayFileRecords;
        EXPECT_EQ(s.layout.check, refused ? DayFileCheck::TooManyRecords : DayFileCheck::Ok);
        EXPECT_EQ(exitCodeFor(s.layout.check), refused ? 3 : 0);
        if (refused) {
            EXPECT_TRUE(readDayFile(dir / "big.db", kVersion).records.empty());
        }
    }
}

TEST(DayFileReader, FullDayDecodesEveryRecord) {
    const auto image = dayFileImage({31, 12, 2026}, 86400);
    ASSERT_EQ(image.size(), 48u + 208u * 86400u); // about 18 MB
    const DayFileContents r = decodeDayFile(image.data(), image.size(), kVersion);
    ASSERT_EQ(r.records.size(), 86400u);
    EXPECT_EQ(r.records.back().time.wHour, 23);
    EXPECT_EQ(r.records.back().time.wMinute, 59);
    EXPECT_EQ(r.records.back().time.wSecond, 59);
    EXPECT_EQ(r.records.back().values[48], 24000 + 86399);
}

TEST(RecorderSettingsRecord, TwentyEightBytesOrDefaults) {
    const RecorderSettings defaults;
    EXPECT_EQ(defaults.autoRecord, 0);
    EXPECT_EQ(defaults.intervalSeconds, 1u);
    EXPECT_EQ(defaults.channelColor[0], 81u + 256u * 178u + 65536u * 67u);
    EXPECT_EQ(defaults.channelColor[4], 111u + 256u * 58u + 65536u * 57u);

    RecorderSettings s;
    s.autoRecord = 1;
    s.intervalSeconds = 86400;
    s.channelColor = {1, 2, 3, 4, 0x00FFFFFF};
    const auto bytes = encodeRecorderSettings(s);
    EXPECT_EQ(bytes[4], 0x80); // 86400 = 0x15180, little-endian
    EXPECT_EQ(bytes[5], 0x51);
    EXPECT_EQ(bytes[6], 0x01);
    EXPECT_EQ(decodeRecorderSettings(bytes.data(), bytes.size()), s);
    for (std::size_t n : {0u, 27u, 29u, 56u}) {
        std::vector<uint8_t> other(n, 0x55);
        EXPECT_EQ(decodeRecorderSettings(other), defaults) << n;
    }
    EXPECT_EQ(clampInterval(0), 1u);
    EXPECT_EQ(clampInterval(90000), 86400u);
    EXPECT_EQ(clampInterval(600), 600u);
}

TEST(DayFileText, InfoAndDumpInDisplayUnits) {
    ScratchFolder dir;
    writeBytes(dir / "10122026.db", dayFileImage({10, 12, 2026}, 2, 12 * 3600));
    std::ostringstream out, err;
    ASSERT_EQ(printDayFileInfo(dir / "10122026.db", kVersion, false, out, err), 0);
    EXPECT_NE(out.str().find("date:    10.12.2026"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("records: 2 of 208 bytes"), std::string::npos);
    EXPECT_NE(out.str().find("first:   12:00:00"), std::string::npos);
    EXPECT_NE(out.str().find("last:    12:00:01"), std::string::npos);
    EXPECT_NE(out.str().find("check:   valid"), std::string::npos);

    std::ostringstream json;
    printDayFileInfo(dir / "10122026.db", kVersion, true, json, err);
    EXPECT_EQ(json.str(), "{\"check\":\"valid\",\"date\":\"10.12.2026\",\"version\":31,\"records\":2,"
                          "\"recordSize\":208,\"first\":\"12:00:00\",\"last\":\"12:00:01\"}\n");

    std::vector<MeasureColumn> columns(49, MeasureColumn{1, "", ""});
    columns[0] = {10, "iF1", "A"};
    columns[1] = {100, "", "kW"};
    std::ostringstream csv;
    ASSERT_EQ(printDayFileDump(dir / "10122026.db", kVersion, columns, true, csv, err), 0);
    std::istringstream lines(csv.str());
    std::string header, first;
    std::getline(lines, header);
    std::getline(lines, first);
    EXPECT_EQ(header.rfind("date,time,connected,alarms,iF1 [A],v1 [kW],v2,", 0), 0u) << header;
    // Record 0: values (i - 24) * 1000, alarms 0x01020304.
    EXPECT_EQ(first.rfind("10.12.2026,12:00:00,0,01020304,-2400.0,-230.00,-22000,", 0), 0u) << first;
}

TEST(DayFileText, ScaledValues) {
    EXPECT_EQ(formatScaled(245, 10), "24.5");
    EXPECT_EQ(formatScaled(-5, 100), "-0.05");
    EXPECT_EQ(formatScaled(-2147483647 - 1, 10), "-214748364.8");
    EXPECT_EQ(formatScaled(7, 1), "7");
    EXPECT_EQ(formatScaled(7, 0), "7");
}

} // namespace
} // namespace relvo7
