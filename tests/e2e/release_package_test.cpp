// The release package as a user gets it: unpacked into an empty folder
// (tests/e2e/unpack_release.cmake does that and names the folder in
// TESSALY_RELEASE_FOLDER) and the tool started there for the first time.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/e2e/tool_driver.h"

namespace tessaly::e2e {
namespace {

std::wstring releaseFolder()
{
    const char* folder = std::getenv("TESSALY_RELEASE_FOLDER");
    return folder == nullptr ? L"" : widen(folder);
}

// A string of the executable's version resource, in its one translation.
std::wstring versionString(const std::wstring& file, const std::wstring& name)
{
    DWORD ignored = 0;
    std::vector<char> data(GetFileVersionInfoSizeW(file.c_str(), &ignored));
    if (data.empty() || !GetFileVersionInfoW(file.c_str(), 0, static_cast<DWORD>(data.size()), data.data())) return {};
    void* value = nullptr;
    UINT length = 0;
    const std::wstring key = L"\\StringFileInfo\\080404b0\\" + name;
    if (!VerQueryValueW(data.data(), key.c_str(), &value, &length) || length == 0) return {};
    return static_cast<const wchar_t*>(value);
}

// The package's notes are UTF-8, as a Windows user's editor opens them.
std::wstring readNote(const ProgramDirectory& directory, const std::string& name)
{
    const std::string bytes = directory.read(name).value_or("");
    std::wstring wide(bytes.size(), L'\0');
    wide.resize(static_cast<size_t>(
        MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), static_cast<int>(wide.size()))));
    return wide;
}

TEST(ReleasePackage, HoldsTheGuideLicenceAndVersionAndItsToolRunsFirstTimeWithoutError)
{
    const std::wstring folder = releaseFolder();
    ASSERT_FALSE(folder.empty()) << "TESSALY_RELEASE_FOLDER names the unpacked package";
    ProgramDirectory directory(ExistingDirectory{folder});
    const std::string version = TESSALY_VERSION;
    EXPECT_EQ(versionString(directory.program(), L"ProductVersion"), widen(version));
    const std::wstring guide = readNote(directory, "README.txt");
    EXPECT_NE(guide.find(L"Tessaly字幕 " + widen(version)), std::wstring::npos);
    EXPECT_NE(guide.find(L"使用说明"), std::wstring::npos);
    EXPECT_NE(guide.find(L"User guide"), std::wstring::npos);
    EXPECT_NE(readNote(directory, "VERSION.txt").find(widen(version)), std::wstring::npos);
    EXPECT_NE(readNote(directory, "LICENSE.txt").find(L"libpng"), std::wstring::npos);
    ASSERT_FALSE(directory.exists(SettingsFile)) << "the folder is fresh";

    ToolProcess tool(directory);
    ASSERT_TRUE(tool.started());
    EXPECT_TRUE(tool.hasTrayIcon());
    EXPECT_EQ(awaitFile(directory, ConfigFile, ""), "");
    EXPECT_EQ(readSetting(directory, "透明度"), "255") << "the defaults written on the first run";
    EXPECT_EQ(messageBox(tool.id()), nullptr) << "no error";
    const HWND settings = tool.openSettings();
    ASSERT_NE(settings, nullptr);
    EXPECT_NE(findChild(settings, L"_QX_Label", "Tessaly字幕 " + version), nullptr) << "the about text";
    EXPECT_EQ(tool.exitFromTray(), 0u);
}

}  // namespace
}  // namespace tessaly::e2e
