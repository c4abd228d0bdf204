#include "resources/libraries.h"

#include <algorithm>
#include <initializer_list>
#include <span>

#include "runtime/core/commands/command_tables.h"
#include "runtime/core/library_notify.h"
#include "runtime/ui/core_library.h"

namespace tessaly::program {
namespace {

LibraryInfo makeLibrary(const char* identifier, const char* name, std::initializer_list<uint32_t> version,
                        uint32_t flags, uint32_t dataTypeCount, std::span<const CommandEntry> commands,
                        NotifyEntry notify)
{
    LibraryInfo info;
    info.identifier = identifier;
    info.displayName = name;
    std::copy(version.begin(), version.end(), info.version);
    info.flags = flags;
    info.dataTypeCount = dataTypeCount;
    info.commandCount = static_cast<uint32_t>(commands.size());
    info.commands = commands.empty() ? nullptr : commands.data();
    info.notify = notify;
    return info;
}

// The counts say how many data types each library declares (its data type
// codes run from 1 to the count); the runtime finds the unit types among them
// through its own registry, so no record table is carried here.
const LibraryInfo core = makeLibrary("7A3C61E0B9D44F1E8C2A5D07F61B93C4", "Tessaly core library",
                                     {5, 7, 64, 3, 7, 3, 7}, 0xc0000001, 51, coreCommandTable, &ui::coreLibraryNotify);
const LibraryInfo applicationInterface = makeLibrary("2E9B04D7C18A4B6FA3E5710C9D26F8B1", "Tessaly application interface library",
                                                     {3, 1, 0, 3, 0, 3, 7}, 0, 11, applicationInterfaceCommandTable,
                                                     &applicationLibraryNotify);
const LibraryInfo specialFunction = makeLibrary("C54F2A9E3B7D41A08E6C1F93D2B7054A", "Tessaly special function library",
                                                {3, 1, 0, 3, 8, 3, 0}, 0xc0000000, 0, {}, &specialLibraryNotify);
const LibraryInfo extensionOne = makeLibrary("91D6E3B20F4C4A7D9B8E2C5A07F3D614", "Tessaly extension library one",
                                             {3, 0, 0, 3, 0, 3, 0}, 0, 0, extensionOneCommandTable, &extensionLibraryNotify);

}  // namespace

const LibraryInfo* const libraryTable[4] = {&core, &applicationInterface, &specialFunction, &extensionOne};

}  // namespace tessaly::program
