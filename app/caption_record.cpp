#include "app/caption_record.h"

#include <algorithm>

#include "app/caption_lines.h"
#include "app/text_calls.h"

namespace tessaly::program {
namespace {

// Every part of a configuration line: the split drops an empty part after a
// closing separator, and that part is the user's as much as any other.
std::vector<std::string> splitFields(const std::string& line)
{
    std::vector<std::string> parts = splitText(line, RecordSeparator);
    if (joinFields(parts) != line) parts.emplace_back();
    return parts;
}

}  // namespace

const std::array<std::string, KnownFieldCount>& newCaptionFields()
{
    static const std::array<std::string, KnownFieldCount> fields = {
        "宋体", "8", "16711680", "0", FalseText, "1", FalseText, "10", "10", FalseText, FalseText, "0", "0", "0",
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
    const std::vector<std::string> parts = splitFields(*configurationLine);
    const size_t kept = std::min(parts.size(), record.fields.size());
    for (size_t i = 0; i < kept; ++i) record.fields[i] = parts[i];
    record.laterParts.assign(parts.begin() + static_cast<std::ptrdiff_t>(kept), parts.end());
    const auto count = static_cast<int>(kept);
    record.fieldCount = count == EarlierFieldCount ? EarlierFieldCount : std::max(count, CurrentFieldCount);
    record.completed = count != EarlierFieldCount && count < CurrentFieldCount;
    return record;
}

std::string configurationLine(const CaptionRecord& record)
{
    std::vector<std::string> parts(record.fields.begin(), record.fields.begin() + record.fieldCount);
    parts.insert(parts.end(), record.laterParts.begin(), record.laterParts.end());
    return joinFields(parts);
}

int32_t captionEffect(const CaptionRecord& record)
{
    const std::string& effect = record.field(Field::Effect);
    if (effect == "1") return Effect::Shadow;
    if (effect == "2") return Effect::Outline;
    return Effect::None;
}

void fitEditedFieldCount(CaptionRecord& record)
{
    record.fieldCount = std::max(record.fieldCount, CurrentFieldCount);
    if (captionEffect(record) != Effect::None) record.fieldCount = EffectFieldCount;
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
    std::vector<std::string> fields = splitFields(line);
    if (fields.size() < static_cast<size_t>(n)) fields.resize(static_cast<size_t>(n));
    fields[static_cast<size_t>(n - 1)] = value;
    return joinFields(fields);
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
