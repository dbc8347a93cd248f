#include "platform/hid_descriptor.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "hid_test_support.h"

namespace velmora::platform {
namespace {

using ::testing::ElementsAreArray;
using testing::DescribeAll;
using testing::LoadDescriptor;

struct FixtureCase {
  const char* name;
  std::vector<std::string> expected;
};

class DescriptorFixtureTest : public ::testing::TestWithParam<FixtureCase> {};

TEST_P(DescriptorFixtureTest, YieldsTheCapabilitiesWindowsReports) {
  const FixtureCase& c = GetParam();
  const std::vector<uint8_t> bytes = LoadDescriptor(c.name);
  ASSERT_FALSE(bytes.empty()) << c.name;
  std::vector<HidPreparsedData> collections;
  ASSERT_TRUE(ParseReportDescriptor(bytes, collections));
  EXPECT_THAT(DescribeAll(collections), ElementsAreArray(c.expected));
}

const FixtureCase kFixtures[] = {
    {"boot_keyboard",
     {"collection 1 usage_page=0x0001 usage=0x0006 input_len=9 output_len=2 feature_len=0 links=1",
      "  input button usage_page=0x0007 report_id=0 usages=0x00e0-0x00e7 range link=0 index=0-7 at=0 size=1 count=8",
      "  input button usage_page=0x0007 report_id=0 usages=0x0000-0x0065 range link=0 index=8-109 at=16 size=8 "
      "count=6 array",
      "  output button usage_page=0x0008 report_id=0 usages=0x0001-0x0005 range link=0 index=0-4 at=0 size=1 "
      "count=5"}},
    {"wheel_mouse",
     {"collection 1 usage_page=0x0001 usage=0x0002 input_len=5 output_len=0 feature_len=0 links=2",
      "  input button usage_page=0x0009 report_id=0 usages=0x0001-0x0005 range link=1 index=0-4 at=0 size=1 count=5",
      "  input value usage_page=0x0001 usage=0x0030 report_id=0 bits=8 count=1 logical=-127..127 physical=0..0 "
      "relative link=1 index=5 at=8",
      "  input value usage_page=0x0001 usage=0x0031 report_id=0 bits=8 count=1 logical=-127..127 physical=0..0 "
      "relative link=1 index=6 at=16",
      "  input value usage_page=0x0001 usage=0x0038 report_id=0 bits=8 count=1 logical=-127..127 physical=0..0 "
      "relative link=1 index=7 at=24"}},
    {"consumer_control",
     {"collection 1 usage_page=0x000c usage=0x0001 input_len=3 output_len=0 feature_len=0 links=1",
      "  input button usage_page=0x000c report_id=0 usages=0x0000-0x03ff range link=0 index=0-1023 at=0 size=16 "
      "count=1 array"}},
    {"vendor_64",
     {"collection 1 usage_page=0xff1c usage=0x0092 input_len=65 output_len=65 feature_len=0 links=1",
      "  input value usage_page=0xff1c usage=0x0001 report_id=6 bits=8 count=64 logical=0..255 physical=0..0 "
      "link=0 index=0 at=0",
      "  output value usage_page=0xff1c usage=0x0001 report_id=6 bits=8 count=64 logical=0..255 physical=0..0 "
      "link=0 index=0 at=0"}},
    {"composite",
     {"collection 1 usage_page=0x0001 usage=0x0006 input_len=9 output_len=2 feature_len=0 links=1",
      "  input button usage_page=0x0007 report_id=1 usages=0x00e0-0x00e7 range link=0 index=0-7 at=0 size=1 count=8",
      "  input button usage_page=0x0007 report_id=1 usages=0x0000-0x00ff range link=0 index=8-263 at=16 size=8 "
      "count=6 array",
      "  output button usage_page=0x0008 report_id=1 usages=0x0001-0x0005 range link=0 index=0-4 at=0 size=1 "
      "count=5",
      "collection 2 usage_page=0x000c usage=0x0001 input_len=2 output_len=0 feature_len=0 links=1",
      "  input button usage_page=0x000c report_id=2 usages=0x00e9-0x00e9 link=0 index=0-0 at=0 size=1 count=1",
      "  input button usage_page=0x000c report_id=2 usages=0x00ea-0x00ea link=0 index=1-1 at=1 size=1 count=1",
      "  input button usage_page=0x000c report_id=2 usages=0x00e2-0x00e2 link=0 index=2-2 at=2 size=1 count=1",
      "  input button usage_page=0x000c report_id=2 usages=0x00cd-0x00cd link=0 index=3-3 at=3 size=1 count=1",
      "collection 3 usage_page=0x0001 usage=0x0080 input_len=2 output_len=0 feature_len=0 links=1",
      "  input button usage_page=0x0001 report_id=3 usages=0x0081-0x0083 range link=0 index=0-2 at=0 size=2 "
      "count=1 array",
      "collection 4 usage_page=0xff1c usage=0x0092 input_len=0 output_len=0 feature_len=17 links=1",
      "  feature value usage_page=0xff1c usage=0x0001 report_id=4 bits=8 count=16 logical=0..255 physical=0..0 "
      "link=0 index=0 at=0"}},
};

INSTANTIATE_TEST_SUITE_P(Fixtures, DescriptorFixtureTest, ::testing::ValuesIn(kFixtures),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DescriptorParserTest, CountsCapabilitiesDataIndicesAndReportIds) {
  std::vector<HidPreparsedData> keyboard, composite;
  ASSERT_TRUE(ParseReportDescriptor(LoadDescriptor("boot_keyboard"), keyboard));
  ASSERT_TRUE(ParseReportDescriptor(LoadDescriptor("composite"), composite));
  const HidpCaps& caps = keyboard.at(0).Caps();
  EXPECT_EQ(caps.numberInputButtonCaps, 2);
  EXPECT_EQ(caps.numberInputValueCaps, 0);
  EXPECT_EQ(caps.numberInputDataIndices, 110);
  EXPECT_EQ(caps.numberOutputButtonCaps, 1);
  EXPECT_EQ(caps.numberOutputDataIndices, 5);
  EXPECT_EQ(caps.numberFeatureButtonCaps + caps.numberFeatureValueCaps, 0);
  EXPECT_FALSE(keyboard[0].UsesReportIds());
  EXPECT_TRUE(keyboard[0].HasReportId(0));
  EXPECT_FALSE(keyboard[0].HasReportId(1));

  ASSERT_EQ(composite.size(), 4u);
  for (uint8_t id = 1; id <= 4; ++id) {
    const HidPreparsedData& pp = composite[id - 1];
    EXPECT_EQ(pp.ReportIds(), std::vector<uint8_t>{id});
    EXPECT_TRUE(pp.HasReportId(id));
    EXPECT_FALSE(pp.HasReportId(0));
  }
  EXPECT_EQ(composite[1].Caps().numberInputButtonCaps, 4);
  EXPECT_EQ(composite[3].Caps().numberFeatureValueCaps, 1);
  EXPECT_EQ(composite[3].Caps().numberFeatureDataIndices, 1);
}

// Push/pop of globals, a 4-byte usage carrying its own page, a long item, a delimiter set
// (only its first usage counts) and physical extents.
TEST(DescriptorParserTest, HandlesPushPopExtendedUsagesLongItemsAndDelimiters) {
  const std::vector<uint8_t> descriptor = {
      0x05, 0x01, 0x09, 0x04, 0xA1, 0x01,                                // joystick
      0xA4, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x35, 0x00, 0x46, 0xE8, 0x03,  // push; 0..255 -> 0..1000
      0x75, 0x08, 0x95, 0x01, 0x09, 0x30, 0x81, 0x02,                    // X
      0xB4,                                                              // pop
      0x15, 0xF6, 0x25, 0x0A, 0x75, 0x08, 0x95, 0x01,                    // -10..10
      0x0B, 0x31, 0x00, 0x01, 0x00, 0x81, 0x02,                          // Y as 0x00010031
      0xFE, 0x02, 0x00, 0xAA, 0xBB,                                      // long item
      0xA9, 0x01, 0x09, 0x32, 0x09, 0x35, 0xA9, 0x00,                    // delimiter: Z | Rz
      0x15, 0x00, 0x25, 0x7F, 0x81, 0x02,                                // Z
      0x05, 0x09, 0x0B, 0xE9, 0x00, 0x0C, 0x00,                          // consumer usage on page 9
      0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x01, 0x81, 0x02,        // one bit
      0x75, 0x07, 0x81, 0x03,                                            // padding
      0xC0};
  std::vector<HidPreparsedData> collections;
  ASSERT_TRUE(ParseReportDescriptor(descriptor, collections));
  EXPECT_THAT(
      DescribeAll(collections),
      ElementsAreArray<std::string>(
          {"collection 1 usage_page=0x0001 usage=0x0004 input_len=5 output_len=0 feature_len=0 links=1",
           "  input button usage_page=0x000c report_id=0 usages=0x00e9-0x00e9 link=0 index=3-3 at=24 size=1 count=1",
           "  input value usage_page=0x0001 usage=0x0030 report_id=0 bits=8 count=1 logical=0..255 "
           "physical=0..1000 link=0 index=0 at=0",
           "  input value usage_page=0x0001 usage=0x0031 report_id=0 bits=8 count=1 logical=-10..10 "
           "physical=0..0 link=0 index=1 at=8",
           "  input value usage_page=0x0001 usage=0x0032 report_id=0 bits=8 count=1 logical=0..127 "
           "physical=0..0 link=0 index=2 at=16"}));
}

// Every value of a multi-usage variable item gets its own capability; surplus fields go
// to the last usage.
TEST(DescriptorParserTest, SplitsVariableItemsPerUsageWithTheLastTakingTheRest) {
  const std::vector<uint8_t> descriptor = {0x05, 0x01, 0x09, 0x05, 0xA1, 0x01, 0x09, 0x30, 0x09, 0x31,
                                           0x15, 0x00, 0x26, 0xFF, 0x0F, 0x75, 0x0C, 0x95, 0x04, 0x81,
                                           0x02, 0xC0};
  std::vector<HidPreparsedData> collections;
  ASSERT_TRUE(ParseReportDescriptor(descriptor, collections));
  const auto values = collections.at(0).ValueCaps(HidReportType::Input);
  ASSERT_EQ(values.size(), 2u);
  EXPECT_EQ(values[0].usageMin, 0x30);
  EXPECT_EQ(values[0].reportCount, 1);
  EXPECT_EQ(values[0].field.bitOffset, 0u);
  EXPECT_EQ(values[1].usageMin, 0x31);
  EXPECT_EQ(values[1].reportCount, 3);
  EXPECT_EQ(values[1].field.bitOffset, 12u);
  EXPECT_EQ(collections[0].Caps().inputReportByteLength, 1 + 6);
}

// A short usage takes the usage page in force at its main item, even one set after it.
TEST(DescriptorParserTest, ShortUsagesTakeThePageInForceAtTheMainItem) {
  const std::vector<uint8_t> descriptor = {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x19, 0x01, 0x29, 0x03,
                                           0x05, 0x09, 0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x03,
                                           0x81, 0x02, 0x75, 0x05, 0x95, 0x01, 0x81, 0x01, 0xC0};
  std::vector<HidPreparsedData> collections;
  ASSERT_TRUE(ParseReportDescriptor(descriptor, collections));
  EXPECT_EQ(collections.at(0).Caps().usagePage, 0x0001);
  const auto buttons = collections[0].ButtonCaps(HidReportType::Input);
  ASSERT_EQ(buttons.size(), 1u);
  EXPECT_EQ(buttons[0].usagePage, 0x0009);
  EXPECT_EQ(buttons[0].usageMin, 1);
  EXPECT_EQ(buttons[0].usageMax, 3);
}

struct MalformedCase {
  const char* what;
  std::vector<uint8_t> bytes;
};

class MalformedDescriptorTest : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedDescriptorTest, IsRefusedWithNoCollections) {
  std::vector<HidPreparsedData> collections(1);
  EXPECT_FALSE(ParseReportDescriptor(GetParam().bytes, collections));
  EXPECT_TRUE(collections.empty());
}

const MalformedCase kMalformed[] = {
    {"truncated_item", {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x26, 0xFF}},
    {"truncated_long_item", {0x05, 0x01, 0xFE, 0x05, 0x00, 0x01}},
    {"unclosed_collection", {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02}},
    {"end_without_collection", {0x05, 0x01, 0xC0}},
    {"pop_without_push", {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0xB4, 0xC0}},
    {"data_outside_collection", {0x75, 0x08, 0x95, 0x01, 0x81, 0x02}},
    {"report_id_zero", {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x85, 0x00, 0xC0}},
    {"huge_report_count",
     {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x75, 0x20, 0x96, 0xFF, 0xFF, 0x09, 0x01, 0x81, 0x02, 0xC0}},
    {"report_size_beyond_16_bits",
     {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x77, 0x00, 0x00, 0x01, 0x00, 0x95, 0x01, 0x81, 0x03, 0xC0}},
    {"usage_range_backwards",
     {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x19, 0x10, 0x29, 0x01, 0x75, 0x01, 0x95, 0x01, 0x81, 0x02, 0xC0}},
    {"nested_delimiter", {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0xA9, 0x01, 0xA9, 0x01, 0xC0}},
    {"delimiter_open_at_main_item", {0x05, 0x01, 0xA9, 0x01, 0x09, 0x06, 0xA1, 0x01, 0xC0}},
    {"data_indices_overflow",
     {0x05, 0x07, 0x09, 0x06, 0xA1, 0x01, 0x19, 0x00, 0x2A, 0xFF, 0xFF, 0x19, 0x00, 0x2A, 0xFF, 0xFF, 0x75,
      0x08, 0x95, 0x01, 0x81, 0x00, 0xC0}},
};

INSTANTIATE_TEST_SUITE_P(Cases, MalformedDescriptorTest, ::testing::ValuesIn(kMalformed),
                         [](const auto& info) { return std::string(info.param.what); });

TEST(DescriptorParserTest, AcceptsEmptyDescriptorsAndTrailingZeroBytes) {
  std::vector<HidPreparsedData> collections;
  EXPECT_TRUE(ParseReportDescriptor({}, collections));
  EXPECT_TRUE(collections.empty());
  std::vector<uint8_t> padded = LoadDescriptor("wheel_mouse");
  padded.insert(padded.end(), {0x00, 0x00, 0x00});
  ASSERT_TRUE(ParseReportDescriptor(padded, collections));
  EXPECT_EQ(collections.size(), 1u);
}

}  // namespace
}  // namespace velmora::platform
