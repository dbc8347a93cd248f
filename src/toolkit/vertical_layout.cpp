#include "toolkit/vertical_layout.h"

#include "toolkit/ui_string.h"

namespace velmora::toolkit {

std::string CVerticalLayoutUI::GetClass() const { return "VerticalLayoutUI"; }

void* CVerticalLayoutUI::GetInterface(std::string_view name) {
  if (EqualsNoCase(name, "VerticalLayout")) return this;
  return CContainerUI::GetInterface(name);
}

void CVerticalLayoutUI::ArrangeChildren(const UiRect& rc) { ArrangeInLine(rc, true); }

}  // namespace velmora::toolkit
