// The records of the four command libraries the program links, as the
// runtime and other libraries read them.
#include <gtest/gtest.h>

#include "resources/libraries.h"

namespace tessaly::program {
namespace {

TEST(LibraryRecords, EachLibraryDeclaresItsDataTypesAndCommands)
{
    const uint32_t dataTypes[4] = {51, 11, 0, 0};
    // The application interface library: the font names, a unit's caption
    // measured, a message for the user, the Startup folder's shortcut, the
    // monitors and their changes, the screen's dots per inch, a file's
    // length, a write into a new file, the clock, the claim on the program
    // directory, and a file's removal.
    const uint32_t commands[4] = {54, 13, 0, 2};
    for (size_t i = 0; i < 4; ++i) {
        ASSERT_NE(libraryTable[i], nullptr);
        EXPECT_EQ(libraryTable[i]->formatMark, LibraryFormatMark) << i;
        EXPECT_EQ(libraryTable[i]->dataTypeCount, dataTypes[i]) << i;
        EXPECT_EQ(libraryTable[i]->commandCount, commands[i]) << i;
        EXPECT_NE(libraryTable[i]->notify, nullptr) << i;
    }
}

}  // namespace
}  // namespace tessaly::program
