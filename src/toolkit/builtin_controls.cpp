// The toolkit's own control types by layout tag.

#include <functional>
#include <map>

#include "toolkit/button.h"
#include "toolkit/child_layout.h"
#include "toolkit/color_palette.h"
#include "toolkit/combo.h"
#include "toolkit/container.h"
#include "toolkit/dialog_builder.h"
#include "toolkit/edit.h"
#include "toolkit/horizontal_layout.h"
#include "toolkit/label.h"
#include "toolkit/list.h"
#include "toolkit/list_element.h"
#include "toolkit/menu_window.h"
#include "toolkit/option.h"
#include "toolkit/progress.h"
#include "toolkit/rich_edit.h"
#include "toolkit/slider.h"
#include "toolkit/tab_layout.h"
#include "toolkit/text.h"
#include "toolkit/ui_string.h"
#include "toolkit/vertical_layout.h"

namespace velmora::toolkit {
namespace {

template <typename T>
CControlUI* Make() {
  return new T();
}

const std::map<std::string, CControlUI* (*)()>& BuiltinTable() {
  static const std::map<std::string, CControlUI* (*)()> table = {
      {"control", &Make<CControlUI>},
      {"container", &Make<CContainerUI>},
      {"verticallayout", &Make<CVerticalLayoutUI>},
      {"horizontallayout", &Make<CHorizontalLayoutUI>},
      {"tablayout", &Make<CTabLayoutUI>},
      {"childlayout", &Make<CChildLayoutUI>},
      {"label", &Make<CLabelUI>},
      {"text", &Make<CTextUI>},
      {"button", &Make<CButtonUI>},
      {"option", &Make<COptionUI>},
      {"checkbox", &Make<CCheckBoxUI>},
      {"edit", &Make<CEditUI>},
      {"richedit", &Make<CRichEditUI>},
      {"combo", &Make<CComboUI>},
      {"list", &Make<CListUI>},
      {"listheader", &Make<CListHeaderUI>},
      {"listheaderitem", &Make<CLabelUI>},
      {"listlabelelement", &Make<CListLabelElementUI>},
      {"listelement", &Make<CListLabelElementUI>},
      {"listcontainerelement", &Make<CListContainerElementUI>},
      {"slider", &Make<CSliderUI>},
      {"progress", &Make<CProgressUI>},
      {"colorpalette", &Make<CColorPaletteUI>},
      {"menu", &Make<CMenuUI>},
      {"menuelement", &Make<CMenuElementUI>},
  };
  return table;
}

}  // namespace

CControlUI* CreateBuiltinControl(const std::string& tag) {
  const auto& table = BuiltinTable();
  auto it = table.find(ToLowerAscii(tag));
  return it == table.end() ? nullptr : it->second();
}

}  // namespace velmora::toolkit
