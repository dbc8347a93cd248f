#include "toolkit/rich_edit.h"

#include "toolkit/key_codes.h"
#include "toolkit/render_engine.h"
#include "toolkit/ui_string.h"

namespace velmora::toolkit {

CRichEditUI::CRichEditUI() {
  textStyle_ = DT_WORDBREAK;
  maxChar_ = 30000;
}

std::string CRichEditUI::GetClass() const { return "RichEditUI"; }

void* CRichEditUI::GetInterface(std::string_view name) {
  if (EqualsNoCase(name, "RichEdit")) return this;
  return CEditUI::GetInterface(name);
}

uint32_t CRichEditUI::LayoutStyle() const { return DT_WORDBREAK; }

int CRichEditUI::LayoutWidth() const { return std::max(1, m_rcItem.Deflate(GetTextPadding()).Width()); }

UiPoint CRichEditUI::TextOrigin() const {
  const UiRect rc = m_rcItem.Deflate(GetTextPadding());
  return {rc.left, rc.top};
}

bool CRichEditUI::HandleKey(const TEventUI& event) {
  if ((event.chKey == keys::kReturn || event.chKey == keys::kKeypadEnter) && wantReturn_) {
    if (!readOnly_) ReplaceSel("\n");
    return true;
  }
  return CEditUI::HandleKey(event);
}

void CRichEditUI::SetAttribute(const std::string& name, const std::string& value) {
  const std::string key = ToLowerAscii(name);
  if (key == "wantreturn") {
    SetWantReturn(ParseBool(value));
  } else if (key == "multiline" || key == "rich" || key == "vscrollbar" || key == "autovscroll" ||
             key == "wantctrlreturn" || key == "transparent") {
    // A rich edit is always multi-line here; these shape the native control elsewhere.
  } else {
    CEditUI::SetAttribute(name, value);
  }
}

}  // namespace velmora::toolkit
