#include "toolkit/horizontal_layout.h"

#include "toolkit/ui_string.h"

namespace velmora::toolkit {

std::string CHorizontalLayoutUI::GetClass() const { return "HorizontalLayoutUI"; }

void* CHorizontalLayoutUI::GetInterface(std::string_view name) {
  if (EqualsNoCase(name, "HorizontalLayout")) return this;
  return CContainerUI::GetInterface(name);
}

void CHorizontalLayoutUI::ArrangeChildren(const UiRect& rc) { ArrangeInLine(rc, false); }

}  // namespace velmora::toolkit
