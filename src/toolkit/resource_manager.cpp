#include "toolkit/resource_manager.h"

#include <fstream>
#include <sstream>

#include "platform/debug_output.h"
#include "toolkit/paint_manager.h"
#include "toolkit/ui_string.h"
#include "toolkit/xml_document.h"

namespace velmora::toolkit {
namespace {

std::optional<XmlElement> ParseSkinDocument(const std::string& xmlOrPath) {
  bool ok = false;
  const std::string text = ReadSkinDocument(xmlOrPath, ok);
  if (!ok) {
    platform::DebugOutputF("toolkit: cannot read '%s'", xmlOrPath.c_str());
    return std::nullopt;
  }
  std::string error;
  auto document = ParseXml(text, &error);
  if (!document) platform::DebugOutputF("toolkit: '%s' is not XML: %s", xmlOrPath.c_str(), error.c_str());
  return document;
}

const std::string& AttributeOr(const XmlElement& element, const char* name, const std::string& fallback) {
  const std::string* value = element.Attribute(name);
  return value != nullptr ? *value : fallback;
}

}  // namespace

std::string ResolveSkinPath(const std::string& path) {
  std::string normalized = path;
  for (char& c : normalized) {
    if (c == '\\') c = '/';
  }
  if (!normalized.empty() && normalized.front() == '/') return normalized;
  return CPaintManagerUI::GetResourcePath() + normalized;
}

std::string ReadSkinDocument(const std::string& xmlOrPath, bool& ok) {
  ok = false;
  size_t start = xmlOrPath.find_first_not_of(" \t\r\n");
  if (start != std::string::npos && xmlOrPath[start] == '<') {
    ok = true;
    return xmlOrPath;
  }
  std::ifstream in(ResolveSkinPath(xmlOrPath), std::ios::binary);
  if (!in) return std::string();
  std::ostringstream content;
  content << in.rdbuf();
  ok = true;
  return content.str();
}

CResourceManager& CResourceManager::GetInstance() {
  static CResourceManager instance;
  return instance;
}

bool CResourceManager::LoadResource(const std::string& xml) {
  auto document = ParseSkinDocument(xml);
  if (!document) return false;
  static const std::string empty;
  for (const XmlElement& entry : document->children) {
    const std::string& file = AttributeOr(entry, "file", empty);
    if (EqualsNoCase(entry.name, "Image")) {
      images_[ToLowerAscii(AttributeOr(entry, "name", empty))] = file;
    } else if (EqualsNoCase(entry.name, "Xml")) {
      xmls_[ToLowerAscii(AttributeOr(entry, "id", empty))] = file;
    } else {
      platform::DebugOutputF("toolkit: unknown resource entry '%s'", entry.name.c_str());
    }
  }
  return true;
}

std::string CResourceManager::GetImagePath(const std::string& name) const {
  auto it = images_.find(ToLowerAscii(name));
  return it == images_.end() ? std::string() : it->second;
}

std::string CResourceManager::GetXmlPath(const std::string& id) const {
  auto it = xmls_.find(ToLowerAscii(id));
  return it == xmls_.end() ? std::string() : it->second;
}

void CResourceManager::ResetResourceMap() {
  images_.clear();
  xmls_.clear();
}

bool CResourceManager::LoadLanguage(const std::string& xml) {
  auto document = ParseSkinDocument(xml);
  if (!document) return false;
  std::map<std::string, std::string> texts;
  for (const XmlElement& entry : document->children) {
    const std::string* id = entry.Attribute("id");
    if (!EqualsNoCase(entry.name, "Text") || id == nullptr) {
      platform::DebugOutputF("toolkit: language entry '%s' skipped", entry.name.c_str());
      continue;
    }
    const std::string* value = entry.Attribute("value");
    texts[*id] = value != nullptr ? *value : entry.text;
  }
  texts_ = std::move(texts);
  return true;
}

std::string CResourceManager::GetText(const std::string& key, const std::string& type) const {
  auto it = texts_.find(key);
  if (it != texts_.end()) return it->second;
  if (query_ != nullptr) {
    std::string answer = query_->QueryControlText(key, type);
    if (!answer.empty()) return answer;
  }
  return key;
}

void CResourceManager::ReloadText() { CPaintManagerUI::InvalidateAll(); }

void CResourceManager::Release() {
  ResetResourceMap();
  texts_.clear();
  language_.clear();
  query_ = nullptr;
}

}  // namespace velmora::toolkit
