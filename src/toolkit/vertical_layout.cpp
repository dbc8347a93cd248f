#include "toolkit/vertical_layout.h"

#include "toolkit/linear_layout.h"
#include "toolkit/ui_string.h"

namespace velmora::toolkit {

std::string CVerticalLayoutUI::GetClass() const { return "VerticalLayoutUI"; }

void* CVerticalLayoutUI::GetInterface(std::string_view name) {
  if (EqualsNoCase(name, "VerticalLayout")) return this;
  return CContainerUI::GetInterface(name);
}

void CVerticalLayoutUI::ArrangeChildren(const UiRect& rc) {
  LinearLayoutParams params{true, GetChildPadding(), childAlign_, childVAlign_, scrollPos_};
  SetContentSize(ArrangeLinear(items_, rc, params));
  if (params.scrollPos != scrollPos_) {  // the range shrank: lay out again at the clamped offset
    params.scrollPos = scrollPos_;
    ArrangeLinear(items_, rc, params);
  }
}

}  // namespace velmora::toolkit
