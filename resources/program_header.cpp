// The program's header: how the caption tool describes itself to the runtime.
#include "runtime/core/program_header.h"

#include "app/constant_data.h"
#include "app/program_entry.h"
#include "resources/libraries.h"
#include "resources/window_template_block.h"

namespace tessaly::program {
namespace {

constexpr uint32_t HighestIdentifier = 0x1b238;

// The nine functions the program calls by library and export name.
const char* const dllLibraryNames[] = {"gdi32.dll",  "user32.dll", "gdi32.dll",  "user32.dll", "user32.dll",
                                       "user32.dll", "user32.dll", "ole32.dll",  "ole32.dll"};
const char* const dllExportNames[] = {"CreateRoundRectRgn", "SetWindowRgn",   "DeleteObject",
                                      "GetClientRect",      "GetWindowLongA", "SetWindowLongA",
                                      "SetLayeredWindowAttributes", "CoInitialize", "CoUninitialize"};

const ProgramHeader header = {
    .mode = 3,
    .reserved = 0,
    .highestIdentifier = HighestIdentifier,
    .startRoutine = reinterpret_cast<StartRoutine>(program_thunks),
    .constantData = &constants,
    .constantDataSize = sizeof(ConstantData),
    .windowTemplates = windowTemplateBlock,
    .windowTemplateSize = windowTemplateBlockSize,
    .libraryCount = 4,
    .libraries = libraryTable,
    .dllCommandCount = 9,
    .dllLibraryNames = dllLibraryNames,
    .dllExportNames = dllExportNames,
};

}  // namespace
}  // namespace tessaly::program

extern "C" const tessaly::ProgramHeader* tessaly::programHeader() { return &program::header; }
