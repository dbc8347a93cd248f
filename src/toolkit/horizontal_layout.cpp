#include "toolkit/horizontal_layout.h"

#include "toolkit/linear_layout.h"
#include "toolkit/ui_string.h"

namespace velmora::toolkit {

std::string CHorizontalLayoutUI::GetClass() const { return "HorizontalLayoutUI"; }

void* CHorizontalLayoutUI::GetInterface(std::string_view name) {
  if (EqualsNoCase(name, "HorizontalLayout")) return this;
  return CContainerUI::GetInterface(name);
}

void CHorizontalLayoutUI::ArrangeChildren(const UiRect& rc) {
  LinearLayoutParams params{false, GetChildPadding(), childVAlign_, childAlign_, scrollPos_};
  SetContentSize(ArrangeLinear(items_, rc, params));
  if (params.scrollPos != scrollPos_) {  // the range shrank: lay out again at the clamped offset
    params.scrollPos = scrollPos_;
    ArrangeLinear(items_, rc, params);
  }
}

}  // namespace velmora::toolkit
