#pragma once

#include <map>
#include <memory>

#include "devices/device_page.h"

namespace velmora::toolkit {
class CControlUI;
}

namespace velmora::app {

// Presents a toolkit control tree to device logic through the device page interface. A
// control's wrapper is made when device logic first reaches it and lives as long as this
// object; the controls must outlive it. Used on the UI thread only.
class ToolkitPage {
 public:
  explicit ToolkitPage(toolkit::CControlUI* root);
  ~ToolkitPage();
  ToolkitPage(const ToolkitPage&) = delete;
  ToolkitPage& operator=(const ToolkitPage&) = delete;

  devices::PageControl* Root() { return Wrap(root_); }
  // The wrapper of a control of the tree; nullptr for nullptr.
  devices::PageControl* Wrap(toolkit::CControlUI* control);

 private:
  class Control;

  toolkit::CControlUI* root_;
  std::map<toolkit::CControlUI*, std::unique_ptr<Control>> wrappers_;
};

}  // namespace velmora::app
