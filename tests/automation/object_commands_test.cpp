// The object commands on a real system object ("VBScript.RegExp") and on a
// hand-made automation object: binding order, argument conversion and order,
// by-reference write-back, result conversion, and the error codes.
#include <gtest/gtest.h>

#include "runtime/core/automation/automation_commands.h"
#include "tests/automation/automation_test_support.h"
#include "tests/automation/test_dispatch_object.h"

namespace tessaly::testing {
namespace {

using namespace commands;

class RegExpObject : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(run(ObjectCreate, {regexp.value(), text("VBScript.RegExp")}).asBool());
    }

    bool write(const char* name, TypedValue value) { return run(ObjectWriteProperty, {regexp.value(), text(name), value}).asBool(); }

    ComApartment apartment;
    Object regexp;
};

TEST_F(RegExpObject, PropertiesWrittenAreReadBack)
{
    EXPECT_TRUE(write("Pattern", text("a+b")));
    EXPECT_EQ(lastAutomationError(), 0);
    EXPECT_EQ(takeText(run(ObjectReadText, {regexp.value(), text("Pattern")})), "a+b");
    EXPECT_TRUE(write("Global", TypedValue::ofBool(true)));
    EXPECT_NE(run(ObjectReadNumber, {regexp.value(), text("Global")}).asDouble(), 0);
    // Names bind case-insensitively, as automation names do.
    EXPECT_EQ(takeText(run(ObjectReadText, {regexp.value(), text("pattern")})), "a+b");
}

TEST_F(RegExpObject, MethodsTakeTheirArgumentsInDeclaredOrder)
{
    write("Pattern", text("o"));
    write("Global", TypedValue::ofBool(true));
    EXPECT_EQ(takeText(run(ObjectCallForText, {regexp.value(), text("Replace"), text("foo boo"), text("0")})), "f00 b00");
    ResultObject matches(run(ObjectCallForObject, {regexp.value(), text("Execute"), text("foo boo")}));
    ASSERT_FALSE(run(ObjectIsEmpty, {matches.value()}).asBool());
    EXPECT_EQ(run(ObjectReadNumber, {matches.value(), text("Count")}).asDouble(), 4) << lastAutomationError();
    ResultObject third(run(ObjectReadObject, {matches.value(), text("Item"), TypedValue::ofInt(2)}));
    EXPECT_EQ(run(ObjectReadNumber, {third.value(), text("FirstIndex")}).asDouble(), 5);
}

TEST_F(RegExpObject, DoubleByteTextsSurviveTheRoundTrip)
{
    write("Pattern", text("中文"));
    EXPECT_EQ(takeText(run(ObjectReadText, {regexp.value(), text("Pattern")})), "中文");
    EXPECT_EQ(takeText(run(ObjectCallForText, {regexp.value(), text("Replace"), text("说中文"), text("话")})), "说话");
}

TEST_F(RegExpObject, VariantArgumentsAreHandedOverAsTheirContent)
{
    Variant subject;
    ASSERT_TRUE(run(VariantAssign, {subject.value(), text("xax")}).asBool());
    write("Pattern", text("a"));
    EXPECT_EQ(takeText(run(ObjectCallForText, {regexp.value(), text("Replace"), subject.value(), text("-")})), "x-x");
}

TEST_F(RegExpObject, FailuresAreRecordedAsTheLastAutomationError)
{
    const TypedValue missing = run(ObjectReadText, {regexp.value(), text("NoSuchMember")});
    EXPECT_EQ(lastAutomationError(), -3);
    EXPECT_EQ(missing.pointer(), nullptr);
    EXPECT_EQ(missing.type, TypeCode::Text);

    EXPECT_FALSE(write("Singleline", TypedValue::ofBool(true))) << "the class has no such property";
    EXPECT_EQ(lastAutomationError(), -3);

    run(ObjectReadText, {regexp.value(), text("Pattern"), TypedValue::ofInt(1)});
    EXPECT_EQ(lastAutomationError(), -5);
    run(ObjectReadText, {regexp.value(), text("Pattern"), TypedValue::omitted()});
    EXPECT_EQ(lastAutomationError(), 0) << "trailing omitted arguments do not count";

    const TypedValue unit = TypedValue::ofUnit(1, 2, TypeCode::Window);
    ResultObject unconverted(run(ObjectCallForObject, {regexp.value(), text("Execute"), unit}));
    EXPECT_EQ(lastAutomationError(), -7);
    ASSERT_NE(unconverted.block, nullptr) << "a failed object result is a fresh empty block";
    EXPECT_TRUE(run(ObjectIsEmpty, {unconverted.value()}).asBool());

    EXPECT_FALSE(write("Global", text("not a truth value")));
    EXPECT_EQ(lastAutomationError(), -16);

    write("Pattern", text("("));
    ResultObject rejected(run(ObjectCallForObject, {regexp.value(), text("Execute"), text("x")}));
    EXPECT_LT(lastAutomationError(), 0) << "a rejected pattern fails the call";
    EXPECT_TRUE(run(ObjectIsEmpty, {rejected.value()}).asBool());

    ResultObject variant(run(ObjectReadVariant, {regexp.value(), text("Nope")}));
    // The variant result block is fresh and zeroed even on failure.
    const auto* block = reinterpret_cast<const VARIANT*>(variant.block);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block->vt, VT_EMPTY);
    variant.block = nullptr;
    release(const_cast<VARIANT*>(block));
}

TEST(ObjectValues, EmptyObjectsFailFirstAndCopiesShareTheInterface)
{
    ComApartment apartment;
    Object empty;
    EXPECT_TRUE(run(ObjectIsEmpty, {empty.value()}).asBool());
    const TypedValue number = run(ObjectReadNumber, {empty.value(), text("Count")});
    EXPECT_EQ(lastAutomationError(), -1);
    EXPECT_EQ(number.asDouble(), 0);

    EXPECT_FALSE(run(ObjectCreate, {empty.value(), text("No.Such.Class")}).asBool());
    EXPECT_TRUE(run(ObjectIsEmpty, {empty.value()}).asBool());

    TestDispatchObject target;
    Object source;
    source.block.unknown = static_cast<IUnknown*>(&target);
    target.AddRef();
    {
        Object copy;
        run(ObjectCopy, {copy.value(), source.value()});
        EXPECT_EQ(copy.block.unknown, source.block.unknown);
        EXPECT_EQ(target.references(), 3u);
    }
    EXPECT_EQ(target.references(), 2u) << "clearing the copy released its reference";
    run(ObjectClear, {source.value()});
    EXPECT_EQ(source.block.unknown, nullptr);
    EXPECT_EQ(target.references(), 1u);
}

TEST(ObjectCreation, BracedClassIdentifiersAndMissingTypeLibrariesStillCreate)
{
    ComApartment apartment;
    CLSID classId{};
    ASSERT_EQ(CLSIDFromProgID(L"VBScript.RegExp", &classId), S_OK);
    wchar_t wide[40];
    StringFromGUID2(classId, wide, 40);
    char braced[40];
    WideCharToMultiByte(CP_ACP, 0, wide, -1, braced, sizeof braced, nullptr, nullptr);
    Object byIdentifier;
    EXPECT_TRUE(run(ObjectCreate, {byIdentifier.value(), text(braced)}).asBool());
    EXPECT_FALSE(run(ObjectIsEmpty, {byIdentifier.value()}).asBool());

    // A type library that cannot be loaded falls back to the class name.
    Object byName;
    EXPECT_TRUE(run(ObjectCreate, {byName.value(), text("VBScript.RegExp"), text("C:\\missing.tlb")}).asBool());
    // Creating into a full object replaces what it held.
    EXPECT_TRUE(run(ObjectCreate, {byName.value(), text("VBScript.RegExp")}).asBool());
}

class HandMadeObject : public ::testing::Test {
protected:
    void SetUp() override
    {
        holder.block.unknown = static_cast<IUnknown*>(&target);
        target.AddRef();
    }
    TypedValue call(const char* name, std::vector<TypedValue> arguments = {})
    {
        arguments.insert(arguments.begin(), {holder.value(), text(name)});
        return run(ObjectCallForText, arguments);
    }

    ComApartment apartment;
    TestDispatchObject target;
    Object holder;
};

TEST_F(HandMadeObject, ArgumentsAreReversedForTheCall)
{
    EXPECT_EQ(takeText(call("Join", {text("left"), text("right")})), "left|right");
    EXPECT_EQ(lastAutomationError(), 0);
}

TEST_F(HandMadeObject, ByReferenceArgumentsAreWrittenBackToTheCallersVariable)
{
    int32_t number = 21;
    call("Twice", {TypedValue::ofPointer(&number, TypeCode::Int | ArgumentFlag)});
    EXPECT_EQ(lastAutomationError(), 0);
    EXPECT_EQ(number, 42);

    call("Twice", {TypedValue::ofInt(5)});
    EXPECT_EQ(lastAutomationError(), 0) << "a plain value is passed by reference to a copy";

    char* word = static_cast<char*>(allocate(6));
    std::memcpy(word, "quiet", 6);
    call("Shout", {TypedValue::ofPointer(&word, TypeCode::Text | ArgumentFlag)});
    EXPECT_STREQ(word, "QUIET");
    release(word);
}

TEST_F(HandMadeObject, PropertyWritesPassTheValueAsTheNamedPutArgument)
{
    EXPECT_TRUE(run(ObjectWriteProperty, {holder.value(), text("Size"), TypedValue::ofInt(7)}).asBool());
    EXPECT_TRUE(target.lastPutWasNamed);
    EXPECT_EQ(run(ObjectReadNumber, {holder.value(), text("Size")}).asDouble(), 7);
    // A call binds a method first, then a property get.
    EXPECT_EQ(takeText(call("Size")), "7");
}

TEST_F(HandMadeObject, ResultsConvertToTheCommandsTypeOrFailWithMinusEight)
{
    ResultObject self(run(ObjectReadObject, {holder.value(), text("Self")}));
    EXPECT_EQ(self.block->unknown, static_cast<IUnknown*>(static_cast<IDispatch*>(&target)));

    run(ObjectReadNumber, {holder.value(), text("Join")});
    EXPECT_EQ(lastAutomationError(), -16) << "Join without its texts is refused by the object";
    const TypedValue number = run(ObjectReadNumber, {holder.value(), text("Self")});
    EXPECT_EQ(lastAutomationError(), -8);
    EXPECT_EQ(number.asDouble(), 0);
}

TEST_F(HandMadeObject, WithoutTypeInformationMembersBindByName)
{
    target.refuseTypeInfo = true;
    target.answerNames = true;
    EXPECT_EQ(takeText(call("Join", {text("a"), text("b")})), "a|b");
    call("Twice", {TypedValue::ofInt(1)});
    EXPECT_EQ(lastAutomationError(), -4) << "a name the object does not know";
}

TEST_F(HandMadeObject, MissingInterfacesGiveTheirOwnCodes)
{
    target.refuseTypeInfo = true;
    call("Join", {text("a"), text("b")});
    EXPECT_EQ(lastAutomationError(), -4);
    target.refuseDispatch = true;
    call("Join", {text("a"), text("b")});
    EXPECT_EQ(lastAutomationError(), -2);
}

TEST_F(HandMadeObject, InvocationFailuresMapToTheirCodes)
{
    const std::pair<HRESULT, int32_t> cases[] = {
        {DISP_E_MEMBERNOTFOUND, -12}, {DISP_E_PARAMNOTFOUND, -15}, {DISP_E_TYPEMISMATCH, -16},
        {DISP_E_NONAMEDARGS, -13},    {DISP_E_BADVARTYPE, -10},    {DISP_E_EXCEPTION, -11},
        {DISP_E_OVERFLOW, -14},       {DISP_E_BADPARAMCOUNT, -9},  {DISP_E_PARAMNOTOPTIONAL, -17},
        {E_FAIL, -18},
    };
    for (const auto& [failure, code] : cases) {
        const TypedValue result = call("Fail", {TypedValue::ofInt(failure)});
        EXPECT_EQ(lastAutomationError(), code) << std::hex << failure;
        EXPECT_EQ(result.pointer(), nullptr);
    }
    call("Fail", {TypedValue::ofInt(S_OK)});
    EXPECT_EQ(lastAutomationError(), 0);
}

}  // namespace
}  // namespace tessaly::testing
