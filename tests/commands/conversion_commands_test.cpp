// Conversion commands: ToInteger's full-width normalisation and C-style
// reading, ToByte's truncation, and the byte forms of ToText and ToByteSet.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "runtime/core/commands/commands.h"
#include "tests/commands/command_harness.h"

namespace tessaly {
namespace {

using namespace commands;
using namespace tessaly::testing;

int32_t toInteger(const TypedValue& v) { return call(ToInteger, {v}).asInt(); }
int32_t textToInteger(const std::string& s) { return toInteger(text(s.c_str())); }

// An array argument: the flag on the element type, the block's address as value.
struct ArrayArgument {
    std::vector<int32_t> words;
    uint32_t elementType;
    TypedValue value() const { return TypedValue::ofPointer(words.data(), elementType | ArgumentFlag); }
};

TEST(ToInteger, FullWidthCharactersReadAsTheirAsciiForms)
{
    EXPECT_EQ(textToInteger("\xA3\xB1\xA3\xB2\xA3\xB3"), 123);
    EXPECT_EQ(textToInteger("\xA3\xAD\xA3\xB4\xA3\xB2"), -42);       // full-width minus
    EXPECT_EQ(textToInteger("\xA1\xA1\xA1\xA1" "7"), 7);              // ideographic spaces
    EXPECT_EQ(textToInteger("\xA3\xAB" "9"), 9);                     // full-width plus
    EXPECT_EQ(textToInteger("1\xA3\xB2" "3"), 123);                  // mixed widths
    EXPECT_EQ(textToInteger("字12"), 0);                              // no equivalent: reading stops
    EXPECT_EQ(textToInteger("12字3"), 12);
    EXPECT_EQ(textToInteger("\xA1\xAB" "5"), 0);                     // becomes "~5"
}

TEST(ToInteger, ReadsLikeACDecimalInteger)
{
    EXPECT_EQ(textToInteger("12abc"), 12);
    EXPECT_EQ(textToInteger(" \t\r\n+8"), 8);
    EXPECT_EQ(textToInteger("-0"), 0);
    EXPECT_EQ(textToInteger(""), 0);
    EXPECT_EQ(textToInteger("- 5"), 0);
    EXPECT_EQ(textToInteger("0x1F"), 0);
    EXPECT_EQ(textToInteger("2147483647"), INT32_MAX);
    EXPECT_EQ(textToInteger("-2147483648"), INT32_MIN);
    EXPECT_EQ(textToInteger("99999999999999999999"), INT32_MAX);
    EXPECT_EQ(textToInteger("-99999999999999999999"), INT32_MIN);
    EXPECT_EQ(textToInteger(std::string(100000, '0') + "17"), 17);
    EXPECT_EQ(textToInteger("\x81"), 0);  // lone lead byte
}

TEST(ToInteger, NumbersConvertByTheirType)
{
    EXPECT_EQ(toInteger({0xFFFFFFFF, 0, TypeCode::Byte}), 255);
    EXPECT_EQ(toInteger({0x0001FFFF, 0, TypeCode::Short}), -1);
    EXPECT_EQ(toInteger(TypedValue::ofLong(0x100000005LL)), 5);
    EXPECT_EQ(toInteger(TypedValue::ofBool(true)), 1);
    EXPECT_EQ(toInteger(TypedValue::ofDouble(-2.7)), -2);
    EXPECT_EQ(toInteger(TypedValue::ofDouble(2.9999)), 2);
    EXPECT_EQ(toInteger(TypedValue::ofFloat(-0.5f)), 0);
    EXPECT_EQ(toInteger(TypedValue::ofDouble(1e12)), INT32_MIN);
    EXPECT_EQ(toInteger(TypedValue::ofDouble(std::nan(""))), INT32_MIN);
}

TEST(ToInteger, OtherValuesGiveZero)
{
    EXPECT_EQ(toInteger(TypedValue::omitted()), 0);
    EXPECT_EQ(toInteger(TypedValue::ofUnit(0x2000001, 0x10000002, TypeCode::Label)), 0);
    EXPECT_EQ(toInteger(TypedValue::ofDouble(3.0, TypeCode::DateTime)), 0);
    const ArrayArgument numbers{{1, 1, 5}, TypeCode::Int};
    EXPECT_EQ(toInteger(numbers.value()), 0);
    EXPECT_EQ(call(ToInteger, {}).asInt(), 0);
}

TEST(ToByte, KeepsTheLowEightBits)
{
    EXPECT_EQ(call(ToByte, {TypedValue::ofInt(300)}).low, 44u);
    EXPECT_EQ(call(ToByte, {TypedValue::ofInt(-1)}).low, 255u);
    EXPECT_EQ(call(ToByte, {{0xFFFF, 0, TypeCode::Short}}).low, 255u);
    EXPECT_EQ(call(ToByte, {text("258")}).low, 2u);
    EXPECT_EQ(call(ToByte, {TypedValue::ofDouble(65.9)}).low, 65u);
}

TEST(ToText, BytesAndNumericArraysAreCutAtTheFirstZero)
{
    const ByteSetArgument bytes(std::string("A\0B", 3));
    EXPECT_EQ(takeText(call(ToText, {bytes.value()})), "A");
    const ByteSetArgument leadingZero(std::string("\0B", 2));
    EXPECT_EQ(takeText(call(ToText, {leadingZero.value()})), std::nullopt);
    // Three Byte elements packed in one word; only the first dimension counts.
    const ArrayArgument letters{{2, 3, 1, 0x00636261}, TypeCode::Byte};
    EXPECT_EQ(takeText(call(ToText, {letters.value()})), "abc");
    const ArrayArgument ints{{1, 2, 0x41, 0x42}, TypeCode::Int};
    EXPECT_EQ(takeText(call(ToText, {ints.value()})), "A");
}

TEST(ToText, BaseValuesAreFormattedAndOthersGiveNull)
{
    EXPECT_EQ(takeText(call(ToText, {TypedValue::ofInt(-5)})), "-5");
    EXPECT_EQ(takeText(call(ToText, {TypedValue::ofBool(false)})), "假");
    EXPECT_EQ(takeText(call(ToText, {text("字幕")})), "字幕");
    EXPECT_EQ(takeText(call(ToText, {text("")})), std::nullopt);
    EXPECT_EQ(takeText(call(ToText, {TypedValue::ofUnit(0x2000001, 0, TypeCode::Window)})), std::nullopt);
    EXPECT_EQ(takeText(call(ToText, {{0x1234, 0, TypeCode::SubPointer}})), std::nullopt);
    const ArrayArgument texts{{1, 0}, TypeCode::Text};
    EXPECT_EQ(takeText(call(ToText, {texts.value()})), std::nullopt);
    EXPECT_EQ(takeText(call(ToText, {TypedValue::omitted()})), std::nullopt);
}

TEST(ToByteSet, PayloadBytesOfEachKind)
{
    EXPECT_EQ(takeBytes(call(ToByteSet, {text("ab")})), "ab");
    EXPECT_EQ(takeBytes(call(ToByteSet, {TypedValue::ofInt(0x01020304)})), std::string("\x04\x03\x02\x01", 4));
    EXPECT_EQ(takeBytes(call(ToByteSet, {{0xABCD, 0, TypeCode::Short}})), std::string("\xCD\xAB", 2));
    EXPECT_EQ(takeBytes(call(ToByteSet, {TypedValue::ofLong(1)})), std::string("\x01\0\0\0\0\0\0\0", 8));
    const ByteSetArgument bytes(std::string("x\0y", 3));
    EXPECT_EQ(takeBytes(call(ToByteSet, {bytes.value()})), std::string("x\0y", 3));
    const ArrayArgument shorts{{1, 2, 0x00020001}, TypeCode::Short};
    EXPECT_EQ(takeBytes(call(ToByteSet, {shorts.value()})), std::string("\x01\0\x02\0", 4));
}

TEST(ToByteSet, EmptyOrUnconvertibleGivesNull)
{
    EXPECT_EQ(takeBytes(call(ToByteSet, {text("")})), std::nullopt);
    const ArrayArgument texts{{1, 1, 0, 0}, TypeCode::Text};
    EXPECT_EQ(takeBytes(call(ToByteSet, {texts.value()})), std::nullopt);
    const ArrayArgument noInts{{1, 0}, TypeCode::Int};
    EXPECT_EQ(takeBytes(call(ToByteSet, {noInts.value()})), std::nullopt);
    // Three rows of none: the first dimension's size is no count of elements here.
    const ArrayArgument emptyRows{{2, 3, 0}, TypeCode::Int};
    EXPECT_EQ(takeBytes(call(ToByteSet, {emptyRows.value()})), std::nullopt);
    EXPECT_EQ(takeText(call(ToText, {emptyRows.value()})), std::nullopt);
    EXPECT_EQ(takeBytes(call(ToByteSet, {TypedValue::ofUnit(0x2000001, 0, TypeCode::Window)})), std::nullopt);
    EXPECT_EQ(takeBytes(call(ToByteSet, {TypedValue::omitted()})), std::nullopt);
}

TEST(BitOr, CombinesEveryArgument)
{
    EXPECT_EQ(call(BitOr, {TypedValue::ofInt(1), TypedValue::ofInt(2), TypedValue::ofInt(0x40)}).asInt(), 0x43);
    EXPECT_EQ(call(BitOr, {TypedValue::ofInt(-8)}).asInt(), -8);
    EXPECT_EQ(call(BitOr, {}).asInt(), 0);
}

}  // namespace
}  // namespace tessaly
