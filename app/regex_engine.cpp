#include "app/regex_engine.h"

#include <algorithm>
#include <limits>
#include <unordered_set>

namespace tessaly::program {
namespace {

// A character of the subject: a single byte, or lead << 8 | trail.
using Code = uint32_t;

constexpr bool isLead(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

// The subject split into characters, with the byte offset of each.
struct Characters {
    std::vector<Code> codes;
    std::vector<size_t> offsets;  // one more than codes: the end
};

Characters decode(std::string_view text)
{
    Characters out;
    for (size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        out.offsets.push_back(i);
        if (isLead(c) && i + 1 < text.size()) {
            out.codes.push_back(Code{c} << 8 | static_cast<unsigned char>(text[i + 1]));
            i += 2;
        } else {
            out.codes.push_back(c);
            ++i;
        }
    }
    out.offsets.push_back(text.size());
    return out;
}

constexpr Code foldCase(Code c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }
constexpr Code otherCase(Code c)
{
    if (c >= 'A' && c <= 'Z') return c + ('a' - 'A');
    if (c >= 'a' && c <= 'z') return c - ('a' - 'A');
    return c;
}
constexpr bool isWordCode(Code c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}
constexpr bool isLineBreak(Code c) { return c == '\n' || c == '\r'; }

struct CharacterClass {
    std::vector<std::pair<Code, Code>> ranges;
    bool negated = false;

    bool contains(Code c, bool ignoreCase) const
    {
        bool found = inRanges(c) || (ignoreCase && inRanges(otherCase(c)));
        return found != negated;
    }
    bool inRanges(Code c) const
    {
        return std::any_of(ranges.begin(), ranges.end(), [c](auto r) { return c >= r.first && c <= r.second; });
    }
};

// Syntax tree.
struct Node {
    enum class Kind { Empty, Literal, Any, Class, Group, Concat, Alternation, Repeat, LineStart, LineEnd, WordBoundary, NotWordBoundary };
    Kind kind = Kind::Empty;
    Code code = 0;
    int classIndex = -1;
    int captureIndex = -1;  // Group: -1 for a non-capturing group
    int minimum = 0;
    int maximum = 0;  // Repeat: -1 for no limit
    bool greedy = true;
    std::vector<Node> children;
};

constexpr int MaximumRepeat = 1000;
constexpr size_t MaximumInstructions = 20000;

class Parser {
public:
    Parser(std::string_view pattern, std::vector<CharacterClass>& classes) : text_(decode(pattern).codes), classes_(classes) {}

    std::optional<Node> parse()
    {
        Node root = alternation();
        if (failed_ || position_ != text_.size()) return std::nullopt;
        return root;
    }
    int groups() const { return groups_; }

private:
    bool atEnd() const { return position_ >= text_.size(); }
    Code peek(size_t ahead = 0) const { return position_ + ahead < text_.size() ? text_[position_ + ahead] : 0; }
    Node fail()
    {
        failed_ = true;
        return {};
    }

    Node alternation()
    {
        Node first = concatenation();
        if (atEnd() || peek() != '|') return first;
        Node alternatives{Node::Kind::Alternation};
        alternatives.children.push_back(std::move(first));
        while (!atEnd() && peek() == '|') {
            ++position_;
            alternatives.children.push_back(concatenation());
        }
        return alternatives;
    }

    Node concatenation()
    {
        Node sequence{Node::Kind::Concat};
        while (!failed_ && !atEnd() && peek() != '|' && peek() != ')') sequence.children.push_back(repeat());
        return sequence;
    }

    Node repeat()
    {
        Node atom = this->atom();
        if (failed_ || atEnd()) return atom;
        int minimum = 0;
        int maximum = -1;
        switch (peek()) {
        case '*': ++position_; break;
        case '+': minimum = 1; ++position_; break;
        case '?': maximum = 1; ++position_; break;
        case '{':
            if (!bounds(minimum, maximum)) return atom;
            break;
        default: return atom;
        }
        if (atom.kind == Node::Kind::LineStart || atom.kind == Node::Kind::LineEnd ||
            atom.kind == Node::Kind::WordBoundary || atom.kind == Node::Kind::NotWordBoundary)
            return fail();
        Node repeated{Node::Kind::Repeat};
        repeated.minimum = minimum;
        repeated.maximum = maximum;
        if (!atEnd() && peek() == '?') {
            repeated.greedy = false;
            ++position_;
        }
        repeated.children.push_back(std::move(atom));
        return repeated;
    }

    // "{m}", "{m,}" or "{m,n}"; anything else leaves "{" a literal.
    bool bounds(int& minimum, int& maximum)
    {
        size_t p = position_ + 1;
        auto number = [&](int& value) {
            const size_t start = p;
            value = 0;
            while (p < text_.size() && text_[p] >= '0' && text_[p] <= '9') {
                value = std::min(value * 10 + static_cast<int>(text_[p] - '0'), MaximumRepeat + 1);
                ++p;
            }
            return p > start;
        };
        if (!number(minimum)) return false;
        maximum = minimum;
        if (p < text_.size() && text_[p] == ',') {
            ++p;
            if (!number(maximum)) maximum = -1;
        }
        if (p >= text_.size() || text_[p] != '}') return false;
        if (minimum > MaximumRepeat || maximum > MaximumRepeat || (maximum >= 0 && maximum < minimum)) {
            failed_ = true;
            return false;
        }
        position_ = p + 1;
        return true;
    }

    Node atom()
    {
        const Code c = peek();
        ++position_;
        switch (c) {
        case '.': return Node{Node::Kind::Any};
        case '^': return Node{Node::Kind::LineStart};
        case '$': return Node{Node::Kind::LineEnd};
        case '(': return group();
        case '[': return characterClass();
        case '\\': return escape();
        case '*':
        case '+':
        case '?':
        case ')': return fail();
        default: return literal(c);
        }
    }

    static Node literal(Code c)
    {
        Node node{Node::Kind::Literal};
        node.code = c;
        return node;
    }

    Node group()
    {
        Node node{Node::Kind::Group};
        if (peek() == '?') {
            if (peek(1) != ':') return fail();  // look-around is outside the subset
            position_ += 2;
        } else {
            node.captureIndex = ++groups_;
        }
        node.children.push_back(alternation());
        if (atEnd() || peek() != ')') return fail();
        ++position_;
        return node;
    }

    Node classNode(CharacterClass set)
    {
        Node node{Node::Kind::Class};
        node.classIndex = static_cast<int>(classes_.size());
        classes_.push_back(std::move(set));
        return node;
    }

    // The ranges of \d \w \s and their negations; false for other letters.
    static bool shorthand(Code letter, CharacterClass& set, bool& negated)
    {
        negated = letter == 'D' || letter == 'W' || letter == 'S';
        switch (letter) {
        case 'd':
        case 'D': set.ranges = {{'0', '9'}}; return true;
        case 'w':
        case 'W': set.ranges = {{'a', 'z'}, {'A', 'Z'}, {'0', '9'}, {'_', '_'}}; return true;
        case 's':
        case 'S': set.ranges = {{' ', ' '}, {'\t', '\r'}}; return true;
        default: return false;
        }
    }

    // The character an escape stands for, with position_ after the letter.
    std::optional<Code> escapedCode()
    {
        if (atEnd()) return std::nullopt;
        const Code letter = peek();
        ++position_;
        switch (letter) {
        case 'n': return Code{'\n'};
        case 'r': return Code{'\r'};
        case 't': return Code{'\t'};
        case 'f': return Code{'\f'};
        case 'v': return Code{'\v'};
        case '0': return Code{0};
        case 'x': {
            Code value = 0;
            for (int i = 0; i < 2; ++i) {
                const Code h = peek();
                const int digit = h >= '0' && h <= '9' ? static_cast<int>(h - '0')
                                  : (h | 0x20) >= 'a' && (h | 0x20) <= 'f' ? static_cast<int>((h | 0x20) - 'a' + 10)
                                                                           : -1;
                if (digit < 0) return Code{'x'};  // not a hexadecimal escape: the letter itself
                value = value * 16 + static_cast<Code>(digit);
                ++position_;
            }
            return value;
        }
        default:
            if (letter >= '1' && letter <= '9') return std::nullopt;  // back-references are outside the subset
            return letter;
        }
    }

    Node escape()
    {
        if (atEnd()) return fail();
        const Code letter = peek();
        if (letter == 'b' || letter == 'B') {
            ++position_;
            return Node{letter == 'b' ? Node::Kind::WordBoundary : Node::Kind::NotWordBoundary};
        }
        CharacterClass set;
        bool negated = false;
        if (shorthand(letter, set, negated)) {
            ++position_;
            set.negated = negated;
            return classNode(std::move(set));
        }
        const auto code = escapedCode();
        if (!code) return fail();
        return literal(*code);
    }

    Node characterClass()
    {
        CharacterClass set;
        if (peek() == '^') {
            set.negated = true;
            ++position_;
        }
        bool first = true;
        while (!atEnd() && (peek() != ']' || first)) {
            first = false;
            std::optional<Code> low = classMember(set);
            if (failed_) return {};
            if (!low) continue;  // a shorthand was added
            if (peek() == '-' && peek(1) != ']' && position_ + 1 < text_.size()) {
                ++position_;
                const std::optional<Code> high = classMember(set);
                if (failed_) return {};
                if (!high) {  // "a-\d": the dash is literal
                    set.ranges.push_back({*low, *low});
                    set.ranges.push_back({'-', '-'});
                    continue;
                }
                if (*high < *low) return fail();
                set.ranges.push_back({*low, *high});
            } else {
                set.ranges.push_back({*low, *low});
            }
        }
        if (atEnd()) return fail();
        ++position_;  // ']'
        return classNode(std::move(set));
    }

    // One member: a character, or a shorthand whose ranges go straight into the set.
    std::optional<Code> classMember(CharacterClass& set)
    {
        const Code c = peek();
        ++position_;
        if (c != '\\') return c;
        if (atEnd()) {
            failed_ = true;
            return std::nullopt;
        }
        CharacterClass inner;
        bool negated = false;
        if (shorthand(peek(), inner, negated)) {
            ++position_;
            if (negated) {
                failed_ = true;  // negated shorthands inside a class are outside the subset
                return std::nullopt;
            }
            set.ranges.insert(set.ranges.end(), inner.ranges.begin(), inner.ranges.end());
            return std::nullopt;
        }
        if (peek() == 'b') {
            ++position_;
            return Code{'\b'};
        }
        const auto code = escapedCode();
        if (!code) failed_ = true;
        return code;
    }

    std::vector<Code> text_;
    std::vector<CharacterClass>& classes_;
    size_t position_ = 0;
    int groups_ = 0;
    bool failed_ = false;
};

struct Instruction {
    enum class Op : uint8_t { Literal, Any, Class, Split, Jump, Save, LineStart, LineEnd, WordBoundary, NotWordBoundary, Match };
    Op op;
    Code code = 0;
    int32_t first = 0;   // Split: preferred branch; Jump: target; Class: index; Save: slot
    int32_t second = 0;  // Split: other branch
};

class Compiler {
public:
    explicit Compiler(std::vector<Instruction>& code) : code_(code) {}

    bool emit(const Node& node)
    {
        if (code_.size() > MaximumInstructions) return false;
        using K = Node::Kind;
        switch (node.kind) {
        case K::Empty: return true;
        case K::Literal: add({Instruction::Op::Literal, node.code}); return true;
        case K::Any: add({Instruction::Op::Any}); return true;
        case K::Class: add({Instruction::Op::Class, 0, node.classIndex}); return true;
        case K::LineStart: add({Instruction::Op::LineStart}); return true;
        case K::LineEnd: add({Instruction::Op::LineEnd}); return true;
        case K::WordBoundary: add({Instruction::Op::WordBoundary}); return true;
        case K::NotWordBoundary: add({Instruction::Op::NotWordBoundary}); return true;
        case K::Concat:
            for (const Node& child : node.children)
                if (!emit(child)) return false;
            return true;
        case K::Group: return group(node);
        case K::Alternation: return alternation(node);
        case K::Repeat: return repeat(node);
        }
        return false;
    }

private:
    int32_t here() const { return static_cast<int32_t>(code_.size()); }
    int32_t add(Instruction instruction)
    {
        code_.push_back(instruction);
        return here() - 1;
    }
    // Its branches are aimed once both are known.
    int32_t split() { return add({Instruction::Op::Split}); }
    // Points a split at (taken, skipped) in the order the greediness prefers.
    void aim(int32_t at, int32_t taken, int32_t skipped, bool greedy)
    {
        code_[static_cast<size_t>(at)].first = greedy ? taken : skipped;
        code_[static_cast<size_t>(at)].second = greedy ? skipped : taken;
    }

    bool group(const Node& node)
    {
        if (node.captureIndex < 0) return emit(node.children.front());
        add({Instruction::Op::Save, 0, node.captureIndex * 2});
        if (!emit(node.children.front())) return false;
        add({Instruction::Op::Save, 0, node.captureIndex * 2 + 1});
        return true;
    }

    bool alternation(const Node& node)
    {
        std::vector<int32_t> exits;
        for (size_t i = 0; i < node.children.size(); ++i) {
            const bool last = i + 1 == node.children.size();
            const int32_t fork = last ? -1 : split();
            if (!emit(node.children[i])) return false;
            if (!last) {
                exits.push_back(add({Instruction::Op::Jump}));
                aim(fork, fork + 1, here(), true);
            }
        }
        for (int32_t exit : exits) code_[static_cast<size_t>(exit)].first = here();
        return true;
    }

    bool repeat(const Node& node)
    {
        const Node& child = node.children.front();
        for (int i = 0; i < node.minimum; ++i)
            if (!emit(child)) return false;
        if (node.maximum < 0) {
            const int32_t fork = split();
            if (!emit(child)) return false;
            add({Instruction::Op::Jump, 0, fork});
            aim(fork, fork + 1, here(), node.greedy);
            return true;
        }
        std::vector<int32_t> forks;
        for (int i = node.minimum; i < node.maximum; ++i) {
            forks.push_back(split());
            if (!emit(child)) return false;
        }
        for (int32_t fork : forks) aim(fork, fork + 1, here(), node.greedy);
        return true;
    }

    std::vector<Instruction>& code_;
};

}  // namespace

struct RegexEngine::Program {
    std::vector<Instruction> code;
    std::vector<CharacterClass> classes;
    RegexOptions options;
    int groups = 0;
};

namespace {

// One search over one subject: the backtracking machine and its memory of
// (instruction, position) pairs that are known to fail.
class Matcher {
public:
    Matcher(const RegexEngine::Program& program, const std::vector<Code>& text)
        : program_(program), text_(text), width_(text.size() + 1),
          dense_(program.code.size() * width_ <= DenseLimit)
    {
        if (dense_) visited_.assign((program.code.size() * width_ + 63) / 64, 0);
    }

    // The capture slots (2 per group, group 0 the whole match) of the first match at or after `from`.
    std::optional<std::vector<size_t>> search(size_t from)
    {
        for (size_t start = from; start <= text_.size(); ++start) {
            if (auto slots = attempt(start)) {
                forgetVisits();  // the visits of a success are not failures
                return slots;
            }
        }
        return std::nullopt;
    }

private:
    static constexpr size_t Unset = std::numeric_limits<size_t>::max();

    struct Job {
        int32_t pc;
        size_t position;  // for a restore job: the slot's former value
        int32_t restoreSlot = -1;
    };

    // Long subjects with long patterns would need a huge table; they keep the
    // states they actually reach instead.
    static constexpr size_t DenseLimit = size_t{1} << 28;

    bool firstVisit(int32_t pc, size_t position)
    {
        const size_t bit = static_cast<size_t>(pc) * width_ + position;
        if (!dense_) return sparse_.insert(bit).second;
        uint64_t& word = visited_[bit / 64];
        const uint64_t mask = uint64_t{1} << (bit % 64);
        if ((word & mask) != 0) return false;
        word |= mask;
        touched_.push_back(bit / 64);
        return true;
    }

    void forgetVisits()
    {
        for (size_t word : touched_) visited_[word] = 0;
        touched_.clear();
        sparse_.clear();
    }

    bool equal(Code subject, Code wanted) const
    {
        return subject == wanted || (program_.options.ignoreCase && foldCase(subject) == foldCase(wanted));
    }

    bool atLineStart(size_t position) const
    {
        if (position == 0) return true;
        return program_.options.multiline && isLineBreak(text_[position - 1]);
    }
    bool atLineEnd(size_t position) const
    {
        if (position == text_.size()) return true;
        return program_.options.multiline && isLineBreak(text_[position]);
    }
    bool atWordBoundary(size_t position) const
    {
        const bool before = position > 0 && isWordCode(text_[position - 1]);
        const bool after = position < text_.size() && isWordCode(text_[position]);
        return before != after;
    }

    // Whether instruction `pc` lets the thread go on at `position` (consuming one character or none).
    bool step(const Instruction& instruction, size_t& position) const
    {
        using Op = Instruction::Op;
        const bool more = position < text_.size();
        switch (instruction.op) {
        case Op::Literal:
            if (!more || !equal(text_[position], instruction.code)) return false;
            ++position;
            return true;
        case Op::Any:
            if (!more || text_[position] == '\n') return false;
            ++position;
            return true;
        case Op::Class:
            if (!more || !program_.classes[static_cast<size_t>(instruction.first)].contains(text_[position], program_.options.ignoreCase))
                return false;
            ++position;
            return true;
        case Op::LineStart: return atLineStart(position);
        case Op::LineEnd: return atLineEnd(position);
        case Op::WordBoundary: return atWordBoundary(position);
        case Op::NotWordBoundary: return !atWordBoundary(position);
        default: return false;
        }
    }

    std::optional<std::vector<size_t>> attempt(size_t start)
    {
        std::vector<size_t> slots(static_cast<size_t>(program_.groups + 1) * 2, Unset);
        slots[0] = start;
        jobs_.assign(1, Job{0, start});
        auto& jobs = jobs_;
        while (!jobs.empty()) {
            Job job = jobs.back();
            jobs.pop_back();
            if (job.restoreSlot >= 0) {
                slots[static_cast<size_t>(job.restoreSlot)] = job.position;
                continue;
            }
            int32_t pc = job.pc;
            size_t position = job.position;
            while (firstVisit(pc, position)) {
                const Instruction& instruction = program_.code[static_cast<size_t>(pc)];
                using Op = Instruction::Op;
                if (instruction.op == Op::Match) {
                    slots[1] = position;
                    return slots;
                }
                if (instruction.op == Op::Split) {
                    jobs.push_back({instruction.second, position});
                    pc = instruction.first;
                } else if (instruction.op == Op::Jump) {
                    pc = instruction.first;
                } else if (instruction.op == Op::Save) {
                    const auto slot = static_cast<size_t>(instruction.first);
                    jobs.push_back({0, slots[slot], instruction.first});
                    slots[slot] = position;
                    ++pc;
                } else if (step(instruction, position)) {
                    ++pc;
                } else {
                    break;
                }
            }
        }
        return std::nullopt;
    }

    const RegexEngine::Program& program_;
    const std::vector<Code>& text_;
    size_t width_;
    bool dense_;
    std::vector<uint64_t> visited_;
    std::vector<size_t> touched_;
    std::unordered_set<size_t> sparse_;
    std::vector<Job> jobs_;  // kept to reuse its storage between start positions
};

void appendGroup(std::string& out, std::string_view subject, const RegexMatch& match, size_t group)
{
    if (group == 0) {
        out.append(subject.substr(match.whole.offset, match.whole.length));
    } else if (const auto& span = match.groups[group - 1]) {
        out.append(subject.substr(span->offset, span->length));
    }
}

// The replacement with its "$" references filled in for one match.
void expand(std::string& out, std::string_view subject, std::string_view replacement, const RegexMatch& match)
{
    for (size_t i = 0; i < replacement.size(); ++i) {
        const char c = replacement[i];
        const char next = i + 1 < replacement.size() ? replacement[i + 1] : '\0';
        if (c != '$' || next == '\0') {
            out.push_back(c);
            continue;
        }
        if (next == '$') {
            out.push_back('$');
        } else if (next == '&') {
            appendGroup(out, subject, match, 0);
        } else if (next == '`') {
            out.append(subject.substr(0, match.whole.offset));
        } else if (next == '\'') {
            out.append(subject.substr(match.whole.offset + match.whole.length));
        } else if (next >= '0' && next <= '9') {
            size_t group = static_cast<size_t>(next - '0');
            const char third = i + 2 < replacement.size() ? replacement[i + 2] : '\0';
            const size_t twoDigits = group * 10 + static_cast<size_t>(third - '0');
            if (third >= '0' && third <= '9' && twoDigits >= 1 && twoDigits <= match.groups.size()) {
                appendGroup(out, subject, match, twoDigits);
                i += 2;
                continue;
            }
            if (group < 1 || group > match.groups.size()) {
                out.push_back(c);
                continue;
            }
            appendGroup(out, subject, match, group);
        } else {
            out.push_back(c);
            continue;
        }
        ++i;
    }
}

}  // namespace

std::unique_ptr<RegexEngine> RegexEngine::compile(std::string_view pattern, RegexOptions options)
{
    auto program = std::make_unique<Program>();
    program->options = options;
    Parser parser(pattern, program->classes);
    const std::optional<Node> tree = parser.parse();
    if (!tree) return nullptr;
    program->groups = parser.groups();
    Compiler compiler(program->code);
    if (!compiler.emit(*tree)) return nullptr;
    program->code.push_back({Instruction::Op::Match});
    return std::unique_ptr<RegexEngine>(new RegexEngine(std::move(program)));
}

RegexEngine::RegexEngine(std::unique_ptr<Program> program) : program_(std::move(program)) {}
RegexEngine::~RegexEngine() = default;

size_t RegexEngine::groupCount() const { return static_cast<size_t>(program_->groups); }

std::vector<RegexMatch> RegexEngine::execute(std::string_view subject) const
{
    const Characters characters = decode(subject);
    Matcher matcher(*program_, characters.codes);
    auto span = [&](size_t from, size_t to) {
        return RegexSpan{characters.offsets[from], characters.offsets[to] - characters.offsets[from]};
    };
    std::vector<RegexMatch> matches;
    size_t from = 0;
    while (from <= characters.codes.size()) {
        const auto slots = matcher.search(from);
        if (!slots) break;
        RegexMatch match{span((*slots)[0], (*slots)[1]), (*slots)[0], {}};
        for (size_t g = 1; g <= groupCount(); ++g) {
            const size_t begin = (*slots)[g * 2];
            const size_t end = (*slots)[g * 2 + 1];
            if (begin <= end && end <= characters.codes.size()) match.groups.push_back(span(begin, end));
            else match.groups.push_back(std::nullopt);
        }
        matches.push_back(std::move(match));
        if (!program_->options.global) break;
        // An empty match moves the next search on by one character.
        from = (*slots)[1] > (*slots)[0] ? (*slots)[1] : (*slots)[1] + 1;
    }
    return matches;
}

std::string RegexEngine::replace(std::string_view subject, std::string_view replacement) const
{
    std::string out;
    size_t copied = 0;
    for (const RegexMatch& match : execute(subject)) {
        out.append(subject.substr(copied, match.whole.offset - copied));
        expand(out, subject, replacement, match);
        copied = match.whole.offset + match.whole.length;
    }
    out.append(subject.substr(copied));
    return out;
}

}  // namespace tessaly::program
