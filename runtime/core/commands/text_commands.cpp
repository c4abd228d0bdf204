// Text commands: lengths, cuts and searches over GBK byte strings. Positions
// are 1-based byte positions; searches step over double-byte characters.
#include <algorithm>
#include <cstring>

#include "runtime/core/commands/character_search.h"
#include "runtime/core/commands/command_arguments.h"
#include "runtime/core/commands/commands.h"
#include "runtime/core/memory.h"

namespace tessaly::commands {
namespace {

constexpr size_t NotFound = std::string_view::npos;

// A 1-based start position as a byte offset; absent or negative is 0.
size_t startOffset(const CommandArguments& a, int32_t index)
{
    if (!a.given(index)) return 0;
    const int64_t offset = static_cast<int64_t>(a.at(index).asInt()) - 1;
    return offset < 0 ? 0 : static_cast<size_t>(offset);
}

int32_t findText(std::string_view text, std::string_view sought, size_t start, LetterCase letterCase)
{
    if (start > 0 && start >= text.size()) return -1;
    if (sought.empty()) return text.size() > start ? 1 : -1;
    const size_t found = CharacterSearch(text, sought, letterCase).next(start);
    return found == NotFound ? -1 : static_cast<int32_t>(found + 1);
}

struct Replacement {
    std::string_view sought;
    std::string_view with;
    LetterCase letterCase;
    int64_t limit;  // negative never runs down to zero: no limit
};

// Hands the pieces of the replaced text to `emit` in order.
template <class Emit>
void walkReplacement(std::string_view text, size_t start, const Replacement& r, Emit&& emit)
{
    emit(text.substr(0, start));
    CharacterSearch search(text, r.sought, r.letterCase);
    size_t at = start;
    for (int64_t left = r.limit; left != 0;) {
        const size_t found = search.next(at);
        if (found == NotFound) {
            // The walk copies character by character; a lead byte that it
            // reaches as the very last byte has no partner and is dropped.
            const bool loneLead = r.sought.size() == 1 && at < text.size() &&
                                  opensDoubleByte(static_cast<unsigned char>(text.back())) &&
                                  walkVisits(text, at, text.size() - 1);
            emit(text.substr(at, text.size() - at - (loneLead ? 1 : 0)));
            return;
        }
        emit(text.substr(at, found - at));
        emit(r.with);
        at = found + r.sought.size();
        if (left > 0) --left;
    }
    emit(text.substr(at));
}

// Measures the result first and then fills one block, so a long text is
// copied once instead of through a growing buffer.
char* replaceFrom(std::string_view text, size_t start, const Replacement& r)
{
    size_t total = 0;
    walkReplacement(text, start, r, [&](std::string_view piece) { total += piece.size(); });
    if (total == 0) return nullptr;
    auto* out = static_cast<char*>(allocate(static_cast<intptr_t>(total) + 1));
    size_t filled = 0;
    walkReplacement(text, start, r, [&](std::string_view piece) {
        // An omitted replacement is an empty view with no data at all.
        if (piece.empty()) return;
        std::memcpy(out + filled, piece.data(), piece.size());
        filled += piece.size();
    });
    out[total] = '\0';
    return out;
}

// Hands each piece to `emit` in order: the bytes before each separator, then
// the non-empty rest unless the maximum (negative: none) was reached.
template <class Emit>
void walkPieces(std::string_view text, std::string_view separator, int64_t maximum, Emit&& emit)
{
    CharacterSearch search(text, separator, LetterCase::Exact);
    size_t cut = 0;
    for (int64_t pieces = 0; maximum < 0 || pieces < maximum; ++pieces) {
        const size_t found = search.next(cut);
        if (found == NotFound) {
            if (cut < text.size()) emit(text.substr(cut));
            return;
        }
        emit(text.substr(cut, found - cut));
        cut = found + separator.size();
    }
}

// One-dimensional text array; each element its own text block (null when empty).
class TextArrayBuilder {
public:
    explicit TextArrayBuilder(int32_t count)
        : block_(makeResultArray(count, sizeof(char*))), next_(arrayElements(block_).first) {}
    void add(std::string_view piece)
    {
        char* text = makeResultText(piece);
        std::memcpy(next_, &text, sizeof text);
        next_ += sizeof text;
    }
    void* block() const { return block_; }

private:
    void* block_;
    std::byte* next_;
};

// Counts the pieces first, so the array block is allocated once at its size.
void* splitText(std::string_view text, std::string_view separator, int64_t maximum)
{
    int32_t count = 0;
    walkPieces(text, separator, maximum, [&](std::string_view) { ++count; });
    TextArrayBuilder array(count);
    walkPieces(text, separator, maximum, [&](std::string_view piece) { array.add(piece); });
    return array.block();
}

}  // namespace

void TextLength(TypedValue* result, int32_t count, TypedValue* arguments)
{
    setIntResult(result, static_cast<int32_t>(CommandArguments(count, arguments).text(0).size()));
}

void LeftText(TypedValue* result, int32_t count, TypedValue* arguments)
{
    const CommandArguments a(count, arguments);
    const std::string_view text = a.text(0);
    const int32_t n = a.integer(1, 0);
    if (n > 0) setTextResult(result, text.substr(0, static_cast<size_t>(n)));
}

void RightText(TypedValue* result, int32_t count, TypedValue* arguments)
{
    const CommandArguments a(count, arguments);
    const std::string_view text = a.text(0);
    const int32_t n = a.integer(1, 0);
    if (n > 0) setTextResult(result, text.substr(text.size() - std::min(text.size(), static_cast<size_t>(n))));
}

void CharFromCode(TypedValue* result, int32_t count, TypedValue* arguments)
{
    const char code = static_cast<char>(CommandArguments(count, arguments).at(0).low & 0xFF);
    if (code != 0) setTextResult(result, std::string_view(&code, 1));
}

void FindText(TypedValue* result, int32_t count, TypedValue* arguments)
{
    const CommandArguments a(count, arguments);
    const LetterCase letterCase = a.given(3) && a.at(3).low == 1 ? LetterCase::Ignore : LetterCase::Exact;
    setIntResult(result, findText(a.text(0), a.text(1), startOffset(a, 2), letterCase));
}

void ReplaceSubtext(TypedValue* result, int32_t count, TypedValue* arguments)
{
    const CommandArguments a(count, arguments);
    const std::string_view text = a.text(0);
    const size_t start = startOffset(a, 3);
    const Replacement r{a.text(1), a.text(2), a.at(5).low != 0 ? LetterCase::Exact : LetterCase::Ignore,
                        a.given(4) ? a.at(4).asInt() : int64_t{-1}};
    if (text.empty() || r.sought.empty() || start >= text.size() || r.limit == 0) {
        setTextResult(result, text);
        return;
    }
    setPointerResult(result, replaceFrom(text, start, r));
}

void SplitText(TypedValue* result, int32_t count, TypedValue* arguments)
{
    const CommandArguments a(count, arguments);
    const std::string_view text = a.text(0);
    const std::string_view separator = a.given(1) ? a.text(1) : std::string_view(",");
    const int64_t maximum = a.given(2) ? std::max(a.at(2).asInt(), 0) : int64_t{-1};
    if (text.empty() || maximum == 0) {
        setPointerResult(result, makeResultArray(0, sizeof(char*)));
    } else if (separator.empty()) {
        TextArrayBuilder whole(1);
        whole.add(text);
        setPointerResult(result, whole.block());
    } else {
        setPointerResult(result, splitText(text, separator, maximum));
    }
}

}  // namespace tessaly::commands
