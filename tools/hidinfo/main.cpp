// velmora-hidinfo: shows the HID interfaces as VELMORA Q7 PRO sees them, so that a user
// whose device is not found can tell whether it is missing, unreadable or not recognised.

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "hidinfo/descriptor_report.h"
#include "hidinfo/interface_listing.h"
#include "sim/simulated_machine.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsageOrInput = 2;

void PrintUsage(FILE* to) {
  std::fputs(
      "usage: velmora-hidinfo [--simulate]\n"
      "       velmora-hidinfo --descriptor FILE\n"
      "Lists the HID interfaces (path, vendor, product, interface, collection, usage page,\n"
      "usage, report lengths, matching supported-interface row). --simulate adds the\n"
      "simulated products. --descriptor decodes a raw binary report descriptor.\n",
      to);
}

int DecodeDescriptorFile(const char* file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "velmora-hidinfo: cannot read %s: %s\n", file, std::strerror(errno));
    return kExitUsageOrInput;
  }
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) {
    std::fprintf(stderr, "velmora-hidinfo: cannot read %s\n", file);
    return kExitUsageOrInput;
  }
  std::string text;
  if (!velmora::hidinfo::DescribeDescriptor(bytes, text) || text.empty()) {
    std::fprintf(stderr, "velmora-hidinfo: %s is not a valid HID report descriptor\n", file);
    return kExitUsageOrInput;
  }
  std::fputs(text.c_str(), stdout);
  return kExitOk;
}

// Prints one backend's interfaces; returns how many match a supported row, -1 when the
// listing failed.
int PrintInterfaces(velmora::platform::HidBackend& backend, const char* source) {
  std::vector<velmora::hidinfo::InterfaceInfo> interfaces;
  if (!velmora::hidinfo::ListInterfaces(backend, interfaces)) {
    std::fprintf(stderr, "velmora-hidinfo: cannot list the %s HID interfaces\n", source);
    return -1;
  }
  int supported = 0;
  for (const auto& info : interfaces) {
    std::printf("%s\n", velmora::hidinfo::FormatInterface(info).c_str());
    if (info.supportedRow >= 0) ++supported;
  }
  std::printf("# %s: %zu interfaces, %d supported\n", source, interfaces.size(), supported);
  return supported;
}

int ListAll(bool simulate) {
  const bool listed = PrintInterfaces(velmora::platform::ActiveHidBackend(), "system") >= 0;
  if (!simulate) return listed ? kExitOk : kExitFailure;
  velmora::sim::SimulatedMachine machine;
  machine.PlugAll();
  return PrintInterfaces(*machine.Bus(), "simulated") >= 0 ? kExitOk : kExitFailure;
}

}  // namespace

int main(int argc, char** argv) {
  bool simulate = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--simulate") == 0) {
      simulate = true;
    } else if (std::strcmp(argv[i], "--descriptor") == 0 && i + 1 < argc && argc == 3) {
      return DecodeDescriptorFile(argv[i + 1]);
    } else if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      PrintUsage(stdout);
      return kExitOk;
    } else {
      PrintUsage(stderr);
      return kExitUsageOrInput;
    }
  }
  return ListAll(simulate);
}
