// The library's exported interface: exactly the names of relvo7link.h, the
// version constants and the two device tables.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

#include "relvo7link.h"

namespace {

TEST(LinkInterface, ExportsExactlyTheInterfaceNames)
{
    const std::string command = std::string("nm -D --defined-only ") + RELVO7LINK_FILE;
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::set<std::string> names;
    char line[512];
    while (fgets(line, sizeof line, pipe)) {
        std::string s(line);
        s.erase(s.find_last_not_of("\r\n") + 1);
        names.insert(s.substr(s.rfind(' ') + 1));
    }
    ASSERT_EQ(pclose(pipe), 0);
    const std::set<std::string> expected{
        "COM_Open", "COM_Setup", "COM_Close", "COM_IsOpen", "TCP_Open", "TCP_Close", "TCP_IsOpen",
        "MODBUS_Read03", "MODBUS_Write06", "MODBUS_GetDeviceError", "DLL_SetIOTimeout", "DLL_SetUserFlag",
        "DLL_GetUserFlag", "dll_nVerDll", "dll_nVerDevAdr", "dll_nVerMinor", "dll_nVerMajor", "dll_nErrInfo",
        "dll_nMeasureInfo"};
    EXPECT_EQ(names, expected);
}

TEST(LinkInterface, VersionConstants)
{
    EXPECT_EQ(dll_nVerDll, 31u);
    EXPECT_EQ(dll_nVerDevAdr, 217u);
    EXPECT_EQ(dll_nVerMinor, 10u);
    EXPECT_EQ(dll_nVerMajor, 55u);
}

TEST(LinkInterface, NoTextIsMissing)
{
    for (const auto& row : dll_nErrInfo) {
        EXPECT_NE(row.pszUnit, nullptr);
        EXPECT_NE(row.pszCode, nullptr);
        ASSERT_NE(row.pszText, nullptr);
        EXPECT_NE(row.pszText[0], u'\0');
    }
    for (const auto& row : dll_nMeasureInfo) {
        EXPECT_NE(row.pszCode, nullptr);
        EXPECT_NE(row.pszUnit, nullptr);
        ASSERT_NE(row.pszText, nullptr);
        EXPECT_GT(row.nDivider, 0);
    }
}

TEST(LinkInterface, AlarmTableRows)
{
    // Protection functions carry a value register, events do not.
    for (int i = 0; i < 32; ++i) {
        const bool protection = i <= 15 || i == 25 || i == 26;
        EXPECT_EQ(dll_nErrInfo[i].nValueAdr != 0, protection) << i;
        if (i <= 15) {
            EXPECT_EQ(dll_nErrInfo[i].nValueAdr, 300u + i);
        }
    }
    EXPECT_EQ(dll_nErrInfo[25].nValueAdr, 325u);
    EXPECT_EQ(dll_nErrInfo[26].nValueAdr, 326u);

    EXPECT_EQ(std::u16string(dll_nErrInfo[0].pszCode), u"Ai^");
    EXPECT_EQ(std::u16string(dll_nErrInfo[0].pszText), u"Zabezpieczenie nadpr\u0105dowe fazowe");
    EXPECT_EQ(dll_nErrInfo[0].nDivider, 10);
    EXPECT_EQ(std::u16string(dll_nErrInfo[3].pszUnit), u"%");
    EXPECT_EQ(dll_nErrInfo[3].nDivider, 0);
    EXPECT_EQ(std::u16string(dll_nErrInfo[10].pszCode), u"AU\u0427");          // Cyrillic Che
    EXPECT_EQ(std::u16string(dll_nErrInfo[15].pszUnit), u"M\u03A9");          // Greek omega
    EXPECT_EQ(dll_nErrInfo[15].nDivider, 10);
    EXPECT_EQ(std::u16string(dll_nErrInfo[16].pszCode), u"Adu");
    EXPECT_EQ(std::u16string(dll_nErrInfo[16].pszUnit), u"");
    for (int i = 27; i <= 30; ++i) {
        EXPECT_EQ(std::u16string(dll_nErrInfo[i].pszCode), u"---");
        EXPECT_EQ(std::u16string(dll_nErrInfo[i].pszText), u"---");
    }
    EXPECT_EQ(std::u16string(dll_nErrInfo[31].pszText), u"Rozruch nie nast\u0105pi");
}

TEST(LinkInterface, MeasurementTableRows)
{
    EXPECT_EQ(std::u16string(dll_nMeasureInfo[0].pszCode), u"iF1");
    EXPECT_EQ(std::u16string(dll_nMeasureInfo[0].pszText), u"Warto\u015B\u0107 skuteczna pr\u0105du fazowego F1");
    EXPECT_EQ(std::u16string(dll_nMeasureInfo[25].pszText), u"Wej\u015Bcie analogowe \u2013 pr\u0105dowe");
    EXPECT_EQ(std::u16string(dll_nMeasureInfo[26].pszText), u"Wej\u015Bcie analogowe \u2013 napi\u0119ciowe");
    EXPECT_EQ(std::u16string(dll_nMeasureInfo[32].pszUnit), u"M\u03A9");
    EXPECT_EQ(std::u16string(dll_nMeasureInfo[33].pszCode), u"");
    EXPECT_EQ(std::u16string(dll_nMeasureInfo[33].pszText), u"Grzanie");
    EXPECT_EQ(std::u16string(dll_nMeasureInfo[46].pszText), u"Faza 1 Cosinus fi");
    EXPECT_EQ(std::u16string(dll_nMeasureInfo[46].pszUnit), u"");
    EXPECT_EQ(dll_nMeasureInfo[46].nDivider, 100);
    EXPECT_EQ(dll_nMeasureInfo[12].nDivider, 1);
    EXPECT_EQ(dll_nMeasureInfo[28].nDivider, 10);
    EXPECT_EQ(std::u16string(dll_nMeasureInfo[28].pszUnit), u"Hz");
}

}  // namespace
