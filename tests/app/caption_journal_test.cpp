// The journal of a change to both caption files reads back as the pair it
// was written from, and nothing else reads as a pending change.
#include <gtest/gtest.h>

#include "app/caption_journal.h"

namespace tessaly::program {
namespace {

TEST(CaptionJournal, APairReadsBackAndAnythingElseIsNothingPending)
{
    // Texts that look like the journal's own header do not confuse it.
    const CaptionFiles pair{"12\r\n字幕\r\n", "3\r\n*-ZPMek-*"};
    const auto read = readJournal(journalText(pair));
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->captions, pair.captions);
    EXPECT_EQ(read->configuration, pair.configuration);
    const auto empty = readJournal(journalText({"", ""}));
    ASSERT_TRUE(empty.has_value());
    EXPECT_EQ(empty->captions, "");

    const std::string whole = journalText(pair);
    for (const std::string& broken : {std::string{}, std::string("\r\nabc"), std::string("x3\r\nabc"),
                                      whole.substr(0, 8), std::string("99999999999999999999\r\n")})
        EXPECT_FALSE(readJournal(broken).has_value()) << broken;
}

}  // namespace
}  // namespace tessaly::program
