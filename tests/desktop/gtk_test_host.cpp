#include "gtk_test_host.h"

#include <memory>

#include "xvfb_display.h"

namespace velmora::testing {

toolkit::GtkHost* TestGtkHost() {
  static std::unique_ptr<toolkit::GtkHost> host = EnsureDisplay() ? toolkit::GtkHost::Create() : nullptr;
  return host.get();
}

}  // namespace velmora::testing
