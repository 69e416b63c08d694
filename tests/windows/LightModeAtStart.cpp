// Every window test program starts in the light mode, whatever an earlier
// test that crashed or was killed left in the prefix; a test that wants the
// dark mode sets it through an AppsMode of its own.
#include <gtest/gtest.h>

#include "AppsMode.h"

namespace {

class LightModeAtStart : public testing::Environment {
public:
  void SetUp() override { AppsMode::Set(false); }
};

testing::Environment* const g_lightModeAtStart = testing::AddGlobalTestEnvironment(new LightModeAtStart);

}  // namespace
