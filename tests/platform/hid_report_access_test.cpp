#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "hid_test_support.h"
#include "platform/hid_descriptor.h"

namespace velmora::platform {
namespace {

using ::testing::ElementsAre;
using testing::LoadDescriptor;

HidPreparsedData ParseOne(const std::vector<uint8_t>& bytes, size_t index = 0) {
  std::vector<HidPreparsedData> collections;
  EXPECT_TRUE(ParseReportDescriptor(bytes, collections));
  return collections.size() > index ? collections[index] : HidPreparsedData{};
}

struct UsagesResult {
  HidpStatus status;
  std::vector<uint16_t> usages;
};

UsagesResult GetUsages(const HidPreparsedData& pp, uint16_t page, std::vector<uint8_t> report,
                       uint32_t capacity = 16, uint16_t link = 0) {
  std::vector<uint16_t> list(capacity + 1, 0xBEEF);  // one guard entry past the capacity
  uint32_t length = capacity;
  const HidpStatus status = HidpGetUsages(HidReportType::Input, page, link, list.data(), &length, pp, report);
  EXPECT_EQ(list[capacity], 0xBEEF) << "written past the usage list";
  list.resize(std::min(length, capacity));
  return {status, list};
}

TEST(HidUsagesTest, ReadsVariableBitsThenArraySelectors) {
  const HidPreparsedData keyboard = ParseOne(LoadDescriptor("boot_keyboard"));
  EXPECT_EQ(HidpMaxUsageListLength(HidReportType::Input, 0x07, keyboard), 14u);
  EXPECT_EQ(HidpMaxUsageListLength(HidReportType::Output, 0, keyboard), 5u);
  // Left shift + right alt, keys 'a' and 'b'; 0x70 is past the logical maximum and ignored.
  const UsagesResult r = GetUsages(keyboard, 0x07, {0, 0x42, 0, 0x04, 0x05, 0x70, 0, 0, 0});
  EXPECT_EQ(r.status, HidpStatus::Success);
  EXPECT_THAT(r.usages, ElementsAre(0xE1, 0xE6, 0x04, 0x05));
}

TEST(HidUsagesTest, MapsSelectorsOfAnArrayWithSeveralRangesToTheirOwnRange) {
  const std::vector<uint8_t> descriptor = {0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x01, 0x25, 0x06,
                                           0x19, 0x01, 0x29, 0x03, 0x19, 0x10, 0x29, 0x12, 0x75, 0x08,
                                           0x95, 0x02, 0x81, 0x00, 0xC0};
  const HidPreparsedData pp = ParseOne(descriptor);
  ASSERT_EQ(pp.ButtonCaps(HidReportType::Input).size(), 2u);
  EXPECT_EQ(HidpMaxUsageListLength(HidReportType::Input, 0x0C, pp), 2u);  // shared selectors count once
  const UsagesResult r = GetUsages(pp, 0x0C, {0, 5, 2});
  EXPECT_EQ(r.status, HidpStatus::Success);
  EXPECT_THAT(r.usages, ElementsAre(0x02, 0x11));
}

TEST(HidUsagesTest, ShortListGetsWhatFitsAndLearnsTheLengthNeeded) {
  const HidPreparsedData keyboard = ParseOne(LoadDescriptor("boot_keyboard"));
  std::vector<uint16_t> list(3, 0);
  uint32_t length = 2;
  const std::vector<uint8_t> report = {0, 0x01, 0, 0x04, 0x05, 0, 0, 0, 0};
  EXPECT_EQ(HidpGetUsages(HidReportType::Input, 0x07, 0, list.data(), &length, keyboard, report),
            HidpStatus::BufferTooSmall);
  EXPECT_EQ(length, 3u);
  EXPECT_THAT(list, ElementsAre(0xE0, 0x04, 0));
}

struct RefusalCase {
  const char* what;
  uint16_t page;
  std::vector<uint8_t> report;
  HidpStatus status;
};

class HidUsagesRefusalTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(HidUsagesRefusalTest, ReportsTheWindowsStatus) {
  const HidPreparsedData keyboard = ParseOne(LoadDescriptor("composite"), 0);  // report id 1
  EXPECT_EQ(GetUsages(keyboard, GetParam().page, GetParam().report).status, GetParam().status);
}

const RefusalCase kRefusals[] = {
    {"other_report_id", 0x07, {3, 0, 0, 4, 0, 0, 0, 0, 0}, HidpStatus::IncompatibleReportId},
    {"page_not_in_collection", 0x09, {1, 0, 0, 4, 0, 0, 0, 0, 0}, HidpStatus::UsageNotFound},
    {"empty_report", 0x07, {}, HidpStatus::InvalidReportLength},
    {"report_cut_short", 0x07, {1, 0, 0, 4}, HidpStatus::InvalidReportLength},
};

INSTANTIATE_TEST_SUITE_P(Cases, HidUsagesRefusalTest, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.what); });

TEST(HidUsagesTest, FiltersByLinkCollection) {
  const HidPreparsedData mouse = ParseOne(LoadDescriptor("wheel_mouse"));
  EXPECT_THAT(GetUsages(mouse, 0x09, {0, 0x05, 0, 0, 0}, 16, 1).usages, ElementsAre(1, 3));
  EXPECT_EQ(GetUsages(mouse, 0x09, {0, 0x05, 0, 0, 0}, 16, 2).status, HidpStatus::UsageNotFound);
}

struct ValueCase {
  const char* what;
  const char* fixture;
  uint16_t page, usage;
  std::vector<uint8_t> report;
  HidpStatus rawStatus;
  uint32_t raw;
  HidpStatus scaledStatus;
  int32_t scaled;
};

// A report of `length` bytes: the report id, then `fill` everywhere.
std::vector<uint8_t> Filled(uint8_t id, uint8_t fill, size_t length) {
  std::vector<uint8_t> report(length, fill);
  report[0] = id;
  return report;
}

class HidValueTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(HidValueTest, ReadsRawAndScaledValues) {
  const ValueCase& c = GetParam();
  const HidPreparsedData pp = ParseOne(LoadDescriptor(c.fixture));
  uint32_t raw = 0xDEAD;
  int32_t scaled = -12345;
  EXPECT_EQ(HidpGetUsageValue(HidReportType::Input, c.page, 0, c.usage, &raw, pp, c.report), c.rawStatus);
  if (c.rawStatus == HidpStatus::Success) {
    EXPECT_EQ(raw, c.raw);
  }
  EXPECT_EQ(HidpGetScaledUsageValue(HidReportType::Input, c.page, 0, c.usage, &scaled, pp, c.report),
            c.scaledStatus);
  if (c.scaledStatus == HidpStatus::Success) {
    EXPECT_EQ(scaled, c.scaled);
  }
}

const ValueCase kValues[] = {
    {"signed_negative", "wheel_mouse", 0x01, 0x30, {0, 1, 0xFF, 5, 0x81}, HidpStatus::Success, 0xFF,
     HidpStatus::Success, -1},
    {"signed_positive", "wheel_mouse", 0x01, 0x31, {0, 1, 0xFF, 5, 0x81}, HidpStatus::Success, 5,
     HidpStatus::Success, 5},
    {"signed_minimum", "wheel_mouse", 0x01, 0x38, {0, 1, 0xFF, 5, 0x81}, HidpStatus::Success, 0x81,
     HidpStatus::Success, -127},
    {"outside_logical_range", "wheel_mouse", 0x01, 0x38, {0, 0, 0, 0, 0x80}, HidpStatus::Success, 0x80,
     HidpStatus::ValueOutOfRange, 0},
    {"usage_absent", "wheel_mouse", 0x01, 0x32, {0, 0, 0, 0, 0}, HidpStatus::UsageNotFound, 0,
     HidpStatus::UsageNotFound, 0},
    {"report_cut_short", "wheel_mouse", 0x01, 0x38, {0, 0, 0, 0}, HidpStatus::InvalidReportLength, 0,
     HidpStatus::InvalidReportLength, 0},
    {"value_array_first_element", "vendor_64", 0xFF1C, 0x01, Filled(6, 0x07, 65),
     HidpStatus::Success, 7, HidpStatus::Success, 7},
    {"value_wrong_report_id", "vendor_64", 0xFF1C, 0x01, Filled(5, 0x07, 65),
     HidpStatus::IncompatibleReportId, 0, HidpStatus::IncompatibleReportId, 0},
};

INSTANTIATE_TEST_SUITE_P(Cases, HidValueTest, ::testing::ValuesIn(kValues),
                         [](const auto& info) { return std::string(info.param.what); });

TEST(HidValueTest, ScalesToThePhysicalRangeAndRefusesImpossibleRanges) {
  // X: logical 0..255 -> physical 0..1000. Y: logical 0..-1 (a one-byte 0xFF maximum reads
  // as -1), which cannot be scaled but still reads raw.
  const std::vector<uint8_t> descriptor = {0x05, 0x01, 0x09, 0x04, 0xA1, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00,
                                           0x35, 0x00, 0x46, 0xE8, 0x03, 0x75, 0x08, 0x95, 0x01, 0x09, 0x30,
                                           0x81, 0x02, 0x25, 0xFF, 0x35, 0x00, 0x45, 0x00, 0x09, 0x31, 0x81,
                                           0x02, 0xC0};
  const HidPreparsedData pp = ParseOne(descriptor);
  int32_t scaled = 0;
  uint32_t raw = 0;
  for (auto [input, expected] : {std::pair{255, 1000}, {51, 200}, {0, 0}}) {
    const std::vector<uint8_t> report = {0, static_cast<uint8_t>(input), 0};
    ASSERT_EQ(HidpGetScaledUsageValue(HidReportType::Input, 1, 0, 0x30, &scaled, pp, report), HidpStatus::Success);
    EXPECT_EQ(scaled, expected) << input;
  }
  const std::vector<uint8_t> report = {0, 0, 0x9C};
  EXPECT_EQ(HidpGetScaledUsageValue(HidReportType::Input, 1, 0, 0x31, &scaled, pp, report),
            HidpStatus::BadLogPhyValues);
  EXPECT_EQ(HidpGetUsageValue(HidReportType::Input, 1, 0, 0x31, &raw, pp, report), HidpStatus::Success);
  EXPECT_EQ(raw, 0x9Cu);
}

TEST(HidValueTest, RefusesAReportTypeOutOfRange) {
  const HidPreparsedData mouse = ParseOne(LoadDescriptor("wheel_mouse"));
  uint32_t raw = 0;
  const std::vector<uint8_t> report(5, 0);
  EXPECT_EQ(HidpGetUsageValue(static_cast<HidReportType>(3), 1, 0, 0x30, &raw, mouse, report),
            HidpStatus::InvalidReportType);
  EXPECT_EQ(HidpMaxUsageListLength(static_cast<HidReportType>(-1), 0, mouse), 0u);
}

}  // namespace
}  // namespace velmora::platform
