// The caption editor: one caption's text and look. In add mode it starts
// from its template's values, in edit mode from the caption's record; "确认"
// writes the caption into both caption files, reloads every caption and
// closes the editor. Closing it any other way discards what it holds.
#pragma once

#include <cstdint>

namespace tessaly::program {

void editorCreated();
void editorClosing();
// Fills the editor from caption k's record (edit mode).
void fillEditor(int32_t k);
void transparentClicked();
void scrollClicked();
void confirmCaption();

}  // namespace tessaly::program
