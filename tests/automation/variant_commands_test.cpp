// Variants held by the program: assignment from each kind of value, element
// access over all dimensions, text conversion, copy and clear.
#include <gtest/gtest.h>

#include "tests/automation/automation_test_support.h"

namespace tessaly::testing {
namespace {

using namespace commands;

std::string toText(Variant& variant, TypedValue index = TypedValue::omitted())
{
    return takeText(run(VariantToText, {variant.value(), index}));
}

TEST(VariantAssignment, ScalarsTakeTheirAutomationTypes)
{
    Variant v;
    ASSERT_TRUE(run(VariantAssign, {v.value(), text("中文")}).asBool());
    EXPECT_EQ(v.v.vt, VT_BSTR);
    EXPECT_EQ(toText(v), "中文");
    run(VariantAssign, {v.value(), TypedValue::ofLong(0x100000007)});
    EXPECT_EQ(v.v.vt, VT_I4);
    EXPECT_EQ(toText(v), "7") << "a Long keeps its low word";
    run(VariantAssign, {v.value(), TypedValue::ofBool(true)});
    EXPECT_EQ(v.v.vt, VT_BOOL);
    EXPECT_EQ(v.v.boolVal, VARIANT_TRUE);
    run(VariantAssign, {v.value(), TypedValue::ofDouble(2.5)});
    EXPECT_EQ(toText(v), "2.5");
    EXPECT_FALSE(run(VariantAssign, {v.value(), TypedValue::ofUnit(1, 2, TypeCode::Window)}).asBool());
    EXPECT_EQ(v.v.vt, VT_EMPTY) << "a failed assignment leaves the variant cleared";
}

TEST(VariantAssignment, ArraysAndByteSetsBecomeOneDimensionalSafeArrays)
{
    struct {
        int32_t dimensions = 2, rows = 2, columns = 2;
        int32_t values[4] = {10, 20, 30, 40};
    } block;
    Variant v;
    ASSERT_TRUE(run(VariantAssign, {v.value(), TypedValue::ofPointer(&block, TypeCode::Int | ArgumentFlag)}).asBool());
    EXPECT_EQ(v.v.vt, VT_ARRAY | VT_I4);
    EXPECT_EQ(SafeArrayGetDim(v.v.parray), 1u);
    EXPECT_EQ(toText(v), "") << "an array gives no text without an element index";
    EXPECT_EQ(toText(v, TypedValue::ofInt(4)), "40");
    EXPECT_EQ(toText(v, TypedValue::ofInt(0)), "");
    EXPECT_EQ(toText(v, TypedValue::ofInt(5)), "");

    EXPECT_TRUE(run(VariantAssign, {v.value(), text("99"), TypedValue::ofInt(2)}).asBool());
    EXPECT_EQ(toText(v, TypedValue::ofInt(2)), "99") << "the element takes the array's type";
    EXPECT_FALSE(run(VariantAssign, {v.value(), TypedValue::ofInt(1), TypedValue::ofInt(9)}).asBool());

    const struct {
        int32_t dimensions = 1, length = 3;
        uint8_t bytes[3] = {1, 2, 3};
    } byteSet;
    run(VariantAssign, {v.value(), TypedValue::ofPointer(&byteSet, TypeCode::Bytes)});
    EXPECT_EQ(v.v.vt, VT_ARRAY | VT_UI1);
    EXPECT_EQ(toText(v, TypedValue::ofInt(3)), "3");
}

TEST(VariantElements, TheFirstDimensionVariesFastest)
{
    SAFEARRAYBOUND bounds[2] = {{2, 1}, {3, 0}};  // dimension 1: 1..2, dimension 2: 0..2
    Variant v;
    v.v.vt = VT_ARRAY | VT_I4;
    v.v.parray = SafeArrayCreate(VT_I4, 2, bounds);
    for (LONG second = 0; second < 3; ++second)
        for (LONG first = 1; first <= 2; ++first) {
            LONG indices[2] = {first, second};
            LONG value = first * 10 + second;
            SafeArrayPutElement(v.v.parray, indices, &value);
        }
    EXPECT_EQ(toText(v, TypedValue::ofInt(1)), "10");
    EXPECT_EQ(toText(v, TypedValue::ofInt(2)), "20");
    EXPECT_EQ(toText(v, TypedValue::ofInt(3)), "11");
    EXPECT_EQ(toText(v, TypedValue::ofInt(6)), "22");
    EXPECT_EQ(toText(v, TypedValue::ofInt(7)), "");
}

TEST(VariantOwnership, CopiesAreIndependentAndClearingZeroesTheBlock)
{
    Variant source;
    Variant target;
    run(VariantAssign, {source.value(), text("abc")});
    run(VariantCopy, {target.value(), source.value()});
    run(VariantClear, {source.value()});
    EXPECT_EQ(toText(target), "abc");
    const VARIANT zero{};
    EXPECT_EQ(std::memcmp(&source.v, &zero, sizeof zero), 0);
}

}  // namespace
}  // namespace tessaly::testing
