// A small regular-expression engine over GBK text, standing in for the
// system's regular-expression object where that object no longer exists. It
// follows the object's rules for the syntax it accepts: literals, ".",
// classes with ranges and \d \w \s, anchors with the multi-line rule, \b,
// capturing and non-capturing groups, alternation, and greedy or lazy
// quantifiers. Patterns outside that subset are rejected, like a pattern the
// object refuses. Matching is a backtracking search that remembers which
// (instruction, position) pairs already failed, so it stays polynomial.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly::program {

struct RegexOptions {
    bool ignoreCase = false;
    bool multiline = false;
    bool global = false;
};

// Byte offsets into the subject; a group that did not take part is absent.
struct RegexSpan {
    size_t offset = 0;
    size_t length = 0;
};

struct RegexMatch {
    RegexSpan whole;
    size_t characterIndex = 0;  // of the match, counting a double-byte character once
    std::vector<std::optional<RegexSpan>> groups;
};

class RegexEngine {
public:
    // Null when the pattern is malformed or uses syntax outside the subset.
    static std::unique_ptr<RegexEngine> compile(std::string_view pattern, RegexOptions options);
    ~RegexEngine();

    // Every match (the first only unless global), left to right.
    std::vector<RegexMatch> execute(std::string_view subject) const;
    // Replaces the matches; the replacement may name $1..$99, $&, $`, $' and $$.
    std::string replace(std::string_view subject, std::string_view replacement) const;
    size_t groupCount() const;

    struct Program;

private:
    explicit RegexEngine(std::unique_ptr<Program> program);
    std::unique_ptr<Program> program_;
};

}  // namespace tessaly::program
