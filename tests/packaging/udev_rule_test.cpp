// The udev rule must open the HID nodes of every supported product to the user at the seat,
// and nothing more.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "devices/supported_interfaces.h"

namespace {

std::vector<std::string> RuleLines() {
  std::ifstream in(std::string(VELMORA_SOURCE_DIR) + "/packaging/70-velmora-q7-pro.rules");
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line[0] != '#') lines.push_back(line);
  }
  return lines;
}

std::string ExpectedRule(uint16_t vendor, uint16_t product) {
  char rule[160];
  std::snprintf(rule, sizeof rule,
                "KERNEL==\"hidraw*\", ATTRS{idVendor}==\"%04x\", ATTRS{idProduct}==\"%04x\", TAG+=\"uaccess\"",
                vendor, product);
  return rule;
}

TEST(UdevRule, GrantsSeatAccessToEverySupportedProductsHidrawNodes) {
  const auto lines = RuleLines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front(), "SUBSYSTEM!=\"hidraw\", GOTO=\"velmora_q7_pro_end\"");
  EXPECT_EQ(lines.back(), "LABEL=\"velmora_q7_pro_end\"");
  std::set<std::pair<uint16_t, uint16_t>> products;
  for (const auto& entry : velmora::devices::SupportedInterfaces()) products.insert({entry.vendorId, entry.productId});
  EXPECT_EQ(products.size(), 6u);
  const std::set<std::string> rules(lines.begin() + 1, lines.end() - 1);
  std::set<std::string> expected;
  for (const auto& [vendor, product] : products) expected.insert(ExpectedRule(vendor, product));
  EXPECT_EQ(rules, expected) << "one uaccess rule per supported product, no other rule";
}

}  // namespace
