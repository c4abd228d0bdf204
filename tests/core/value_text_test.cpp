// Base values as text: the forms ToText shows.
#include <gtest/gtest.h>

#include "runtime/core/value_text.h"

namespace tessaly {
namespace {

std::string text(const TypedValue& v) { return baseValueToText(v).value_or("<none>"); }

TEST(ValueText, IntegersKeepTheirSignedness)
{
    EXPECT_EQ(text({0xFFFFFFFF, 0, TypeCode::Byte}), "255");
    EXPECT_EQ(text({0x0000FFFF, 0, TypeCode::Short}), "-1");
    EXPECT_EQ(text(TypedValue::ofInt(-2147483647 - 1)), "-2147483648");
    EXPECT_EQ(text(TypedValue::ofLong(-9000000000LL)), "-9000000000");
}

TEST(ValueText, FloatShowsSixSignificantDigitsWithoutBinaryTail)
{
    EXPECT_EQ(text(TypedValue::ofFloat(0.1f)), "0.1");
    EXPECT_EQ(text(TypedValue::ofFloat(1.0f / 3.0f)), "0.333333");
    EXPECT_EQ(text(TypedValue::ofFloat(123456789.0f)), "1.23457e+08");
    EXPECT_EQ(text(TypedValue::ofFloat(-2.5f)), "-2.5");
}

TEST(ValueText, DoubleShowsThirteenSignificantDigits)
{
    EXPECT_EQ(text(TypedValue::ofDouble(1.0 / 3.0)), "0.3333333333333");
    EXPECT_EQ(text(TypedValue::ofDouble(0.1)), "0.1");
    EXPECT_EQ(text(TypedValue::ofDouble(1e20)), "1e+20");
}

TEST(ValueText, BoolIsTrueOrFalseInWords)
{
    EXPECT_EQ(text(TypedValue::ofBool(true)), "真");
    EXPECT_EQ(text({7, 0, TypeCode::Bool}), "真");
    EXPECT_EQ(text(TypedValue::ofBool(false)), "假");
}

TEST(ValueText, DateShowsOnlyTheTimePartsThatAreSet)
{
    auto date = [](double d) { return text(TypedValue::ofDouble(d, TypeCode::DateTime)); };
    EXPECT_EQ(date(0), "1899年12月30日");
    EXPECT_EQ(date(1), "1899年12月31日");
    EXPECT_EQ(date(45000.5), "2023年3月15日12时");
    EXPECT_EQ(date(45000.5 + 30.0 / 1440), "2023年3月15日12时30分");
    EXPECT_EQ(date(45000.5 + 7.0 / 86400), "2023年3月15日12时0分7秒");
    // Leap day, and a date before the epoch whose fraction is still the time of day.
    EXPECT_EQ(date(36585), "2000年2月29日");
    EXPECT_EQ(date(-1.25), "1899年12月29日6时");
}

TEST(ValueText, DateIsClampedToYears100To9999)
{
    auto date = [](double d) { return text(TypedValue::ofDouble(d, TypeCode::DateTime)); };
    EXPECT_EQ(date(-657434), "100年1月1日");
    EXPECT_EQ(date(-1e9), "100年1月1日");
    EXPECT_EQ(date(2958465), "9999年12月31日");
    EXPECT_EQ(date(1e12), "9999年12月31日");
}

TEST(ValueText, TimeRoundsToTheSecondAcrossMidnight)
{
    EXPECT_EQ(splitDate(0.99999999), (CivilDateTime{1899, 12, 31, 0, 0, 0}));
    EXPECT_EQ(splitDate(0.5 + 0.4 / 86400), (CivilDateTime{1899, 12, 30, 12, 0, 0}));
}

TEST(ValueText, TypesWithoutATextFormAnswerNone)
{
    EXPECT_FALSE(baseValueToText({0, 0, TypeCode::Text}).has_value());
    EXPECT_FALSE(baseValueToText({0, 0, TypeCode::Window}).has_value());
    EXPECT_FALSE(baseValueToText(TypedValue::omitted()).has_value());
}

}  // namespace
}  // namespace tessaly
