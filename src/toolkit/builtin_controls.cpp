// The toolkit's own control types by layout tag.

#include <functional>
#include <map>

#include "toolkit/button.h"
#include "toolkit/child_layout.h"
#include "toolkit/container.h"
#include "toolkit/dialog_builder.h"
#include "toolkit/horizontal_layout.h"
#include "toolkit/label.h"
#include "toolkit/option.h"
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
