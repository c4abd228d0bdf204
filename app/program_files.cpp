#include "app/program_files.h"

#include "app/file_calls.h"
#include "app/notices.h"
#include "app/program_state.h"

namespace tessaly::program {
namespace {

const std::string SettingsKey = "值";

}  // namespace

std::string captionsFilePath() { return runDirectory() + "\\字幕.ini"; }
std::string configFilePath() { return runDirectory() + "\\配置.ini"; }
std::string settingsFilePath() { return runDirectory() + "\\程序.ini"; }
std::string journalFilePath() { return runDirectory() + "\\字幕-未完成.ini"; }

std::string readSetting(const std::string& section, const std::string& fallback)
{
    const auto& waiting = state().Store.settings;
    if (const auto found = waiting.find(section); found != waiting.end()) return found->second;
    return readIniText(settingsFilePath(), section, SettingsKey, fallback);
}

void writeSetting(const std::string& section, const std::string& value)
{
    StoreState& store = state().Store;
    store.settings[section] = value;
    if (writeWaitingSettings() || store.toldSettingsUnwritable || store.ending) return;
    store.toldSettingsUnwritable = true;
    tellUser(unwritableNotice(settingsFilePath()));
}

bool writeWaitingSettings()
{
    auto& waiting = state().Store.settings;
    for (auto entry = waiting.begin(); entry != waiting.end();) {
        if (!writeIniText(settingsFilePath(), entry->first, SettingsKey, entry->second)) return false;
        entry = waiting.erase(entry);
    }
    return true;
}

}  // namespace tessaly::program
