#pragma once

// The arrangement shared by the vertical and horizontal layouts: children one after the other
// along the main axis, fixed sizes first, the remaining space split among the stretched
// children within their minimum and maximum, each child's padding around it.

#include <vector>

#include "toolkit/ui_types.h"

namespace velmora::toolkit {

class CControlUI;

struct LinearLayoutParams {
  bool vertical = true;
  int childPadding = 0;     // gap between neighbours, device pixels
  uint32_t crossAlign = 0;  // DT_LEFT/DT_CENTER/DT_RIGHT (vertical) or DT_TOP/DT_VCENTER/DT_BOTTOM
  uint32_t mainAlign = 0;   // where content shorter than the area sits along the main axis
  UiSize scrollPos;         // content offset
};

// Positions the visible non-float items inside rc; returns the size of the content.
UiSize ArrangeLinear(const std::vector<CControlUI*>& items, const UiRect& rc, const LinearLayoutParams& params);

}  // namespace velmora::toolkit
