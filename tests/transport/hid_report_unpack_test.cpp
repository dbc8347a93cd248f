// Building report items from capabilities and filling them from received input reports.
#include <gtest/gtest.h>

#include "test_descriptors.h"
#include "transport/hid_report_items.h"

namespace velmora::transport::testing {
namespace {

using platform::HidpStatus;
using platform::HidReportType;

class ReportItemsTest : public ::testing::Test {
 protected:
  platform::HidPreparsedData preparsed = ParseFirstCollection(kTwoReportDescriptor);
  std::vector<HidReportItem> items = BuildReportItems(HidReportType::Input, preparsed);

  int Unpack(std::vector<uint8_t> report) {
    return UnpackInputReport(report, HidReportType::Input, items, preparsed);
  }
};

TEST_F(ReportItemsTest, ItemsFollowCapabilityOrderAndExpandValueRanges) {
  ASSERT_EQ(preparsed.ButtonCaps(HidReportType::Input).size(), 2u);
  ASSERT_EQ(items.size(), 2u + 1u + 1u + 3u);
  struct Expected {
    uint8_t isButton;
    uint32_t reportId;
    uint16_t usagePage;
    uint32_t first;  // usage min (buttons) or usage (values)
    uint32_t last;   // usage max (buttons)
  };
  const Expected expected[] = {
      {1, 1, 0x09, 1, 3}, {1, 1, 0x09, 4, 8}, {0, 1, 0x01, 0x30, 0},
      {0, 2, 0x01, 0x38, 0}, {0, 2, 0x01, 0x30, 0}, {0, 2, 0x01, 0x31, 0}, {0, 2, 0x01, 0x32, 0},
  };
  for (size_t i = 0; i < items.size(); ++i) {
    SCOPED_TRACE(i);
    const HidReportItem& item = items[i];
    EXPECT_EQ(item.isButton, expected[i].isButton);
    EXPECT_EQ(item.reportId, expected[i].reportId);
    EXPECT_EQ(item.usagePage, expected[i].usagePage);
    EXPECT_EQ(item.status, HidpStatus::Success);
    EXPECT_EQ(item.isDataSet, 0u);
    if (item.isButton) {
      EXPECT_EQ(item.button.usageMin, expected[i].first);
      EXPECT_EQ(item.button.usageMax, expected[i].last);
      EXPECT_EQ(item.button.maxUsageCount,
                platform::HidpMaxUsageListLength(HidReportType::Input, 0x09, preparsed));
      EXPECT_EQ(item.button.usages, std::vector<uint16_t>(item.button.maxUsageCount, 0));
    } else {
      EXPECT_EQ(item.value.usage, expected[i].first);
    }
  }
}

TEST_F(ReportItemsTest, RangedButtonItemsKeepOnlyTheirOwnUsages) {
  // Buttons 2, 3, 5 and 8 pressed; X = -2.
  ASSERT_EQ(Unpack({0x01, 0b1001'0110, 0xFE}), 1);
  const auto& low = items[0].button.usages;
  const auto& high = items[1].button.usages;
  using Usages = std::vector<uint16_t>;
  EXPECT_EQ(Usages(low.begin(), low.begin() + 3), (Usages{2, 3, 0}));
  EXPECT_EQ(Usages(high.begin(), high.begin() + 3), (Usages{5, 8, 0}));
  EXPECT_EQ(items[2].value.value, 0xFEu);
  for (size_t i = 0; i < 3; ++i) EXPECT_EQ(items[i].isDataSet, 1u) << i;
  for (size_t i = 3; i < items.size(); ++i) EXPECT_EQ(items[i].isDataSet, 0u) << i;
}

TEST_F(ReportItemsTest, ReportOfAnotherIdFillsOnlyItsItems) {
  ASSERT_EQ(Unpack({0x02, 0x05, 10, 20, 30}), 1);
  EXPECT_EQ(items[0].isDataSet, 0u);
  EXPECT_EQ(items[3].value.value, 5u);
  EXPECT_EQ(items[4].value.value, 10u);
  EXPECT_EQ(items[5].value.value, 20u);
  EXPECT_EQ(items[6].value.value, 30u);
}

TEST_F(ReportItemsTest, ReportIdMatchingNoItemLeavesItemsUnchanged) {
  ASSERT_EQ(Unpack({0x01, 0xFF, 0x10}), 1);
  const std::vector<HidReportItem> before = items;
  EXPECT_EQ(Unpack({0x07, 0x00, 0x00}), 1);
  for (size_t i = 0; i < items.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(items[i].isDataSet, before[i].isDataSet);
    EXPECT_EQ(items[i].button.usages, before[i].button.usages);
    EXPECT_EQ(items[i].value.value, before[i].value.value);
  }
}

TEST_F(ReportItemsTest, RefusedValueStopsAndYieldsZero) {
  items[2].value.usage = 0x99;  // not in report 1
  items.push_back(items[0]);    // a later item of report 1 is not reached
  EXPECT_EQ(Unpack({0x01, 0x01, 0x00}), 0);
  EXPECT_EQ(items[0].isDataSet, 1u);
  EXPECT_NE(items[2].status, HidpStatus::Success);
  EXPECT_EQ(items[2].isDataSet, 0u);
  EXPECT_EQ(items.back().isDataSet, 0u);
}

TEST_F(ReportItemsTest, EmptyOrShortReportsAreSafe) {
  EXPECT_EQ(Unpack({}), 0);
  // Report 1 cut after the id: the parser refuses the value rather than reading past it.
  EXPECT_EQ(Unpack({0x01}), 0);
}

TEST(ReportItemsFullList, FullUsageListIsNotZeroTerminated) {
  const auto preparsed = ParseFirstCollection(kEightButtonDescriptor);
  auto items = BuildReportItems(HidReportType::Input, preparsed);
  ASSERT_EQ(items.size(), 1u);
  ASSERT_EQ(items[0].button.maxUsageCount, 8u);
  const std::vector<uint8_t> all = {0x00, 0xFF};
  ASSERT_EQ(UnpackInputReport(all, HidReportType::Input, items, preparsed), 1);
  EXPECT_EQ(items[0].button.usages, (std::vector<uint16_t>{1, 2, 3, 4, 5, 6, 7, 8}));
  // Fewer pressed: packed to the front, one 0 after, the rest of the old list stays.
  const std::vector<uint8_t> two = {0x00, 0b0100'0001};
  ASSERT_EQ(UnpackInputReport(two, HidReportType::Input, items, preparsed), 1);
  EXPECT_EQ(items[0].button.usages, (std::vector<uint16_t>{1, 7, 0, 4, 5, 6, 7, 8}));
}

}  // namespace
}  // namespace velmora::transport::testing
