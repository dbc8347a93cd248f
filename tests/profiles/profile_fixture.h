#pragma once

#include <gtest/gtest.h>

#include <string>

#include "scratch_folder.h"

namespace velmora::profiles::testing {

// Loads an entry, given as JSON text, into a profile document object through a real file.
template <typename Profile>
class ProfileFixture : public ::testing::Test {
 protected:
  void LoadEntry(const std::string& entryText) {
    WriteText(path(), R"({"Device": [)" + entryText + "]}");
    profile.SetProfilePath(path());
    profile.ReadEntry(path());
  }
  // The document on disk after saving the current entry.
  Json::Value Saved() {
    EXPECT_EQ(profile.SaveCurrentEntry(), 0);
    return ParseText(ReadText(path()))["Device"][0];
  }
  std::string path() const { return folder.File("profile.Json"); }

  ScratchFolder folder;
  Profile profile;
};

}  // namespace velmora::profiles::testing
