#include "toolkit/child_layout.h"

#include "platform/debug_output.h"
#include "toolkit/dialog_builder.h"
#include "toolkit/ui_string.h"

namespace velmora::toolkit {

std::string CChildLayoutUI::GetClass() const { return "ChildLayoutUI"; }

void* CChildLayoutUI::GetInterface(std::string_view name) {
  if (EqualsNoCase(name, "ChildLayout")) return this;
  return CContainerUI::GetInterface(name);
}

void CChildLayoutUI::DoInit() {
  if (built_ || xmlFile_.empty()) return;
  built_ = true;
  CDialogBuilder builder;
  if (builder.Create(xmlFile_, std::string(), nullptr, m_pManager, this) == nullptr) {
    platform::DebugOutputF("toolkit: child layout '%s' produced nothing", xmlFile_.c_str());
  }
}

void CChildLayoutUI::SetAttribute(const std::string& name, const std::string& value) {
  if (EqualsNoCase(name, "xmlfile")) {
    SetChildLayoutXML(value);
    return;
  }
  CContainerUI::SetAttribute(name, value);
}

}  // namespace velmora::toolkit
