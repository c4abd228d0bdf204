// The journal of a change to both caption files. The two files cannot be
// replaced together in one step, so a change to both first goes whole into
// the journal beside them; a process that dies between the two writes
// leaves it there, and the next start writes the pair out before it reads
// the files. The journal's text: the captions text's byte count in decimal,
// CR LF, the captions text, then the configuration text. Empty: nothing is
// pending.
#pragma once

#include <optional>
#include <string>

namespace tessaly::program {

struct CaptionFiles {
    std::string captions;
    std::string configuration;
};

std::string journalText(const CaptionFiles& files);
// None for an empty journal and for any text that is not one whole journal.
std::optional<CaptionFiles> readJournal(const std::string& text);

}  // namespace tessaly::program
