#include "app/program_files.h"

#include "app/file_calls.h"

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
    return readIniText(settingsFilePath(), section, SettingsKey, fallback);
}

void writeSetting(const std::string& section, const std::string& value)
{
    writeIniText(settingsFilePath(), section, SettingsKey, value);
}

}  // namespace tessaly::program
