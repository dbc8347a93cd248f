#include "profiles/json_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/debug_output.h"
#include "profiles/atomic_file.h"
#include "scratch_folder.h"

namespace velmora::profiles {
namespace {

using testing::ReadText;
using testing::ScratchFolder;
using testing::WriteText;

size_t FileCount(const std::string& folder) {
  size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
  return count;
}

struct ReadCase {
  const char* label;
  const char* content;  // nullptr: no file at all
  bool expectNull;
};

TEST(ReadJsonFileTest, NullForEveryUnusableFileAndTheRootOtherwise) {
  const ReadCase cases[] = {
      {"missing", nullptr, true},
      {"empty", "", true},
      {"invalid", "{\"a\": ", true},
      {"commented", "// profile\n{\"a\": 1 /* one */}\n", false},
      {"array root", "[1, 2]", false},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.label);
    ScratchFolder folder;
    const std::string path = folder.File("doc.Json");
    if (c.content != nullptr) WriteText(path, c.content);
    EXPECT_EQ(ReadJsonFile(path).isNull(), c.expectNull);
  }
}

TEST(ReadJsonFileTest, LogsTheErrorCodeOnEveryCallAndThePathOfAnEmptyFile) {
  ScratchFolder folder;
  const std::string missing = folder.File("missing.Json");
  const std::string present = folder.File("present.Json");
  WriteText(present, "{}");
  platform::DebugCapture capture;

  ReadJsonFile(missing);
  EXPECT_TRUE(capture.Contains("readjsonFile 错误吗：：2\n"));
  EXPECT_TRUE(capture.Contains(missing));

  capture.Clear();
  ReadJsonFile(present);
  EXPECT_EQ(capture.Lines(), std::vector<std::string>{"readjsonFile 错误吗：：0\n"});
}

TEST(WriteJsonFileTest, WritesStyledTextWithOneLineEndAndKeepsUtf8Bytes) {
  ScratchFolder folder;
  const std::string path = folder.File("doc.Json");
  Json::Value doc;
  doc["profilename"] = "配置 Ünïcode";
  doc["Device"][0]["LightInfo"]["Red"] = 255;

  ASSERT_EQ(WriteJsonFile(path, doc), kWriteOk);
  const std::string text = ReadText(path);
  EXPECT_NE(text.find("配置 Ünïcode"), std::string::npos) << "non-ASCII must not be escaped";
  EXPECT_NE(text.find("\n   \"profilename\""), std::string::npos) << "three-space indent";
  ASSERT_GE(text.size(), 2u);
  EXPECT_EQ(text.back(), '\n');
  EXPECT_NE(text[text.size() - 2], '\n');
  EXPECT_EQ(ReadJsonFile(path), doc);
}

TEST(WriteJsonFileTest, InterruptedWriteLeavesThePreviousFileAndNoTemporaryFile) {
  const AtomicWriteStep steps[] = {AtomicWriteStep::kOpen, AtomicWriteStep::kWrite,
                                   AtomicWriteStep::kSync, AtomicWriteStep::kRename};
  for (AtomicWriteStep step : steps) {
    SCOPED_TRACE(static_cast<int>(step));
    ScratchFolder folder;
    const std::string path = folder.File("doc.Json");
    const std::string old = "{\n   \"profilename\" : \"old\"\n}\n";
    WriteText(path, old);
    Json::Value doc;
    doc["profilename"] = std::string(5000, 'n');

    ScopedAtomicWriteFault fault(step);
    EXPECT_EQ(WriteJsonFile(path, doc), kWriteFailed);
    EXPECT_EQ(ReadText(path), old);
    EXPECT_EQ(FileCount(folder.Path()), 1u);
  }
}

TEST(WriteJsonFileTest, ReplacesTheFileWholeAndFailsInAMissingFolder) {
  ScratchFolder folder;
  const std::string path = folder.File("doc.Json");
  WriteText(path, std::string(10000, ' ') + "{}");
  Json::Value doc;
  doc["a"] = 1;
  ASSERT_EQ(WriteJsonFile(path, doc), kWriteOk);
  EXPECT_EQ(ReadText(path), StyledJsonText(doc));
  EXPECT_EQ(FileCount(folder.Path()), 1u);

  EXPECT_EQ(WriteJsonFile(folder.File("no/such/doc.Json"), doc), kWriteFailed);
}

TEST(WriteJsonFileTest, ReplacedFileKeepsItsPermissions) {
  ScratchFolder folder;
  const std::string path = folder.File("private.Json");
  WriteText(path, "{}");
  std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                         std::filesystem::perms::owner_write);
  ASSERT_EQ(WriteJsonFile(path, Json::Value(Json::objectValue)), kWriteOk);
  EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

}  // namespace
}  // namespace velmora::profiles
