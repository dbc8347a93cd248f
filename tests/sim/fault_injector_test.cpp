#include "sim/fault_injector.h"

#include <gtest/gtest.h>

namespace velmora::sim {
namespace {

TEST(FaultInjector, AFaultHitsAsManyMatchingRequestsAsItsCountThenLapses) {
  FaultInjector faults;
  faults.Inject(Fault::ErrorStatus(0xFE).Times(2));
  EXPECT_EQ(faults.Take(0x01)->status, 0xFE);
  EXPECT_EQ(faults.Take(0x05)->status, 0xFE);
  EXPECT_FALSE(faults.Take(0x01));
  EXPECT_FALSE(faults.Pending());
}

TEST(FaultInjector, ACommandFaultIgnoresOtherCommandsAndSkipsTheFirstMatches) {
  FaultInjector faults;
  faults.Inject(Fault::UnplugBeforeReply().OnCommand(0x09).After(2));
  EXPECT_FALSE(faults.Take(0x01));
  EXPECT_FALSE(faults.Take(0x09));
  EXPECT_FALSE(faults.Take(0x09));
  auto hit = faults.Take(0x09);
  ASSERT_TRUE(hit);
  EXPECT_EQ(hit->kind, FaultKind::UnplugBeforeReply);
  EXPECT_FALSE(faults.Take(0x09));
}

TEST(FaultInjector, FaultsApplyInTheOrderInjected) {
  FaultInjector faults;
  faults.Inject(Fault::NoReply().OnCommand(0x02));
  faults.Inject(Fault::StallWrite());
  EXPECT_EQ(faults.Take(0x01)->kind, FaultKind::StallWrite);
  EXPECT_EQ(faults.Take(0x02)->kind, FaultKind::NoReply);
  faults.Inject(Fault::FailWrite().Times(0));
  EXPECT_FALSE(faults.Pending());
}

TEST(FaultInjector, ClearDropsEveryPlannedFault) {
  FaultInjector faults;
  faults.Inject(Fault::FailWrite().Times(5));
  faults.Clear();
  EXPECT_FALSE(faults.Take(0x01));
}

}  // namespace
}  // namespace velmora::sim
