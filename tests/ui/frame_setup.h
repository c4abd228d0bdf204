// Starting the runtime frame in a window test: a program header around a
// template block and a code base, the window layer plugged in, start-up run.
#pragma once

#include <cstdint>

#include "runtime/core/runtime_app.h"
#include "runtime/ui/window_layer.h"

namespace tessaly::ui::testing {

inline void startFrame(const uint8_t* block, uint32_t size, uintptr_t codeBase, uint32_t highestIdentifier)
{
    static const char* noNames[] = {nullptr};
    static ProgramHeader header{};
    header = {
        .mode = 3,
        .highestIdentifier = highestIdentifier,
        .startRoutine = reinterpret_cast<StartRoutine>(codeBase),
        .windowTemplates = block,
        .windowTemplateSize = size,
        .dllLibraryNames = noNames,
        .dllExportNames = noNames,
    };
    WindowLayer::instance().install();
    RuntimeApp::instance().setHeader(&header);
    RuntimeApp::instance().startUp();
}

}  // namespace tessaly::ui::testing
