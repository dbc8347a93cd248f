#include "toolkit/list_owner.h"

#include <string>

#include "toolkit/label.h"
#include "toolkit/ui_string.h"

namespace velmora::toolkit {

bool TListInfoUI::SetAttribute(const std::string& name, const std::string& value) {
  const std::string key = ToLowerAscii(name);
  if (key == "itemfont") font = ParseInt(value);
  else if (key == "itemalign") {
    uint32_t mask = 0;
    const uint32_t bits = ParseTextAlign(value, mask);
    textStyle = (textStyle & ~mask) | bits;
  } else if (key == "itemendellipsis") textStyle = ParseBool(value) ? (textStyle | 0x8000) : (textStyle & ~0x8000u);
  else if (key == "itemtextpadding") textPadding = ParseRect(value);
  else if (key == "itemtextcolor") textColor = ParseColor(value);
  else if (key == "itembkcolor") bkColor = ParseColor(value);
  else if (key == "itemselectedtextcolor") selectedTextColor = ParseColor(value);
  else if (key == "itemselectedbkcolor") selectedBkColor = ParseColor(value);
  else if (key == "itemhottextcolor") hotTextColor = ParseColor(value);
  else if (key == "itemhotbkcolor") hotBkColor = ParseColor(value);
  else if (key == "itemdisabledtextcolor") disabledTextColor = ParseColor(value);
  else if (key == "itemlinecolor") lineColor = ParseColor(value);
  else if (key == "itemshowhtml") showHtml = ParseBool(value);
  else return false;
  return true;
}

}  // namespace velmora::toolkit
