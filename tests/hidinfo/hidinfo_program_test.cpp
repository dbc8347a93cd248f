// velmora-hidinfo run as a user runs it: its output and its exit codes.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "hidinfo/descriptor_report.h"
#include "sim/report_descriptors.h"

namespace velmora::hidinfo {
namespace {

struct ProgramRun {
  int exitCode = -1;
  std::string output;  // stdout and stderr together
};

ProgramRun RunProgram(const std::string& arguments) {
  ProgramRun run;
  const std::string command = std::string(VELMORA_HIDINFO_PROGRAM) + " " + arguments + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, n);
  const int status = pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

class HidinfoProgram : public ::testing::Test {
 protected:
  std::string WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) {
    const auto path = dir / name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    return path.string();
  }
  void SetUp() override { std::filesystem::create_directories(dir); }
  void TearDown() override { std::filesystem::remove_all(dir); }

  std::filesystem::path dir = std::filesystem::temp_directory_path() /
                              ("velmora-hidinfo-test-" + std::to_string(getpid()));
};

TEST_F(HidinfoProgram, DescriptorFileIsDecodedToStdout) {
  const auto descriptor = sim::CommandInterfaceDescriptor();
  std::string expected;
  ASSERT_TRUE(DescribeDescriptor(descriptor, expected));
  const ProgramRun run = RunProgram("--descriptor " + WriteFile("interface1.bin", descriptor));
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.output, expected);
}

TEST_F(HidinfoProgram, UnreadableMalformedOrMisusedInputExitsWithTwo) {
  struct Case {
    const char* name;
    std::string arguments;
    const char* message;
  };
  const Case cases[] = {
      {"missing file", "--descriptor " + (dir / "absent.bin").string(), "cannot read"},
      {"a folder", "--descriptor " + dir.string(), "cannot read"},
      {"empty file", "--descriptor " + WriteFile("empty.bin", {}), "not a valid HID report descriptor"},
      {"cut item", "--descriptor " + WriteFile("cut.bin", {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x27, 0xFF}),
       "not a valid HID report descriptor"},
      {"random bytes", "--descriptor " + WriteFile("noise.bin", {0xFE, 0x33, 0x00, 0x91, 0xC0, 0xC0, 0xFF}),
       "not a valid HID report descriptor"},
      {"no file named", "--descriptor", "usage:"},
      {"unknown option", "--frobnicate", "usage:"},
  };
  for (const auto& c : cases) {
    const ProgramRun run = RunProgram(c.arguments);
    EXPECT_EQ(run.exitCode, 2) << c.name << ": " << run.output;
    EXPECT_NE(run.output.find(c.message), std::string::npos) << c.name << ": " << run.output;
  }
}

TEST_F(HidinfoProgram, SimulateListsTheElevenSupportedInterfaces) {
  const ProgramRun run = RunProgram("--simulate");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  for (int row = 0; row < 11; ++row) {
    EXPECT_NE(run.output.find("supported=row " + std::to_string(row) + " ("), std::string::npos) << row;
  }
  EXPECT_NE(run.output.find("# simulated: 26 interfaces, 11 supported"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("#vid_320f&pid_505b&mi_01&col04 vendor=0x320f product=0x505b interface=1 "
                            "collection=4 usage_page=0xff1c usage=0x0092 input_len=64 output_len=64 "
                            "feature_len=0 access=read-write supported=row 0 (keyboard, command)"),
            std::string::npos)
      << run.output;
  EXPECT_NE(run.output.find("#vid_0c76&pid_1630&mi_03 vendor=0x0c76 product=0x1630 interface=3 collection=0 "
                            "usage_page=0x000c usage=0x0001 input_len=64 output_len=64 feature_len=0 "
                            "access=read-write supported=row 10 (headset, command)"),
            std::string::npos)
      << run.output;
}

}  // namespace
}  // namespace velmora::hidinfo
