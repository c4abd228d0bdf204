// The allocator's rules for blocks inside the program's constant data, and
// the result constructors that every command uses.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "runtime/core/memory.h"
#include "runtime/core/value_blocks.h"
#include "tests/core/throwing_error_hook.h"

namespace tessaly {
namespace {

using testing::CapturedReport;

// Stands in for the program image's constant data.
alignas(8) const char ConstantImage[32] = "literal" "\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0" "tai";

class ConstantData : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* start = reinterpret_cast<const std::byte*>(ConstantImage);
        setConstantRange({start, start + sizeof ConstantImage});
    }
    void TearDown() override { setConstantRange({}); }
    static void* literal(size_t offset = 0) { return const_cast<char*>(ConstantImage + offset); }

    testing::ThrowingErrorHook hook_;
};

TEST_F(ConstantData, ReallocatingALiteralCopiesItAndLeavesItAlone)
{
    auto* grown = static_cast<char*>(reallocate(literal(), 64));
    ASSERT_NE(grown, ConstantImage);
    EXPECT_STREQ(grown, "literal");
    EXPECT_STREQ(ConstantImage, "literal");
    release(grown);
}

TEST_F(ConstantData, ReallocationNearTheEndOfTheImageCopiesOnlyWhatLiesInside)
{
    // Four bytes remain inside the range; asking for 100 must not read past it.
    auto* copy = static_cast<char*>(reallocate(literal(sizeof ConstantImage - 4), 100));
    EXPECT_EQ(std::string(copy, 4), std::string("tai\0", 4));
    release(copy);
}

TEST_F(ConstantData, FreeingLiteralsAndNullDoesNothing)
{
    release(literal());
    release(literal(8));
    release(nullptr);
    EXPECT_STREQ(ConstantImage, "literal");
}

TEST_F(ConstantData, ArrayInsideTheImageIsCopiedBeforeItIsChanged)
{
    alignas(4) static const int32_t image[] = {1, 3, 10, 20, 30};
    const auto* start = reinterpret_cast<const std::byte*>(image);
    setConstantRange({start, start + sizeof image});
    void* variable = const_cast<int32_t*>(image);
    makeArrayWritable(4, &variable);
    ASSERT_NE(variable, static_cast<const void*>(image));
    EXPECT_EQ(std::memcmp(variable, image, sizeof image), 0);
    static_cast<int32_t*>(variable)[2] = 99;
    EXPECT_EQ(image[2], 10);
    void* again = variable;
    makeArrayWritable(4, &again);
    EXPECT_EQ(again, variable) << "a heap array is already writable";
    release(variable);
}

TEST_F(ConstantData, HeapBlocksResizeKeepingTheirContents)
{
    auto* block = static_cast<char*>(allocate(4));
    std::memcpy(block, "abc", 4);
    block = static_cast<char*>(reallocate(block, 4096));
    EXPECT_STREQ(block, "abc");
    release(block);
}

TEST_F(ConstantData, AllocationFailureIsReportedWithTheSize)
{
    try {
        allocate(-5);
        FAIL() << "allocation of a negative size returned";
    } catch (const CapturedReport& report) {
        EXPECT_NE(report.text.find("\r\n错误信息：分配 -5 字节内存失败!\r\n"), std::string::npos) << report.text;
        EXPECT_EQ(report.text.find("错误代码"), std::string::npos);
    }
    EXPECT_EQ(allocateUnchecked(-5), nullptr);
}

TEST(ResultValues, EmptyResultsAreNull)
{
    EXPECT_EQ(makeResultText(nullptr), nullptr);
    EXPECT_EQ(makeResultText(""), nullptr);
    EXPECT_EQ(makeResultText("abc", 0), nullptr);
    EXPECT_EQ(makeResultText("abc", -1), nullptr);
    EXPECT_EQ(makeResultByteSet("x", 0), nullptr);
}

TEST(ResultValues, TextsAndByteSetsAreFreshCopies)
{
    char* text = makeResultText("字幕abc", 4);
    EXPECT_STREQ(text, "字幕");
    release(text);

    const uint8_t bytes[] = {0, 1, 2, 255};
    void* set = makeResultByteSet(bytes, 4);
    EXPECT_EQ(static_cast<int32_t*>(set)[0], 1);
    EXPECT_EQ(byteSetLength(set), 4);
    EXPECT_EQ(std::memcmp(byteSetData(set), bytes, 4), 0);
    release(set);
}

TEST(ResultValues, DataOfAValueCoversItsPayload)
{
    const char* text = "ab";
    EXPECT_EQ(dataOf(TypedValue::ofPointer(text, TypeCode::Text)).size, 3) << "terminator included";
    EXPECT_EQ(dataOf(TypedValue::ofPointer(nullptr, TypeCode::Text)).data, nullptr);
    EXPECT_EQ(dataOf(TypedValue::ofDouble(1.0)).size, 8);
    EXPECT_EQ(dataOf({1, 0, TypeCode::Short}).size, 2);
    EXPECT_EQ(dataOf({0, 0, TypeCode::Window}).data, nullptr);
    const int32_t set[] = {1, 2, 0x0000BBAA};
    const ValueData bytes = dataOf(TypedValue::ofPointer(set, TypeCode::Bytes));
    EXPECT_EQ(bytes.size, 2);
    EXPECT_EQ(static_cast<const uint8_t*>(bytes.data)[1], 0xBB);
}

TEST(ResultValues, ArrayElementsAreTheProductOfTheDimensions)
{
    int32_t block[2 + 1 + 6] = {2, 2, 3};
    const ArrayView view = arrayElements(block);
    EXPECT_EQ(view.count, 6);
    EXPECT_EQ(reinterpret_cast<int32_t*>(view.first), block + 3);
    int32_t scalar[] = {0, 42};
    EXPECT_EQ(arrayElements(scalar).count, 1);
    EXPECT_EQ(arrayElementWidth(TypeCode::Text), 8);
    EXPECT_EQ(arrayElementWidth(TypeCode::Label), 8);
    EXPECT_EQ(arrayElementWidth(TypeCode::Short), 2);
    EXPECT_EQ(arrayElementWidth(TypeCode::Bool), 4);
}

TEST(ResultValues, FoldCombinesLowWordsInOrder)
{
    const TypedValue v[] = {TypedValue::ofInt(0b1100), TypedValue::ofInt(0b1010), TypedValue::ofInt(0b0001)};
    EXPECT_EQ(fold(FoldOperation::And, 2, v), 0b1000);
    EXPECT_EQ(fold(FoldOperation::Or, 3, v), 0b1111);
    EXPECT_EQ(fold(FoldOperation::Xor, 3, v), 0b0111);
    EXPECT_EQ(fold(FoldOperation::Or, 1, v), 0b1100);
}

}  // namespace
}  // namespace tessaly
