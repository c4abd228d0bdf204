// The program's regular-expression helper: search a subject with a pattern,
// replace the matches, read matches and sub-matches back as text with byte
// positions. It drives the system's "VBScript.RegExp" object through the
// object commands only; where that class no longer exists it answers from
// the built-in engine with the same rules.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/regex_engine.h"
#include "runtime/core/automation/automation_commands.h"

namespace tessaly::program {

// Tests use BuiltInOnly to run every case on the fallback engine too.
enum class RegexEngineChoice { SystemFirst, BuiltInOnly };

// Operations in the class's slot order: 0 destroy (destructor), 1 copy (copy
// constructor), 2 Search, 3 nothing, 4 GetPattern, 5 ReplaceMatches,
// 6 GetMatchCount, 7 GetMatchText, 8 GetSubmatchText, 9 GetSubmatchCount.
class RegexHelper {
public:
    // Empty references, the subject an integer variant 0, then CoInitialize(null).
    explicit RegexHelper(RegexEngineChoice choice = RegexEngineChoice::SystemFirst);
    // Releases both references, clears the subject, then CoUninitialize.
    ~RegexHelper();
    // Shares the expression and the matches, copies the subject.
    RegexHelper(const RegexHelper& other);
    RegexHelper& operator=(const RegexHelper&) = delete;

    bool Search(std::string_view pattern, std::string_view subject, bool caseSensitive = false, bool multiline = true,
                bool global = true, bool quoteNames = false);
    std::string GetPattern() const;
    std::string ReplaceMatches(std::string_view replacement) const;
    int32_t GetMatchCount() const;
    // n counts from 1; `position` receives the 0-based byte offset, -2 when not found.
    std::string GetMatchText(int32_t n, int32_t* position = nullptr) const;
    std::string GetSubmatchText(int32_t n, int32_t m, int32_t* position = nullptr) const;
    int32_t GetSubmatchCount() const;

    bool usesBuiltInEngine() const { return builtIn_ != nullptr; }

private:
    bool searchWithObject(const std::string& pattern, bool caseSensitive, bool multiline, bool global);
    bool searchBuiltIn(const std::string& pattern, std::string_view subject, bool caseSensitive, bool multiline,
                       bool global);
    std::string subjectText() const;
    bool ignoresCase() const;
    int32_t positionOf(std::string_view subject, const std::string& text, double firstIndex) const;

    // The fallback's state, shared between copies like the object references.
    // Its matches are offsets into its own copy of the subject: the subject
    // variant gives back other bytes where the text is not valid GBK.
    struct BuiltIn {
        std::unique_ptr<RegexEngine> engine;
        std::string pattern;
        bool ignoreCase = false;
        std::string subject;
        std::vector<RegexMatch> matches;
    };

    RegexEngineChoice choice_;
    ObjectBlock* expression_;
    ObjectBlock* matches_;
    void* subject_;  // a variant block
    std::shared_ptr<const BuiltIn> builtIn_;
};

}  // namespace tessaly::program
