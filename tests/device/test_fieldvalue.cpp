// The one rule for a typed or read number going into a record field of a given width.
#include "fieldvalue.h"

#include <QString>

#include <gtest/gtest.h>

using namespace zorvex;
using namespace Qt::StringLiterals;

TEST(FieldValue, IntegersAreDecimalWithSignOrHexadecimalWithDollarOr0x) {
    const struct {
        QString text;
        std::optional<std::int64_t> value;
    } cases[] = {
        {u"0"_s, 0},
        {u"-5"_s, -5},
        {u"+7"_s, 7},
        {u"0x1F"_s, 31},
        {u"0X1f"_s, 31},
        {u"$F6"_s, 246},
        {u"1F"_s, {}},
        {u""_s, {}},
        {u"-"_s, {}},
        {u"0x"_s, {}},
        {u" 5"_s, 5},
        {u"5 x"_s, {}},
        {u"--5"_s, {}},
        {u"-0x5"_s, {}},
        {u"1.5"_s, {}},
        {u"١٢"_s, {}},
        {u"99999999999999999999"_s, {}},
        {u"9223372036854775807"_s, INT64_MAX},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseInteger(c.text), c.value) << c.text.toStdString();
}

TEST(FieldValue, AValueFitsWhenItNeedsNoMoreBitsThanTheFieldAndKeepsItsBitPattern) {
    EXPECT_EQ(FitToField<std::uint8_t>(-1), 255);
    EXPECT_EQ(FitToField<std::uint8_t>(255), 255);
    EXPECT_EQ(FitToField<std::uint8_t>(-128), 128);
    EXPECT_EQ(FitToField<std::uint8_t>(256), std::nullopt);
    EXPECT_EQ(FitToField<std::uint8_t>(300), std::nullopt);
    EXPECT_EQ(FitToField<std::uint8_t>(-129), std::nullopt);
    EXPECT_EQ(FitToField<std::int8_t>(0xF6), -10);
    EXPECT_EQ(FitToField<std::int8_t>(-128), -128);
    EXPECT_EQ(FitToField<std::int8_t>(256), std::nullopt);
    EXPECT_EQ(FitToField<std::int16_t>(65535), -1);
    EXPECT_EQ(FitToField<std::int16_t>(-32768), -32768);
    EXPECT_EQ(FitToField<std::uint16_t>(40000), 40000);
    EXPECT_EQ(FitToField<std::uint16_t>(70000), std::nullopt);
    EXPECT_EQ(ParseFieldValue<std::uint8_t>(u"300"), std::nullopt);
    EXPECT_EQ(ParseFieldValue<std::int8_t>(u"$F6"), -10);
}
