// velmora-hidinfo: shows the HID interfaces as VELMORA Q7 PRO sees them, so that a user
// whose device is not found can tell whether it is missing, unreadable or not recognised.

#include <cerrno>
#include <cstdio>
#include <cstring>
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

// Reads a whole file without exceptions (a folder or a read error gives false and errno).
bool ReadWholeFile(const char* file, std::vector<uint8_t>& bytes) {
  FILE* in = std::fopen(file, "rb");
  if (!in) return false;
  uint8_t chunk[4096];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, in)) > 0) bytes.insert(bytes.end(), chunk, chunk + n);
  const bool failed = std::ferror(in) != 0;
  const int error = errno;
  std::fclose(in);
  errno = error;
  return !failed;
}

int DecodeDescriptorFile(const char* file) {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(file, bytes)) {
    std::fprintf(stderr, "velmora-hidinfo: cannot read %s: %s\n", file, std::strerror(errno));
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
  if (velmora::hidinfo::SupportedInterfaceDenied(interfaces)) {
    std::printf("# a supported device cannot be opened for reading and writing: install the udev rule\n"
                "# 70-velmora-q7-pro.rules (make install does), then unplug and replug the device\n");
  }
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
