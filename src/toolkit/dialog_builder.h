#pragma once

// CDialogBuilder: turns a layout document into a control tree. The document is a file under
// the resource path, a res.xml layout id, or the XML text itself. A Window root sets the
// window's attributes, fonts and default attribute lists; Include elements pull in other
// layout files. Unknown tags and attributes are reported through DebugOutput and skipped;
// a document that is not XML yields no tree.

#include <optional>
#include <string>

#include "toolkit/xml_document.h"

namespace velmora::toolkit {

class CControlUI;
class CPaintManagerUI;

// Creates the window's own control types by type name (null when the name is not its own).
class IDialogBuilderCallback {
 public:
  virtual ~IDialogBuilderCallback() = default;
  virtual CControlUI* CreateControl(const std::string& className) = 0;
};

// Include nesting deeper than this is refused, so a file including itself cannot recurse
// without end.
inline constexpr int kMaxIncludeDepth = 16;

class CDialogBuilder {
 public:
  // Builds the document. With a parent, the built controls are added to it (which must be a
  // container) and the first is returned; otherwise the root control is returned, which the
  // caller owns (usually handing it to CPaintManagerUI::AttachDialog). Null on failure.
  CControlUI* Create(const std::string& xml, const std::string& type = std::string(),
                     IDialogBuilderCallback* callback = nullptr, CPaintManagerUI* manager = nullptr,
                     CControlUI* parent = nullptr);
  // Builds again from the document loaded by the last Create.
  CControlUI* Create(IDialogBuilderCallback* callback = nullptr, CPaintManagerUI* manager = nullptr,
                     CControlUI* parent = nullptr);

  const std::string& GetLastError() const { return error_; }

 private:
  void ApplyWindowElement(const XmlElement& window, CPaintManagerUI* manager);
  CControlUI* ParseChildren(const XmlElement& node, CControlUI* parent, CPaintManagerUI* manager);
  CControlUI* ParseControl(const XmlElement& node, CControlUI* parent, CPaintManagerUI* manager);
  CControlUI* ParseInclude(const XmlElement& node, CControlUI* parent, CPaintManagerUI* manager);
  CControlUI* NewControl(const std::string& tag);

  std::optional<XmlElement> document_;
  IDialogBuilderCallback* callback_ = nullptr;
  std::string error_;
  int includeDepth_ = 0;
};

// A control of the toolkit's own types for a layout tag ("Button", "VerticalLayout", ...),
// or null for a tag that is not one of them.
CControlUI* CreateBuiltinControl(const std::string& tag);

}  // namespace velmora::toolkit
