// Every end-to-end test program lays a desktop of one colour under the tool's
// windows before any tool starts: the screen then tells which captions show.
#include <gtest/gtest.h>

#include <memory>

#include "tests/e2e/screen_image.h"

namespace tessaly::e2e {
namespace {

std::unique_ptr<Desktop> laid;

class Backdrop final : public testing::Environment {
public:
    void SetUp() override { laid = std::make_unique<Desktop>(BackdropColour); }
    void TearDown() override { laid.reset(); }
};

[[maybe_unused]] const testing::Environment* const backdrop = testing::AddGlobalTestEnvironment(new Backdrop);

}  // namespace

Desktop& backdrop() { return *laid; }

}  // namespace tessaly::e2e
