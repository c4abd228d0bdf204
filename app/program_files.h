// The three files beside the executable, and the entries of the settings
// file "\程序.ini": four sections, each with the single key "值".
#pragma once

#include <string>

namespace tessaly::program {

std::string captionsFilePath();  // "\字幕.ini": one caption text per line
std::string configFilePath();    // "\配置.ini": one configuration line per caption
std::string settingsFilePath();  // "\程序.ini": the program's settings
std::string journalFilePath();   // "\字幕-未完成.ini": a change to both caption files, while it is written

namespace SettingsSection {
inline const std::string Transparency = "透明度";
inline const std::string ScrollSpeed = "滚动速度";
inline const std::string HideHotkey = "隐藏快捷键";
inline const std::string ShowHotkey = "显示快捷键";
}  // namespace SettingsSection

inline const std::string NoHotkey = "无";

std::string readSetting(const std::string& section, const std::string& fallback);
// A value the file cannot take waits in memory (and reads back from there);
// the user is told once.
void writeSetting(const std::string& section, const std::string& value);
// Writes the values that wait; true when none waits any more.
bool writeWaitingSettings();

}  // namespace tessaly::program
