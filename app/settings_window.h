// The settings window: the caption list with its check marks and operation
// menu, the buttons that add captions and reveal the settings, the
// transparency slider and the scroll speed. While it is open the captions
// stand still and can be dragged.
#pragma once

namespace tessaly::program {

void settingsCreated();
void settingsClosing();
void toggleSettings();
void transparencyChanged();
void speedChanged();
void checkChanged();
void operationMenu();
void editCaption();
void deleteCaption();
void addCaption();

}  // namespace tessaly::program
