#include "app/caption_record.h"

#include "app/caption_lines.h"
#include "app/text_calls.h"

namespace tessaly::program {

const std::array<std::string, CurrentFieldCount>& newCaptionFields()
{
    static const std::array<std::string, CurrentFieldCount> fields = {
        "宋体", "8", "16711680", "0", FalseText, "1", FalseText, "10", "10", FalseText, FalseText, "0",
    };
    return fields;
}

CaptionRecord readCaptionRecord(const std::string& caption, const std::optional<std::string>& configurationLine)
{
    CaptionRecord record;
    record.text = caption;
    record.fields = newCaptionFields();
    if (!configurationLine) {
        record.completed = true;
        return record;
    }
    const std::vector<std::string> parts = splitText(*configurationLine, RecordSeparator);
    const size_t kept = std::min(parts.size(), record.fields.size());
    for (size_t i = 0; i < kept; ++i) record.fields[i] = parts[i];
    record.fieldCount = parts.size() == EarlierFieldCount ? EarlierFieldCount : CurrentFieldCount;
    record.completed = parts.size() != EarlierFieldCount && parts.size() < CurrentFieldCount;
    return record;
}

std::string configurationLine(const CaptionRecord& record)
{
    return joinFields({record.fields.begin(), record.fields.begin() + record.fieldCount});
}

std::string joinFields(const std::vector<std::string>& fields)
{
    std::string line;
    for (size_t n = 0; n < fields.size(); ++n) {
        if (n != 0) line += RecordSeparator;
        line += fields[n];
    }
    return line;
}

std::string withField(const std::string& line, int n, const std::string& value)
{
    std::vector<std::string> fields = splitText(line, RecordSeparator);
    if (fields.size() < static_cast<size_t>(n)) fields.resize(static_cast<size_t>(n));
    fields[static_cast<size_t>(n - 1)] = value;
    return joinFields(fields);
}

std::vector<std::string> completedConfigLines(const std::string& configText, const std::vector<CaptionRecord>& records,
                                              std::vector<std::string>& unpaired)
{
    std::vector<std::string> lines = splitLines(configText);
    if (lines.size() > records.size()) unpaired.assign(lines.begin() + static_cast<std::ptrdiff_t>(records.size()), lines.end());
    lines.resize(records.size());
    for (size_t i = 0; i < records.size(); ++i)
        if (records[i].completed) lines[i] = configurationLine(records[i]);
    return lines;
}

std::string listEntryText(const CaptionRecord& record)
{
    if (record.field(Field::Scrolls) == FalseText) return record.text + " (不滚动)";
    const std::string& direction = record.field(Field::Direction);
    if (direction == "1") return record.text + " (左到右)";
    if (direction == "2") return record.text + " (右到左)";
    if (direction == "3") return record.text + " (上到下)";
    if (direction == "4") return record.text + " (下到上)";
    // Such a caption stands still, and the list says so.
    return record.text + " (不滚动)";
}

bool ToLogical(const std::string& text) { return text == TrueText; }

}  // namespace tessaly::program
