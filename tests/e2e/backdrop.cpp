// Every end-to-end test program lays a desktop of one colour under the tool's
// windows before any tool starts: the screen then tells which captions show.
#include <gtest/gtest.h>

#include <memory>

#include "tests/e2e/screen_image.h"

namespace tessaly::e2e {
namespace {

class Backdrop final : public testing::Environment {
public:
    void SetUp() override { desktop_ = std::make_unique<Desktop>(BackdropColour); }
    void TearDown() override { desktop_.reset(); }

private:
    std::unique_ptr<Desktop> desktop_;
};

[[maybe_unused]] const testing::Environment* const backdrop = testing::AddGlobalTestEnvironment(new Backdrop);

}  // namespace
}  // namespace tessaly::e2e
