#include "toolkit/text.h"

#include "toolkit/render_engine.h"
#include "toolkit/ui_string.h"

namespace velmora::toolkit {

CTextUI::CTextUI() { textStyle_ = DT_WORDBREAK; }

std::string CTextUI::GetClass() const { return "TextUI"; }

void* CTextUI::GetInterface(std::string_view name) {
  if (EqualsNoCase(name, "Text")) return this;
  return CLabelUI::GetInterface(name);
}

}  // namespace velmora::toolkit
