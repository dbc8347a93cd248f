#include "hidinfo/interface_listing.h"

#include <gtest/gtest.h>

#include <memory>

#include "sim/simulated_machine.h"

namespace velmora::hidinfo {
namespace {

// The simulated machine as a system where the user lacks access to the device nodes: opening
// without access works, opening to read or write does not.
class NoAccessBackend : public platform::HidBackend {
 public:
  explicit NoAccessBackend(platform::HidBackend& inner) : inner_(inner) {}
  bool EnumeratePaths(std::vector<std::string>& paths) override { return inner_.EnumeratePaths(paths); }
  std::shared_ptr<platform::HidConnection> Open(const std::string& path, const platform::HidOpenFlags& flags) override {
    return flags.read || flags.write ? nullptr : inner_.Open(path, flags);
  }
  bool Exists(const std::string& path) override { return inner_.Exists(path); }

 private:
  platform::HidBackend& inner_;
};

class InterfaceListingTest : public ::testing::Test {
 protected:
  void SetUp() override { machine.Plug(sim::ProductKind::Headset); }
  sim::SimulatedMachine machine;
};

TEST_F(InterfaceListingTest, ListsIdentityCapabilitiesAccessAndTableRow) {
  std::vector<InterfaceInfo> interfaces;
  ASSERT_TRUE(ListInterfaces(*machine.Bus(), interfaces));
  ASSERT_EQ(interfaces.size(), 1u);
  EXPECT_EQ(FormatInterface(interfaces[0]),
            machine.Product(sim::ProductKind::Headset).CommandPath() +
                " vendor=0x0c76 product=0x1630 interface=3 collection=0 usage_page=0x000c usage=0x0001 "
                "input_len=64 output_len=64 feature_len=0 access=read-write supported=row 10 (headset, command)");
  EXPECT_FALSE(SupportedInterfaceDenied(interfaces));
}

TEST_F(InterfaceListingTest, ASupportedInterfaceWithoutAccessIsFlagged) {
  NoAccessBackend backend(*machine.Bus());
  std::vector<InterfaceInfo> interfaces;
  ASSERT_TRUE(ListInterfaces(backend, interfaces));
  ASSERT_EQ(interfaces.size(), 1u);
  EXPECT_NE(FormatInterface(interfaces[0]).find(" access=denied supported=row 10 "), std::string::npos);
  EXPECT_TRUE(SupportedInterfaceDenied(interfaces));
}

TEST_F(InterfaceListingTest, AnInterfaceThatDoesNotOpenIsSaidSo) {
  InterfaceInfo gone;
  gone.path = "/dev/hidraw9#vid_320f&pid_505b&mi_01&col04";
  EXPECT_EQ(FormatInterface(gone), gone.path + " cannot be opened");
  EXPECT_FALSE(SupportedInterfaceDenied({gone})) << "a row is matched only on an interface that opened";
}

}  // namespace
}  // namespace velmora::hidinfo
