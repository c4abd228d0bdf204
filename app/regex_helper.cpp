#include "app/regex_helper.h"

#include <cstring>
#include <initializer_list>
#include <vector>

#include "app/dll_calls.h"
#include "app/runtime_calls.h"
#include "app/text_calls.h"
#include "runtime/core/service_table.h"

namespace tessaly::program {
namespace {

using commands::ObjectCallForObject;
using commands::ObjectCallForText;
using commands::ObjectClear;
using commands::ObjectCopy;
using commands::ObjectCreate;
using commands::ObjectIsEmpty;
using commands::ObjectReadNumber;
using commands::ObjectReadObject;
using commands::ObjectReadText;
using commands::ObjectWriteProperty;

TypedValue run(CommandEntry command, std::initializer_list<TypedValue> arguments) { return runCommand(command, arguments); }

TypedValue object(const ObjectBlock* block) { return TypedValue::ofPointer(block, TypeCode::ComObject); }
TypedValue variant(const void* block) { return TypedValue::ofPointer(block, TypeCode::Variant); }
// The program never passes a null text.
TypedValue text(const char* value) { return TypedValue::ofPointer(value == nullptr ? "" : value, TypeCode::Text); }

void* allocateBlock(intptr_t size)
{
    void* block = callService<Service::Allocate>(size);
    std::memset(block, 0, static_cast<size_t>(size));
    return block;
}

// An object result that the helper releases when it is done with it.
class TemporaryObject {
public:
    explicit TemporaryObject(const TypedValue& result) : block_(result.pointer<ObjectBlock>()) {}
    TemporaryObject(const TemporaryObject&) = delete;
    TemporaryObject& operator=(const TemporaryObject&) = delete;
    ~TemporaryObject()
    {
        run(ObjectClear, {object(block_)});
        freeBlock(block_);
    }
    TypedValue value() const { return object(block_); }

private:
    ObjectBlock* block_;
};

// Every "#引号" in the pattern becomes a double quote.
std::string quoteNames(std::string_view pattern) { return replaceAll(std::string(pattern), "#引号", "\""); }

const RegexMatch* builtInMatch(const std::vector<RegexMatch>& matches, int32_t n)
{
    if (n < 1 || static_cast<size_t>(n) > matches.size()) return nullptr;
    return &matches[static_cast<size_t>(n - 1)];
}

}  // namespace

RegexHelper::RegexHelper(RegexEngineChoice choice)
    : choice_(choice),
      expression_(static_cast<ObjectBlock*>(allocateBlock(sizeof(ObjectBlock)))),
      matches_(static_cast<ObjectBlock*>(allocateBlock(sizeof(ObjectBlock)))),
      subject_(allocateBlock(VariantBlockSize))
{
    run(commands::VariantAssign, {variant(subject_), TypedValue::ofInt(0)});
    CoInitialize(0);
}

RegexHelper::RegexHelper(const RegexHelper& other)
    : choice_(other.choice_),
      expression_(static_cast<ObjectBlock*>(allocateBlock(sizeof(ObjectBlock)))),
      matches_(static_cast<ObjectBlock*>(allocateBlock(sizeof(ObjectBlock)))),
      subject_(allocateBlock(VariantBlockSize)),
      builtIn_(other.builtIn_)
{
    run(ObjectCopy, {object(expression_), object(other.expression_)});
    run(ObjectCopy, {object(matches_), object(other.matches_)});
    run(commands::VariantCopy, {variant(subject_), variant(other.subject_)});
    CoInitialize(0);
}

RegexHelper::~RegexHelper()
{
    run(ObjectClear, {object(expression_)});
    run(ObjectClear, {object(matches_)});
    run(commands::VariantClear, {variant(subject_)});
    freeBlock(expression_);
    freeBlock(matches_);
    freeBlock(subject_);
    CoUninitialize();
}

bool RegexHelper::Search(std::string_view pattern, std::string_view subject, bool caseSensitive, bool multiline,
                         bool global, bool quote)
{
    run(ObjectClear, {object(expression_)});
    run(ObjectClear, {object(matches_)});
    builtIn_.reset();
    const std::string effectivePattern = quote ? quoteNames(pattern) : std::string(pattern);
    const std::string subjectCopy(subject);
    run(commands::VariantAssign, {variant(subject_), text(subjectCopy.c_str())});
    if (choice_ == RegexEngineChoice::SystemFirst &&
        run(ObjectCreate, {object(expression_), text("VBScript.RegExp")}).asBool())
        return searchWithObject(effectivePattern, caseSensitive, multiline, global);
    return searchBuiltIn(effectivePattern, subject, caseSensitive, multiline, global);
}

bool RegexHelper::searchWithObject(const std::string& pattern, bool caseSensitive, bool multiline, bool global)
{
    run(ObjectWriteProperty, {object(expression_), text("IgnoreCase"), TypedValue::ofBool(!caseSensitive)});
    run(ObjectWriteProperty, {object(expression_), text("Multiline"), TypedValue::ofBool(multiline)});
    // The class has no such property: the write fails, harmlessly.
    run(ObjectWriteProperty, {object(expression_), text("Singleline"), TypedValue::ofBool(true)});
    run(ObjectWriteProperty, {object(expression_), text("Global"), TypedValue::ofBool(global)});
    run(ObjectWriteProperty, {object(expression_), text("Pattern"), text(pattern.c_str())});
    // A rejected pattern fails the call and leaves an empty reference.
    auto* found = run(ObjectCallForObject, {object(expression_), text("Execute"), variant(subject_)})
                      .pointer<ObjectBlock>();
    freeBlock(matches_);
    matches_ = found;
    return !run(ObjectIsEmpty, {object(matches_)}).asBool();
}

bool RegexHelper::searchBuiltIn(const std::string& pattern, std::string_view subject, bool caseSensitive,
                                bool multiline, bool global)
{
    auto state = std::make_shared<BuiltIn>();
    state->engine = RegexEngine::compile(pattern, {!caseSensitive, multiline, global});
    state->pattern = pattern;
    state->ignoreCase = !caseSensitive;
    state->subject = std::string(subject);
    if (state->engine) state->matches = state->engine->execute(state->subject);
    const bool ran = state->engine != nullptr;
    builtIn_ = std::move(state);
    return ran;
}

std::string RegexHelper::subjectText() const
{
    return takeText(run(commands::VariantToText, {variant(subject_)}));
}

bool RegexHelper::ignoresCase() const
{
    if (builtIn_) return builtIn_->ignoreCase;
    return run(ObjectReadNumber, {object(expression_), text("IgnoreCase")}).asDouble() != 0;
}

// The object reports a character index; the byte offset is found by searching
// the ANSI subject from there, which is at or before the match.
int32_t RegexHelper::positionOf(std::string_view subject, const std::string& found, double firstIndex) const
{
    const auto start = static_cast<int32_t>(firstIndex) + 1;
    return findText(std::string(subject), found, start, ignoresCase()) - 1;
}

std::string RegexHelper::GetPattern() const
{
    if (builtIn_) return builtIn_->pattern;
    if (run(ObjectIsEmpty, {object(expression_)}).asBool()) return {};
    return takeText(run(ObjectReadText, {object(expression_), text("Pattern")}));
}

std::string RegexHelper::ReplaceMatches(std::string_view replacement) const
{
    const std::string replacementCopy(replacement);
    if (builtIn_) {
        if (!builtIn_->engine) return {};
        return builtIn_->engine->replace(builtIn_->subject, replacementCopy);
    }
    void* temporary = allocateBlock(VariantBlockSize);
    run(commands::VariantAssign, {variant(temporary), text(replacementCopy.c_str())});
    std::string result =
        takeText(run(ObjectCallForText, {object(expression_), text("Replace"), variant(subject_), variant(temporary)}));
    run(commands::VariantClear, {variant(temporary)});
    freeBlock(temporary);
    return result;
}

int32_t RegexHelper::GetMatchCount() const
{
    if (builtIn_) return static_cast<int32_t>(builtIn_->matches.size());
    return static_cast<int32_t>(run(ObjectReadNumber, {object(matches_), text("Count")}).asDouble());
}

std::string RegexHelper::GetMatchText(int32_t n, int32_t* position) const
{
    if (builtIn_) {
        const RegexMatch* match = builtInMatch(builtIn_->matches, n);
        if (match == nullptr) return {};
        const std::string& subject = builtIn_->subject;
        std::string value = subject.substr(match->whole.offset, match->whole.length);
        if (position != nullptr) *position = positionOf(subject, value, static_cast<double>(match->characterIndex));
        return value;
    }
    const TemporaryObject match(run(ObjectReadObject, {object(matches_), text("Item"), TypedValue::ofInt(n - 1)}));
    std::string value = takeText(run(ObjectReadText, {match.value(), text("Value")}));
    if (position != nullptr)
        *position = positionOf(subjectText(), value, run(ObjectReadNumber, {match.value(), text("FirstIndex")}).asDouble());
    return value;
}

std::string RegexHelper::GetSubmatchText(int32_t n, int32_t m, int32_t* position) const
{
    if (builtIn_) {
        const RegexMatch* match = builtInMatch(builtIn_->matches, n);
        if (match == nullptr || m < 1 || static_cast<size_t>(m) > match->groups.size()) return {};
        const auto& group = match->groups[static_cast<size_t>(m - 1)];
        const std::string& subject = builtIn_->subject;
        std::string value = group ? subject.substr(group->offset, group->length) : std::string{};
        if (position != nullptr) *position = positionOf(subject, value, static_cast<double>(match->characterIndex));
        return value;
    }
    const TemporaryObject match(run(ObjectReadObject, {object(matches_), text("Item"), TypedValue::ofInt(n - 1)}));
    const TemporaryObject submatches(run(ObjectReadObject, {match.value(), text("SubMatches")}));
    std::string value = takeText(run(ObjectReadText, {submatches.value(), text("Item"), TypedValue::ofInt(m - 1)}));
    if (position != nullptr)
        *position = positionOf(subjectText(), value, run(ObjectReadNumber, {match.value(), text("FirstIndex")}).asDouble());
    return value;
}

int32_t RegexHelper::GetSubmatchCount() const
{
    if (builtIn_) return builtIn_->matches.empty() ? 0 : static_cast<int32_t>(builtIn_->engine->groupCount());
    const TemporaryObject first(run(ObjectReadObject, {object(matches_), text("Item"), TypedValue::ofInt(0)}));
    const TemporaryObject submatches(run(ObjectReadObject, {first.value(), text("SubMatches")}));
    return static_cast<int32_t>(run(ObjectReadNumber, {submatches.value(), text("Count")}).asDouble());
}

}  // namespace tessaly::program
