// A suite whose tests share one running tool, started once on captions of
// the suite's choosing and ended through its tray menu after the last test.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/caption_files.h"
#include "tests/e2e/tool_driver.h"

namespace tessaly::e2e {

// `Suite` only keeps each suite's tool apart from the others'.
template <class Suite>
class SharedToolSuite : public testing::Test {
protected:
    // `settings` is the text of "程序.ini", if the suite needs one.
    static void startTool(const std::vector<StoredCaption>& captions, const std::string& settings = {})
    {
        directory_ = std::make_unique<ProgramDirectory>();
        if (!settings.empty()) directory_->write(SettingsFile, settings);
        writeCaptions(*directory_, captions);
        tool_ = std::make_unique<ToolProcess>(*directory_);
    }
    static void TearDownTestSuite()
    {
        if (tool_) tool_->exitFromTray();
        tool_.reset();
        directory_.reset();
    }

    static inline std::unique_ptr<ProgramDirectory> directory_;
    static inline std::unique_ptr<ToolProcess> tool_;
};

}  // namespace tessaly::e2e
