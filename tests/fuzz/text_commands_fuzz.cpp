// The text commands over any texts, numbers and omitted arguments. The
// search answers what a plain character-by-character walk answers, the
// split joins back to its text, and no command reads outside its texts.
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/core/commands/character_search.h"
#include "runtime/core/commands/commands.h"
#include "runtime/core/memory.h"
#include "runtime/core/value_blocks.h"
#include "tests/fuzz/command_calls.h"
#include "tests/fuzz/fuzz_input.h"

namespace tessaly {
namespace {

using fuzzing::call;
using fuzzing::check;
using fuzzing::takeText;

// Texts end at their first zero byte, as the program's texts do.
std::string textOf(std::string bytes) { return bytes.substr(0, bytes.find('\0')); }

TypedValue text(const std::string& characters) { return TypedValue::ofPointer(characters.c_str(), TypeCode::Text); }

// An integer argument, or an omitted one.
TypedValue integerOrOmitted(fuzzing::FuzzInput& input)
{
    const auto value = input.number<int32_t>();
    return input.choice(4) == 0 ? TypedValue::omitted() : TypedValue::ofInt(value);
}

std::vector<std::string> takeTexts(const TypedValue& result)
{
    void* block = result.pointer();
    const ArrayView elements = arrayElements(block);
    std::vector<std::string> texts;
    for (int64_t i = 0; i < elements.count; ++i) {
        char* element;
        std::memcpy(&element, elements.first + i * sizeof element, sizeof element);
        texts.emplace_back(element == nullptr ? "" : element);
        release(element);
    }
    release(block);
    return texts;
}

// The walk the search must agree with: one character at a time from the
// start, a byte with its top bit set opening a two-byte character.
int32_t walkedFind(std::string_view text, std::string_view sought, size_t start, bool ignoreCase)
{
    const auto same = [&](size_t at) {
        for (size_t i = 0; i < sought.size(); ++i) {
            const auto a = static_cast<unsigned char>(text[at + i]), b = static_cast<unsigned char>(sought[i]);
            if (ignoreCase ? foldAsciiCase(a) != foldAsciiCase(b) : a != b) return false;
        }
        return true;
    };
    for (size_t at = start; at + sought.size() <= text.size();
         at += opensDoubleByte(static_cast<unsigned char>(text[at])) ? 2 : 1) {
        if (same(at)) return static_cast<int32_t>(at + 1);
    }
    return -1;
}

void checkFind(const std::string& subject, const std::string& sought, int32_t start, bool ignoreCase)
{
    const int32_t found = call(commands::FindText, {text(subject), text(sought), TypedValue::ofInt(start),
                                                    TypedValue::ofInt(ignoreCase ? 1 : 0)})
                              .asInt();
    const size_t from = start > 1 ? static_cast<size_t>(start) - 1 : 0;
    if (sought.empty() || (from > 0 && from >= subject.size())) return;
    check(found == walkedFind(subject, sought, from, ignoreCase), "the search finds what the walk finds");
}

void checkSplit(const std::string& subject, const std::string& separator)
{
    const std::vector<std::string> pieces = takeTexts(call(commands::SplitText, {text(subject), text(separator)}));
    if (separator.empty() || subject.empty()) return;
    std::string joined;
    for (size_t i = 0; i < pieces.size(); ++i) joined += (i == 0 ? "" : separator) + pieces[i];
    // A separator at the very end makes no empty last piece.
    check(joined == subject || joined + separator == subject, "the pieces join back to the text");
}

}  // namespace
}  // namespace tessaly

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace tessaly;
    fuzzing::FuzzInput input(data, size);
    const std::string sought = textOf(input.piece());
    const std::string with = textOf(input.piece());
    const auto start = input.number<int32_t>();
    const TypedValue count = integerOrOmitted(input);
    const TypedValue limit = integerOrOmitted(input);
    const bool exact = input.choice(2) == 0;
    const std::string subject = textOf(input.rest());

    checkFind(subject, sought, start, !exact);
    checkSplit(subject, sought);
    (void)call(commands::TextLength, {text(subject)});
    (void)takeText(call(commands::LeftText, {text(subject), count}));
    (void)takeText(call(commands::RightText, {text(subject), count}));
    (void)takeText(call(commands::CharFromCode, {TypedValue{static_cast<uint32_t>(start), 0, TypeCode::Byte}}));
    (void)takeText(call(commands::ReplaceSubtext, {text(subject), text(sought), text(with), TypedValue::ofInt(start),
                                                   limit, TypedValue::ofBool(exact)}));
    (void)takeTexts(call(commands::SplitText, {text(subject), text(sought), limit}));
    return 0;
}
