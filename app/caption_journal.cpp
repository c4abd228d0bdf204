#include "app/caption_journal.h"

#include <charconv>

#include "app/caption_lines.h"

namespace tessaly::program {

std::string journalText(const CaptionFiles& files)
{
    return std::to_string(files.captions.size()) + LineBreak + files.captions + files.configuration;
}

std::optional<CaptionFiles> readJournal(const std::string& text)
{
    const size_t headerEnd = text.find(LineBreak);
    if (headerEnd == 0 || headerEnd == std::string::npos) return std::nullopt;
    size_t length = 0;
    const char* last = text.data() + headerEnd;
    const auto [end, error] = std::from_chars(text.data(), last, length);
    const size_t bodyAt = headerEnd + LineBreak.size();
    if (error != std::errc{} || end != last || length > text.size() - bodyAt) return std::nullopt;
    return CaptionFiles{text.substr(bodyAt, length), text.substr(bodyAt + length)};
}

}  // namespace tessaly::program
