#include "ParamCatalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

using namespace relvo7::params;

namespace {

struct VersionShape {
    unsigned version;
    std::size_t groups;
    std::size_t items;
    int lastRegister;
};

class CatalogueShape : public ::testing::TestWithParam<VersionShape> {};

TEST_P(CatalogueShape, GroupsItemsAndRegisterSpan)
{
    const VersionShape s = GetParam();
    EXPECT_EQ(groupsForVersion(s.version).size(), s.groups);
    const auto entries = entriesForVersion(s.version);
    ASSERT_EQ(entries.size(), s.items);

    // Every register from 150 to the last one exactly once, in build order.
    std::vector<int> regs;
    for (const auto& e : entries)
        regs.push_back(e.entry->reg);
    std::vector<int> expected;
    for (int r = kFirstParamRegister; r <= s.lastRegister; ++r)
        expected.push_back(r);
    EXPECT_EQ(regs, expected);

    // Entries come group by group, in group order.
    for (std::size_t i = 1; i < entries.size(); ++i)
        EXPECT_LE(entries[i - 1].group->number, entries[i].group->number);
}

INSTANTIATE_TEST_SUITE_P(Versions, CatalogueShape,
                         ::testing::Values(VersionShape{1, 16, 69, 218}, VersionShape{10, 16, 69, 218},
                                           VersionShape{12, 16, 69, 218}, VersionShape{13, 17, 72, 221},
                                           VersionShape{19, 17, 72, 221}, VersionShape{20, 19, 80, 229},
                                           VersionShape{21, 20, 81, 230}, VersionShape{55, 20, 81, 230},
                                           VersionShape{99, 20, 81, 230}));

TEST(Catalogue, VersionAlternativesDifferOnlyWhereTheyShould)
{
    struct Alt { int reg; int min12, max12, def12; int min13, max13, def13; };
    const Alt alts[] = {
        {156, 1, 6000, 100, 3, 6000, 100}, {163, 2, 100, 50, 3, 100, 50}, {170, 11, 75, 20, 11, 90, 20},
        {171, 1, 100, 2, 1, 100, 5},       {173, 15, 70, 50, 13, 70, 50}, {175, 1, 3000, 10, 3, 3000, 10},
        {204, 0, 1, 0, 0, 1, 1},
    };
    for (const Alt& a : alts) {
        SCOPED_TRACE(a.reg);
        const auto v12 = findEntry(12, a.reg);
        const auto v13 = findEntry(13, a.reg);
        ASSERT_TRUE(v12 && v13);
        EXPECT_EQ(v12->min, a.min12);
        EXPECT_EQ(v12->max, a.max12);
        EXPECT_EQ(v12->defaultValue, a.def12);
        EXPECT_EQ(v13->min, a.min13);
        EXPECT_EQ(v13->max, a.max13);
        EXPECT_EQ(v13->defaultValue, a.def13);
        EXPECT_EQ(std::u16string(v12->entry->name), std::u16string(v13->entry->name));
        EXPECT_EQ(std::u16string(v12->entry->description), std::u16string(v13->entry->description));
        EXPECT_EQ(v12->entry->kind, v13->entry->kind);
    }
}

TEST(Catalogue, VersionRegisterShowsTheVersion)
{
    const auto e = findEntry(34, kVersionRegister);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->defaultValue, 34);
    EXPECT_EQ(e->min, 34);
    EXPECT_EQ(e->max, 34);
    EXPECT_FALSE(e->editable);
    EXPECT_EQ(std::u16string(e->entry->name), u"rEL : Wersja urządzenia");
}

TEST(Catalogue, FactoryRestoreRegisterEditableFromVersion21)
{
    EXPECT_FALSE(findEntry(20, 211)->editable);
    EXPECT_TRUE(findEntry(21, 211)->editable);
    EXPECT_FALSE(findEntry(12, 211)->editable);
}

TEST(Catalogue, DisabledEntries)
{
    std::set<int> disabled;
    for (const auto& e : entriesForVersion(55))
        if (!e.editable)
            disabled.insert(e.entry->reg);
    EXPECT_EQ(disabled, (std::set<int>{207, 208, 209, 210, 212, 217}));
}

TEST(Catalogue, TextsKeepTheirLookAlikeLetters)
{
    EXPECT_NE(std::u16string(findEntry(55, 186)->entry->name).find(u'\u0427'), std::u16string::npos);
    const std::u16string d192 = findEntry(55, 192)->entry->description;
    EXPECT_NE(d192.find(u"\u043a\u03a9"), std::u16string::npos);   // Cyrillic ka + Greek omega
    EXPECT_NE(d192.find(u"25*\u0421"), std::u16string::npos);       // Cyrillic Es
    EXPECT_NE(d192.find(u"1,7 k\u03a9"), std::u16string::npos);     // Latin k in the first line

    // Ten entries share the protection-mode text.
    int shared = 0;
    for (const auto& e : entriesForVersion(55))
        if (e.entry->description == kProtectionModeText)
            ++shared;
    EXPECT_EQ(shared, 10);
    EXPECT_EQ(std::u16string(kProtectionModeText).substr(0, 28), u"0-zabezpieczenie wyłączone\r\n");

    // Two separate groups share the name "Różne".
    EXPECT_EQ(std::u16string(kParamGroups[1].name), u"Różne");
    EXPECT_EQ(std::u16string(kParamGroups[13].name), u"Różne");
    // Empty descriptions are empty strings, never null.
    for (const auto& e : kParamEntries) {
        ASSERT_NE(e.description, nullptr);
        ASSERT_NE(e.name, nullptr);
    }
    EXPECT_EQ(std::u16string(findEntry(55, 156)->entry->description), u"");
}

TEST(Catalogue, OneDecimalEntriesAreInTenths)
{
    const auto e155 = findEntry(55, 155);
    EXPECT_EQ(e155->entry->kind, ParamKind::OneDecimal);
    EXPECT_EQ(e155->defaultValue, 40);
    EXPECT_EQ(e155->min, 8);
    EXPECT_EQ(e155->max, 90);
    EXPECT_EQ(findEntry(55, 218)->defaultValue, 4);
    EXPECT_EQ(findEntry(55, 194)->min, -9);
}

TEST(Catalogue, WriteChecks)
{
    struct Case { unsigned version; int reg; int value; WriteCheck expected; };
    const Case cases[] = {
        {55, 151, 20, WriteCheck::Ok},          {55, 151, 19, WriteCheck::OutOfRange},
        {55, 151, 800, WriteCheck::Ok},         {55, 151, 801, WriteCheck::OutOfRange},
        {55, 201, 0, WriteCheck::Ok},           {55, 201, 15, WriteCheck::Ok},
        {55, 201, 20, WriteCheck::Ok},          {55, 201, 7, WriteCheck::BreaksStep},
        {55, 201, 23, WriteCheck::BreaksStep},  {55, 201, 25, WriteCheck::OutOfRange},
        {12, 156, 1, WriteCheck::Ok},           {13, 156, 1, WriteCheck::OutOfRange},
        {55, 194, -9, WriteCheck::Ok},          {55, 194, -10, WriteCheck::OutOfRange},
        {55, 217, 55, WriteCheck::Disabled},    {55, 207, 0, WriteCheck::Disabled},
        {20, 211, 1, WriteCheck::Disabled},     {21, 211, 1, WriteCheck::Ok},
        {12, 219, 5, WriteCheck::NotInCatalogue}, {20, 230, 1, WriteCheck::NotInCatalogue},
        {55, 149, 0, WriteCheck::NotInCatalogue}, {55, 231, 0, WriteCheck::NotInCatalogue},
    };
    for (const Case& c : cases)
        EXPECT_EQ(checkWrite(c.version, c.reg, c.value), c.expected) << "v" << c.version << " reg " << c.reg
                                                                     << " value " << c.value;
}

TEST(Catalogue, FactoryValuesFollowTheVersion)
{
    const auto f12 = factoryValues(12);
    const auto f55 = factoryValues(55);
    EXPECT_EQ(f12.size(), 69u);
    EXPECT_EQ(f55.size(), 81u);
    auto valueOf = [](const std::vector<RegisterValue>& f, int reg) {
        auto it = std::find_if(f.begin(), f.end(), [&](const RegisterValue& r) { return r.reg == reg; });
        return it == f.end() ? -1 : it->value;
    };
    EXPECT_EQ(valueOf(f12, 171), 2);
    EXPECT_EQ(valueOf(f55, 171), 5);
    EXPECT_EQ(valueOf(f55, 217), 55);
    EXPECT_EQ(valueOf(f55, 210), 586);
}

} // namespace
