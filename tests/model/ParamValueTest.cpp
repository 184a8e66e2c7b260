#include <gtest/gtest.h>

#include <bit>
#include <cstring>

#include "model/BlockTypeInfo.h"
#include "model/ParamValue.h"

namespace {

std::string Format(char letter, int16_t raw) {
    const uint8_t bytes[2] = {static_cast<uint8_t>(raw), static_cast<uint8_t>(raw >> 8)};
    return FormatParamValue(letter, bytes);
}

std::string FormatFloat(float value) {
    uint8_t bytes[4];
    const uint32_t bits = std::bit_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<uint8_t>(bits >> (8 * i));
    }
    return FormatParamValue('R', bytes);
}

int16_t Parse16(int kind, const std::string& text, char letter, double lo, double hi) {
    uint8_t bytes[8] = {0xAA, 0xAA};
    EXPECT_TRUE(ParseParamValue(kind, text, letter, lo, hi, bytes)) << text;
    return static_cast<int16_t>(bytes[0] | (bytes[1] << 8));
}

TEST(FormatParamValue, FixedPointKeepsTheDecimalPoint) {
    EXPECT_EQ(Format('P', 30), "0.3");
    EXPECT_EQ(Format('P', 1000), "10.");
    EXPECT_EQ(Format('P', -200), "-2.");
    EXPECT_EQ(Format('P', 0), "0.");
    EXPECT_EQ(Format('P', 12), "0.12");
    EXPECT_EQ(Format('C', 1000), "1.");
    EXPECT_EQ(Format('C', -1500), "-1.5");
    EXPECT_EQ(Format('C', -32768), "-32.768");
    EXPECT_EQ(Format('I', -5), "-5");
    EXPECT_EQ(Format('I', 230), "230");
    EXPECT_EQ(FormatParamValue('Z', nullptr), "");
    EXPECT_EQ(Format('Q', 1), "");
}

TEST(FormatParamValue, FloatsUseFiveOrThreeSignificantDigits) {
    EXPECT_EQ(FormatFloat(273.15f), "273.15");
    EXPECT_EQ(FormatFloat(10.0f), "10.");
    EXPECT_EQ(FormatFloat(0.2f), "0.2");
    EXPECT_EQ(FormatFloat(0.0f), "0.");
    EXPECT_EQ(FormatFloat(100000.0f), "1.e+005");
    EXPECT_EQ(FormatFloat(12345.678f), "12346.");
    EXPECT_EQ(FormatFloat(1e37f), "1.e+037");
    EXPECT_EQ(FormatFloat(-1e37f), "-1.e+037");
    EXPECT_EQ(FormatFloat(0.05f), "0.05");  // three digits below 0.1
    EXPECT_EQ(FormatFloat(0.0123456f), "0.0123");
    EXPECT_EQ(FormatFloat(123456.0f), "1.23e+005");
    EXPECT_EQ(FormatFloat(1e-5f), "1.e-005");
}

TEST(FormatParamValue, TextsAreCutAtTheirWidth) {
    const uint8_t mnemonic[4] = {'S', 'P', ' ', ' '};
    EXPECT_EQ(FormatParamValue('M', mnemonic), "SP ");
    const uint8_t shortMnemonic[4] = {'P', 'V', 0, 0};
    EXPECT_EQ(FormatParamValue('M', shortMnemonic), "PV");
    const uint8_t text[8] = {'L', 'O', 'W', ' ', 'C', 'O', 'M', 'P'};
    EXPECT_EQ(FormatParamValue('S', text), "LOW COMP");
}

TEST(ParseParamValue, FixedPointRoundsByFourTenths) {
    EXPECT_EQ(Parse16(1, "0.125", 'P', -10, 10), 12);
    EXPECT_EQ(Parse16(1, "0.127", 'P', -10, 10), 13);
    EXPECT_EQ(Parse16(1, "-0.125", 'P', -10, 10), -12);
    EXPECT_EQ(Parse16(1, "1.0", 'C', -30, 30), 1000);
    EXPECT_EQ(Parse16(1, "-1.5", 'C', -30, 30), -1500);
    EXPECT_EQ(Parse16(1, "100.", 'P', 50, 102), 10000);
    EXPECT_EQ(Parse16(1, "  7.5xyz", 'P', 0, 10), 750);  // leading number, rest ignored
    EXPECT_EQ(Parse16(1, "abc", 'P', 0, 10), 0);         // no number gives 0
    EXPECT_EQ(Parse16(1, "2,5", 'P', 0, 10), 250);       // comma decimal point
}

TEST(ParseParamValue, OutOfRangeLeavesTheValue) {
    uint8_t bytes[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_FALSE(ParseParamValue(1, "103", 'P', 50, 102, bytes));
    EXPECT_FALSE(ParseParamValue(2, "1001", 'R', 0.01, 1000, bytes));
    EXPECT_FALSE(ParseParamValue(2, "nan", 'R', 0.01, 1000, bytes));
    EXPECT_FALSE(ParseParamValue(1, "4", 'I', 0, 3, bytes));
    EXPECT_FALSE(ParseParamValue(0, "200", 'I', 0, 186, bytes));
    EXPECT_FALSE(ParseParamValue(1, "230", 'I', 0, 186, bytes));  // special addresses are LINK only
    EXPECT_FALSE(ParseParamValue(1, "1", 'Q', 0, 186, bytes));
    const uint8_t unchanged[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(std::memcmp(bytes, unchanged, 8), 0);
}

TEST(ParseParamValue, LinkTakesSpecialAddresses) {
    EXPECT_EQ(Parse16(PARAM_LINK, "230", 'I', 0, 186), 230);
    EXPECT_EQ(Parse16(PARAM_LINK, "225", 'I', 0, 186), 225);
    EXPECT_EQ(Parse16(PARAM_LINK, "240", 'I', 0, 186), 240);
    EXPECT_EQ(Parse16(PARAM_LINK, "186", 'I', 0, 186), 186);
}

TEST(ParseParamValue, FloatsAndTexts) {
    uint8_t bytes[8] = {};
    ASSERT_TRUE(ParseParamValue(1, "1.0E37", 'R', -1.0e37, 1.0e37, bytes));
    EXPECT_EQ(FormatParamValue('R', bytes), "1.e+037");
    ASSERT_TRUE(ParseParamValue(1, "273.15", 'R', 0, 1.0e37, bytes));
    EXPECT_EQ(FormatParamValue('R', bytes), "273.15");

    uint8_t text[8];
    std::memset(text, 0x55, sizeof text);
    ASSERT_TRUE(ParseParamValue(2, "OUT", 'M', 0, 0, text));
    const uint8_t mnemonic[5] = {'O', 'U', 'T', 0, 0x55};
    EXPECT_EQ(std::memcmp(text, mnemonic, 5), 0);
    ASSERT_TRUE(ParseParamValue(1, "HIGH ALARM", 'S', 0, 0, text));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(text), 8), "HIGH ALA");
}

TEST(ParseLeading, BehavesLikeTheRuntimeConversions) {
    EXPECT_EQ(ParseLeadingInt(" -42abc"), -42);
    EXPECT_EQ(ParseLeadingInt("+7"), 7);
    EXPECT_EQ(ParseLeadingInt(""), 0);
    EXPECT_EQ(ParseLeadingInt("99999999999999999999"), 2147483647);
    EXPECT_DOUBLE_EQ(ParseLeadingDouble("-1.0E37 rest"), -1.0e37);
    EXPECT_DOUBLE_EQ(ParseLeadingDouble("  .5"), 0.5);
    EXPECT_DOUBLE_EQ(ParseLeadingDouble("-"), 0.0);
}

}  // namespace
