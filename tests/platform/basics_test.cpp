#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

#include "platform/clock.h"
#include "platform/debug_output.h"
#include "platform/paths.h"

namespace velmora::platform {
namespace {

TEST(Clock, InjectedClockReplacesTheProcessClockForTheScope) {
  ManualClock manual(1000);
  {
    ScopedClockOverride use(manual);
    EXPECT_EQ(TickCountMs(), 1000u);
    SleepMs(250);
    EXPECT_EQ(TickCountMs(), 1250u);
  }
  EXPECT_NE(TickCountMs(), 1250u);
}

TEST(DebugOutput, CaptureSeesEveryTextFromAnyThread) {
  DebugCapture capture;
  DebugOutput("命令");
  std::thread t([] { DebugOutputF("%02x %02x", 4, 0xab); });
  t.join();
  EXPECT_TRUE(capture.Contains("命令"));
  EXPECT_TRUE(capture.Contains("04 ab"));
  EXPECT_EQ(capture.Lines().size(), 2u);
}

TEST(DebugOutput, NestedCaptureTakesTextsUntilItEnds) {
  DebugCapture outer;
  {
    DebugCapture inner;
    DebugOutput("inner");
    EXPECT_TRUE(inner.Contains("inner"));
  }
  DebugOutput("outer");
  EXPECT_FALSE(outer.Contains("inner"));
  EXPECT_TRUE(outer.Contains("outer"));
}

TEST(Paths, XdgVariablesWinOverHomeDefaults) {
  setenv("XDG_DATA_HOME", "/x/data", 1);
  setenv("XDG_CONFIG_HOME", "/x/config", 1);
  EXPECT_EQ(DataHome(), "/x/data");
  EXPECT_EQ(ConfigHome(), "/x/config");
  unsetenv("XDG_DATA_HOME");
  unsetenv("XDG_CONFIG_HOME");
  setenv("HOME", "/home/u", 1);
  EXPECT_EQ(DataHome(), "/home/u/.local/share");
  EXPECT_EQ(ConfigHome(), "/home/u/.config");
}

TEST(Paths, JoinPathUsesExactlyOneSeparator) {
  EXPECT_EQ(JoinPath("a", "b"), "a/b");
  EXPECT_EQ(JoinPath("a/", "b"), "a/b");
  EXPECT_EQ(JoinPath("a/", "/b"), "a/b");
  EXPECT_EQ(JoinPath("", "b"), "b");
}

TEST(Paths, PlainFileNamesRefuseSeparatorsAndParentReferences) {
  struct Case { const char* name; bool plain; } cases[] = {
      {"2026_12_11_10_00_00_001", true}, {"{A1B2}.Json", true}, {"", false}, {".", false},
      {"..", false}, {"../x", false}, {"a/b", false}, {"a\\b", false}, {"x..y", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsPlainFileName(c.name), c.plain) << c.name;
}

}  // namespace
}  // namespace velmora::platform
