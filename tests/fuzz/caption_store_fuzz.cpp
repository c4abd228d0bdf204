// The caption store's platform-free half over any two files: the loader's
// records, list entries and completed lines, the line routines and the
// regular-expression step of trimming line breaks. The two files must still
// pair line for line after every change the loader or a routine makes.
#include <optional>
#include <string>
#include <vector>

#include "app/caption_lines.h"
#include "app/caption_record.h"
#include "app/kept_lines.h"
#include "app/regex_engine.h"
#include "tests/fuzz/fuzz_input.h"

namespace tessaly::program {
namespace {

using fuzzing::check;

std::vector<CaptionRecord> loadRecords(const std::vector<std::string>& captions, const std::vector<std::string>& config)
{
    std::vector<CaptionRecord> records;
    for (size_t i = 0; i < captions.size(); ++i) {
        records.push_back(readCaptionRecord(captions[i], i < config.size() ? std::optional(config[i]) : std::nullopt));
        (void)listEntryText(records.back());
        (void)ToLogical(records.back().field(Field::Shown));
    }
    return records;
}

// Completion keeps every line that needs none, adds one for each caption
// without, and hands back the rest; written out, the lines read back as they are.
void checkCompletion(const std::string& configText, const std::vector<CaptionRecord>& records)
{
    const std::vector<std::string> config = splitLines(configText);
    std::vector<std::string> unpaired;
    const std::vector<std::string> completed = completedConfigLines(configText, records, unpaired);
    check(completed.size() == records.size(), "one configuration line per caption");
    check(unpaired.size() == (config.size() > records.size() ? config.size() - records.size() : 0), "the rest is unpaired");
    for (size_t i = 0; i < records.size(); ++i)
        if (!records[i].completed) check(completed[i] == config[i], "a line that needs no completion stays");
    for (size_t i = 0; i < unpaired.size(); ++i) check(unpaired[i] == config[records.size() + i], "unpaired lines in order");
    // Written out, they read back line for line: a line cut inside a
    // character before another line only loses its lone first byte.
    const std::vector<std::string> written = splitLines(joinLines(completed));
    check(written.size() == completed.size(), "completed lines read back line for line");
    for (size_t i = 0; i < written.size(); ++i)
        check(completed[i].starts_with(written[i]) && written[i].size() + 1 >= completed[i].size(), "lines read back");
}

// Routines on line n leave every line before it as it was.
void checkLineRoutines(const std::string& text, int32_t n, const std::string& line)
{
    const std::vector<std::string> lines = splitLines(text);
    const bool exists = n >= 1 && static_cast<size_t>(n) <= lines.size();
    check(GetLine(text, n) == (exists ? lines[static_cast<size_t>(n - 1)] : std::string{}), "GetLine answers line n");
    const std::string replaced = ReplaceLine(text, n, line);
    const std::string deleted = DeleteLine(text, n);
    if (!exists) {
        check(replaced == text && deleted == text, "no line n changes nothing");
        return;
    }
    for (int32_t i = 1; i < n; ++i) {
        check(GetLine(replaced, i) == lines[static_cast<size_t>(i - 1)], "ReplaceLine keeps the lines before");
        check(GetLine(deleted, i) == lines[static_cast<size_t>(i - 1)], "DeleteLine keeps the lines before");
    }
    (void)withField(line, 1 + n % CurrentFieldCount, text.substr(0, 16));
}

// The step of TrimLineBreaks that the regular expression takes.
void trimEmptyLines(const std::string& text)
{
    static const auto engine = RegexEngine::compile("(?:^\r|\n$)", {true, true, true});
    (void)engine->replace(trimOuterLineBreaks(text), "");
}

}  // namespace
}  // namespace tessaly::program

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace tessaly::program;
    tessaly::fuzzing::FuzzInput input(data, size);
    const auto n = static_cast<int32_t>(input.number<int8_t>());
    // The store's texts end at a zero byte, as every text of the program does.
    const auto text = [](std::string bytes) { return bytes.substr(0, bytes.find('\0')); };
    const std::string line = text(input.piece());
    const std::string captionsText = text(input.piece<uint16_t>());
    const std::string configText = text(input.rest());

    const std::vector<CaptionRecord> records = loadRecords(splitLines(captionsText), splitLines(configText));
    checkCompletion(configText, records);
    for (const CaptionRecord& record : records) (void)configurationLine(record);
    checkLineRoutines(captionsText, n, line);
    checkLineRoutines(configText, n, line);
    trimEmptyLines(captionsText + LineBreak + line);
    return 0;
}
