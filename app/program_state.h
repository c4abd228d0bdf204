// The caption tool's program-wide variables. The program owns them all; they
// are created by the entry routine and released by the exit routine.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/caption_record.h"
#include "app/kept_lines.h"
#include "app/store_state.h"
#include "app/unit_calls.h"

namespace tessaly::program {

struct ProgramState {
    // Whole content of the captions file as last read or written.
    std::string CaptionsText;
    int32_t CaptionCount = 0;
    // Entry i - 1 shows caption i. Fewer than CaptionCount when the window
    // system refused labels: the captions after the last label have none.
    std::vector<UnitRef> CaptionLabels;
    // Whole content of the configuration file.
    std::string ConfigText;
    // Row i - 1 is caption i.
    std::vector<CaptionRecord> CaptionRecords;
    int32_t HideHotkeyId = 0;
    int32_t ShowHotkeyId = 0;
    int32_t Transparency = 0;
    int32_t ScrollSpeed = 0;
    int32_t EditMode = 0;   // 0 the editor adds a caption, 1 it edits caption EditIndex
    int32_t EditIndex = 0;  // 1-based
    int32_t Dragging = 0;   // 1 while the left button is held on a caption
    int32_t DragIndex = 0;  // 1-based
    int32_t GrabOffsetX = 0;
    int32_t GrabOffsetY = 0;

    // Configuration lines no caption pairs with as they stand (kept_lines.h).
    KeptLines Kept;
    // What the store knows of its files (store_files.h).
    StoreState Store;
    // The window system refused a caption label, and the user has been told.
    bool ToldTooManyCaptions = false;
};

ProgramState& state();
void initialiseProgramState();
// Registered as the exit routine: frees the program's texts and tables.
void releaseProgramState();

}  // namespace tessaly::program
