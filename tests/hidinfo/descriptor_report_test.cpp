#include "hidinfo/descriptor_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/report_descriptors.h"

namespace velmora::hidinfo {
namespace {

TEST(DescribeDescriptor, DecodesCollectionsAndCapabilitiesInTheStableForm) {
  struct Case {
    const char* name;
    std::vector<uint8_t> descriptor;
    std::string text;
  };
  const Case cases[] = {
      {"boot keyboard", sim::BootKeyboardDescriptor(),
       "collection 1 usage_page=0x0001 usage=0x0006 input_len=9 output_len=2 feature_len=0\n"
       "  input button usage_page=0x0007 report_id=0 usages=0x00e0-0x00e7\n"
       "  input button usage_page=0x0007 report_id=0 usages=0x0000-0x0065\n"
       "  output button usage_page=0x0008 report_id=0 usages=0x0001-0x0005\n"},
      {"boot mouse: one value per usage, after the buttons", sim::BootMouseDescriptor(),
       "collection 1 usage_page=0x0001 usage=0x0002 input_len=5 output_len=0 feature_len=0\n"
       "  input button usage_page=0x0009 report_id=0 usages=0x0001-0x0005\n"
       "  input value usage_page=0x0001 usage=0x0030 report_id=0 bits=8 count=1 logical=-127..127\n"
       "  input value usage_page=0x0001 usage=0x0031 report_id=0 bits=8 count=1 logical=-127..127\n"
       "  input value usage_page=0x0001 usage=0x0038 report_id=0 bits=8 count=1 logical=-127..127\n"},
      {"feature value with a report id",
       {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x07, 0x09, 0x02, 0x15, 0x00, 0x26,
        0xFF, 0x00, 0x75, 0x08, 0x95, 0x04, 0xB1, 0x02, 0xC0},
       "collection 1 usage_page=0xff00 usage=0x0001 input_len=0 output_len=0 feature_len=5\n"
       "  feature value usage_page=0xff00 usage=0x0002 report_id=7 bits=8 count=4 logical=0..255\n"},
  };
  for (const auto& c : cases) {
    std::string text;
    ASSERT_TRUE(DescribeDescriptor(c.descriptor, text)) << c.name;
    EXPECT_EQ(text, c.text) << c.name;
  }
}

TEST(DescribeDescriptor, ListsEveryTopLevelCollectionInDescriptorOrder) {
  std::string text;
  ASSERT_TRUE(DescribeDescriptor(sim::CommandInterfaceDescriptor(), text));
  std::vector<std::string> collectionLines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find('\n', start);
    const std::string line = text.substr(start, end - start);
    if (line.rfind("collection ", 0) == 0) collectionLines.push_back(line);
    start = end + 1;
  }
  EXPECT_EQ(collectionLines, (std::vector<std::string>{
                                 "collection 1 usage_page=0x0001 usage=0x0006 input_len=16 output_len=0 feature_len=0",
                                 "collection 2 usage_page=0x0001 usage=0x0080 input_len=2 output_len=0 feature_len=0",
                                 "collection 3 usage_page=0x000c usage=0x0001 input_len=3 output_len=0 feature_len=0",
                                 "collection 4 usage_page=0xff1c usage=0x0092 input_len=64 output_len=64 feature_len=0",
                             }));
  EXPECT_NE(text.find("  input button usage_page=0x000c report_id=3 usages=0x0001-0x1fff\n"), std::string::npos);
}

TEST(DescribeDescriptor, RefusesMalformedDescriptors) {
  const std::vector<std::vector<uint8_t>> malformed = {
      {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x26, 0xFF},  // item cut short
      {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x81, 0x02},  // collection never closed
      {0xC0},                                            // end without a collection
  };
  for (const auto& descriptor : malformed) {
    std::string text = "stale";
    EXPECT_FALSE(DescribeDescriptor(descriptor, text)) << descriptor.size();
    EXPECT_TRUE(text.empty());
  }
}

}  // namespace
}  // namespace velmora::hidinfo
