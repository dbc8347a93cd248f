#include "toolkit/dialog_builder.h"

#include "platform/debug_output.h"
#include "toolkit/container.h"
#include "toolkit/control_factory.h"
#include "toolkit/paint_manager.h"
#include "toolkit/resource_manager.h"
#include "toolkit/ui_string.h"

namespace velmora::toolkit {
namespace {

bool BoolAttribute(const XmlElement& node, const char* name) {
  const std::string* value = node.Attribute(name);
  return value != nullptr && ParseBool(*value);
}

std::string StringAttribute(const XmlElement& node, const char* name) {
  const std::string* value = node.Attribute(name);
  return value != nullptr ? *value : std::string();
}

void ApplyFontElement(const XmlElement& node, CPaintManagerUI* manager) {
  const std::string face = StringAttribute(node, "name");
  const std::string* sizeText = node.Attribute("size");
  const int size = sizeText != nullptr ? ParseInt(*sizeText) : 12;
  const bool bold = BoolAttribute(node, "bold"), underline = BoolAttribute(node, "underline");
  const bool italic = BoolAttribute(node, "italic"), shared = BoolAttribute(node, "shared");
  if (const std::string* id = node.Attribute("id")) manager->AddFont(ParseInt(*id), face, size, bold, underline, italic, shared);
  if (BoolAttribute(node, "default")) manager->SetDefaultFont(face, size, bold, underline, italic, shared);
}

// The document text for a layout given as text, res.xml id or file; empty when unreadable.
std::optional<XmlElement> LoadLayout(const std::string& xml, std::string& error) {
  std::string source = xml;
  const std::string mapped = CResourceManager::GetInstance().GetXmlPath(xml);
  if (!mapped.empty()) source = mapped;
  bool ok = false;
  const std::string text = ReadSkinDocument(source, ok);
  if (!ok) {
    error = "cannot read layout '" + source + "'";
    return std::nullopt;
  }
  std::string parseError;
  auto document = ParseXml(text, &parseError);
  if (!document) error = "layout '" + (text.empty() || text[0] == '<' ? std::string("<text>") : source) + "' is not XML: " + parseError;
  return document;
}

}  // namespace

CControlUI* CDialogBuilder::Create(const std::string& xml, const std::string&, IDialogBuilderCallback* callback,
                                   CPaintManagerUI* manager, CControlUI* parent) {
  error_.clear();
  document_ = LoadLayout(xml, error_);
  if (!document_) {
    platform::DebugOutputF("toolkit: %s", error_.c_str());
    return nullptr;
  }
  return Create(callback, manager, parent);
}

CControlUI* CDialogBuilder::Create(IDialogBuilderCallback* callback, CPaintManagerUI* manager, CControlUI* parent) {
  if (!document_) return nullptr;
  callback_ = callback;
  const XmlElement& root = *document_;
  if (EqualsNoCase(root.name, "Window")) {
    if (manager != nullptr) ApplyWindowElement(root, manager);
    return ParseChildren(root, parent, manager);
  }
  return ParseControl(root, parent, manager);
}

void CDialogBuilder::ApplyWindowElement(const XmlElement& window, CPaintManagerUI* manager) {
  for (const auto& [name, value] : window.attributes) {
    if (!manager->SetWindowAttribute(name, value)) {
      platform::DebugOutputF("toolkit: unknown window attribute '%s'", name.c_str());
    }
  }
  for (const XmlElement& child : window.children) {
    if (EqualsNoCase(child.name, "Font")) {
      ApplyFontElement(child, manager);
    } else if (EqualsNoCase(child.name, "Default")) {
      manager->AddDefaultAttributeList(StringAttribute(child, "name"), StringAttribute(child, "value"),
                                       BoolAttribute(child, "shared"));
    }
  }
}

CControlUI* CDialogBuilder::ParseChildren(const XmlElement& node, CControlUI* parent, CPaintManagerUI* manager) {
  CControlUI* first = nullptr;
  for (const XmlElement& child : node.children) {
    if (EqualsNoCase(child.name, "Font") || EqualsNoCase(child.name, "Default") || EqualsNoCase(child.name, "Image") ||
        EqualsNoCase(child.name, "Style")) {
      if (!EqualsNoCase(node.name, "Window")) {
        platform::DebugOutputF("toolkit: '%s' belongs under Window; skipped", child.name.c_str());
      }
      continue;
    }
    CControlUI* control = EqualsNoCase(child.name, "Include") ? ParseInclude(child, parent, manager)
                                                                : ParseControl(child, parent, manager);
    if (control == nullptr) continue;
    if (first == nullptr) {
      first = control;
    } else if (parent == nullptr) {
      platform::DebugOutputF("toolkit: a second top-level control '%s' has no parent; skipped", child.name.c_str());
      delete control;
    }
  }
  return first;
}

CControlUI* CDialogBuilder::ParseInclude(const XmlElement& node, CControlUI* parent, CPaintManagerUI* manager) {
  const std::string source = StringAttribute(node, "source");
  if (includeDepth_ + 1 > kMaxIncludeDepth) {
    platform::DebugOutputF("toolkit: include of '%s' nests too deep; skipped", source.c_str());
    return nullptr;
  }
  const std::string* countText = node.Attribute("count");
  const int count = countText != nullptr ? ParseInt(*countText) : 1;
  CControlUI* first = nullptr;
  for (int i = 0; i < count; ++i) {
    CDialogBuilder nested;
    nested.includeDepth_ = includeDepth_ + 1;
    CControlUI* control = nested.Create(source, std::string(), callback_, manager, parent);
    if (first == nullptr) first = control;
    if (parent == nullptr) break;  // without a parent only one copy can be kept
  }
  return first;
}

CControlUI* CDialogBuilder::NewControl(const std::string& tag) {
  if (CControlUI* builtin = CreateBuiltinControl(tag)) return builtin;
  if (callback_ != nullptr) {
    if (CControlUI* custom = callback_->CreateControl(tag)) return custom;
  }
  return CControlFactory::GetInstance().CreateControl(tag);
}

CControlUI* CDialogBuilder::ParseControl(const XmlElement& node, CControlUI* parent, CPaintManagerUI* manager) {
  CContainerUI* container = parent != nullptr ? static_cast<CContainerUI*>(parent->GetInterface("IContainer")) : nullptr;
  if (parent != nullptr && container == nullptr) {
    platform::DebugOutputF("toolkit: '%s' cannot hold child '%s'; skipped", parent->GetName().c_str(), node.name.c_str());
    return nullptr;
  }
  CControlUI* control = NewControl(node.name);
  if (control == nullptr) {
    platform::DebugOutputF("toolkit: unknown control type '%s'; skipped", node.name.c_str());
    return nullptr;
  }
  if (manager != nullptr) {
    if (const std::string* defaults = manager->GetDefaultAttributeList(node.name)) control->ApplyAttributeList(*defaults);
  }
  for (const auto& [name, value] : node.attributes) control->SetAttribute(name, value);
  if (!node.children.empty()) {
    if (control->GetInterface("IContainer") != nullptr) {
      ParseChildren(node, control, manager);
    } else {
      platform::DebugOutputF("toolkit: children of non-container '%s' skipped", node.name.c_str());
    }
  }
  if (container != nullptr && !container->Add(control)) {
    delete control;
    return nullptr;
  }
  return control;
}

}  // namespace velmora::toolkit
