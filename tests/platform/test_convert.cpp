#include <gtest/gtest.h>

#include "platform/Convert.h"

using namespace Convert;

TEST(Convert, NumberValueReadsTheLeadingNumber) {
    const std::vector<std::pair<QString, double>> cases = {
        {"20", 20},   {"  40", 40}, {"2x", 2},     {"", 0},      {"x2", 0},  {"0.25", 0.25},
        {"-1", -1},   {"1.5.3", 1.5}, {".5", 0.5}, {"3e2", 300}, {"12 34", 12}, {"-", 0},
    };
    for (const auto &[text, value] : cases)
        EXPECT_DOUBLE_EQ(Val(text), value) << text.toStdString();
}

TEST(Convert, ByteAndIntegerRoundHalvesToEvenAndRefuseOverflow) {
    const std::vector<std::pair<double, int>> cases = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {10.75, 11}, {255.4, 255}};
    for (const auto &[value, expected] : cases) {
        EXPECT_EQ(CByte(value), expected) << value;
        EXPECT_EQ(CInt(value), expected) << value;
    }
    EXPECT_EQ(CInt(-1.5), -2);
    EXPECT_THROW(CByte(256.0), ConversionError);
    EXPECT_THROW(CByte(-1.0), ConversionError);
    EXPECT_THROW(CInt(32768.0), ConversionError);
    EXPECT_EQ(CInt(-32768.0), -32768);
}

TEST(Convert, ByteFromTextNeedsAWholeNumberText) {
    EXPECT_EQ(CByte(QStringLiteral(" 20 ")), 20);
    for (const char *bad : {"", "  ", "abc", "2x", "-"}) {
        try {
            CByte(QString::fromLatin1(bad));
            ADD_FAILURE() << "accepted " << bad;
        } catch (const ConversionError &e) {
            EXPECT_EQ(e.kind(), ConversionError::TypeMismatch) << bad;
        }
    }
    try {
        CByte(QStringLiteral("300"));
        ADD_FAILURE() << "accepted 300";
    } catch (const ConversionError &e) {
        EXPECT_EQ(e.kind(), ConversionError::Overflow);
    }
}

TEST(Convert, GeneralNumberTextHasFifteenDigitsAndNoTrailingZeros) {
    EXPECT_EQ(NumberText(20.0 * 40 / 60), "13.3333333333333");
    EXPECT_EQ(NumberText(25.0 * 40 / 60), "16.6666666666667");
    EXPECT_EQ(NumberText(20.0 * 30 / 60), "10");
    EXPECT_EQ(NumberText(1.0 * 20 / 60), "0.333333333333333");
    EXPECT_EQ(NumberText(0), "0");
}

TEST(Convert, ByteCounterStopsAt255) {
    uint8_t counter = 254;
    IncByte(counter);
    EXPECT_EQ(counter, 255);
    IncByte(counter);
    EXPECT_EQ(counter, 255);
}
