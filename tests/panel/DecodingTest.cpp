// Table tests of the pure decoding rules: no link, no thread.
#include <gtest/gtest.h>

#include "Decoding.h"
#include "PanelReset.h"

using namespace relvo7::panel;

TEST(Temperature, DecodesSpecialValuesAndSignedDegrees) {
    struct Case {
        uint16_t raw;
        int sensor;
        bool button;
        int32_t stored;
        const char* text;
    } cases[] = {
        {1000, 1, false, -80, "Zwarcie"},  {991, 2, false, -80, "Zwarcie"},   {1009, 1, false, -80, "Zwarcie"},
        {990, 1, false, 990, "990 *C"},    {1010, 1, false, 1010, "1010 *C"}, {2000, 1, false, 200, "Przerwanie"},
        {2000, 2, false, 300, "Przerwanie"}, {1990, 2, false, 1990, "1990 *C"}, {5000, 1, false, 0, "Wył."},
        {5010, 1, false, 5010, "5010 *C"}, {65486, 1, false, -50, "-50 *C"},  {42, 1, false, 42, "42 *C"},
        {1000, 1, true, 0, "Nie."},        {42, 2, true, 0, "Nie."},
    };
    for (const Case& c : cases) {
        const Temperature t = decodeTemperature(c.raw, c.sensor, c.button);
        EXPECT_EQ(t.stored, c.stored) << "raw " << c.raw;
        EXPECT_EQ(t.text, c.text) << "raw " << c.raw;
    }
}

TEST(CtFactor, ExternalTransformerAbove100AFromVersion15) {
    EXPECT_EQ(ctFactor(15, 1, 150), 10);
    EXPECT_EQ(ctFactor(55, 2, 101), 10);
    EXPECT_EQ(ctFactor(15, 1, 100), 1);  // rated 100 A: no factor
    EXPECT_EQ(ctFactor(14, 1, 150), 1);  // older relays never
    EXPECT_EQ(ctFactor(15, 0, 150), 1);  // built-in transformers
}

TEST(Heating, PercentOfTheLimitedThermalValue) {
    EXPECT_EQ(heatingPercent(0), 0u);
    EXPECT_EQ(heatingPercent(1099999), 99u);
    EXPECT_EQ(heatingPercent(1100000), 100u);
    EXPECT_EQ(heatingPercent(2200000), 200u);
    EXPECT_EQ(heatingPercent(11000000), 1000u);
    EXPECT_EQ(heatingPercent(20000000), 1000u);
    EXPECT_EQ(heatingPercent(0xFFFFFFFFu), 1000u); // no overflow in x * 100
}

TEST(Powers, UnityPowerFactorGivesNoReactivePower) {
    const Powers p = computePowers({230, 230, 230}, {100, 100, 100}, {1000, 1000, 1000});
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(p.Pk[k], 2300);
        EXPECT_EQ(p.Qk[k], 0);
        EXPECT_EQ(p.Sk[k], p.Pk[k]);
    }
    EXPECT_EQ(p.P, 6900);
    EXPECT_EQ(p.Q, 0);
    EXPECT_EQ(p.S, 6900);
    const auto mb = powerBlock(p);
    EXPECT_EQ(mb[0], 690);   // S / 10
    EXPECT_EQ(mb[1], 690);   // P / 10
    EXPECT_EQ(mb[12], 100);  // cos1 / 10
}

TEST(Powers, FactorAboveOneGivesNoReactivePowerAndNegativeGivesNoActive) {
    const Powers p = computePowers({230, 230, 230}, {100, 100, 100}, {1200, -500, 800});
    EXPECT_EQ(p.Qk[0], 0);
    EXPECT_EQ(p.Pk[0], 2760);  // 230 * 10 * 1.2
    EXPECT_EQ(p.Pk[1], 0);     // negative active power is shown as 0
    EXPECT_EQ(p.Qk[1], 1991);  // 2300 * sqrt(0.75)
    EXPECT_EQ(p.Pk[2], 1840);
    EXPECT_EQ(p.Qk[2], 1380);
    EXPECT_EQ(p.Sk[2], 2300);
    // S is from the summed P and Q, not the sum of the phase S.
    EXPECT_EQ(p.P, 2760 + 0 + 1840);
    EXPECT_EQ(p.Q, 0 + 1991 + 1380);
    EXPECT_EQ(p.S, 5702); // trunc(sqrt(4600^2 + 3371^2))
}

TEST(Powers, HugeFactorsDoNotOverflow) {
    const Powers p = computePowers({65535, 65535, 65535}, {655350, 655350, 655350},
                                   {2147483647, -2147483647, 50000});
    EXPECT_EQ(p.Qk[0], 0);
    EXPECT_EQ(p.Qk[2], 0);
    EXPECT_GE(p.P, 0);
    EXPECT_GE(p.S, 0);
}

TEST(Powers, ChoiceTexts) {
    const Powers p = computePowers({230, 230, 230}, {100, 100, 100}, {870, 1000, 1000});
    EXPECT_EQ(powerChoiceText(p, 1), "6.60 kW");   // 2001 + 2300 + 2300
    EXPECT_EQ(powerChoiceText(p, 6), "2.00 kW");
    EXPECT_EQ(powerChoiceText(p, 3), "2.30 kVA");
    EXPECT_EQ(powerChoiceText(p, 9), "1.13 kVAr");
    EXPECT_EQ(powerChoiceText(p, 12), "0.870");
    EXPECT_EQ(powerChoiceText(p, -1), "");
    EXPECT_EQ(powerChoiceText(p, 15), "");
}

TEST(AlarmValue, FormatsByDividerUnitAndTransformer) {
    struct Case {
        int row;
        uint16_t raw;
        int ct;
        const char* text;
    } cases[] = {
        {0, 245, 1, "24.5 A"}, {0, 245, 10, "245.0 A"}, {3, 250, 10, "250 %"},  {15, 123, 10, "12.3 MΩ"},
        {1, 7, 1, "7 "},       {12, 360, 10, "360 V"},  {10, 1, 1, "1 "},       {25, 205, 10, "20.5 mA"},
        {11, 3, 10, "3.0 A"},  {8, 120, 10, "120 *C"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(alarmValueText(c.row, c.raw, c.ct), c.text) << "row " << c.row;
}

TEST(Title, ConnectedTitleShowsVersionAndSpeed) {
    EXPECT_EQ(panelTitle(false, 55, 12.5f), "Panel sterowania RELVO-7");
    EXPECT_EQ(panelTitle(true, 55, 218.456f),
              std::string("Panel sterowania RELVO-7  -  Firmware[55]  -  Prędkość[218.46]par./s  -  ") +
                  kMakerWebAddress);
}
