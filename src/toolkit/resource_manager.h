#pragma once

// CResourceManager: the skin's resource table (res.xml: image and layout ids to files) and
// the interface language (a language file maps text keys to texts). Texts are looked up each
// time a control paints, so switching the language and reloading shows at once.
//
// Language file format:
//   <Language name="English">
//     <Text id="key" value="text"/>      or   <Text id="key">text</Text>
//   </Language>

#include <map>
#include <string>

namespace velmora::toolkit {

// Answers text keys the language file does not hold (the window's QueryControlText hook).
class IQueryControlText {
 public:
  virtual ~IQueryControlText() = default;
  // The text for key, or empty when the window has none.
  virtual std::string QueryControlText(const std::string& key, const std::string& type) = 0;
};

class CResourceManager {
 public:
  static CResourceManager& GetInstance();

  // res.xml: <Res><Image name="id" file="path"/><Xml id="XML_MAIN" file="main.xml"/></Res>.
  // xml is a file under the resource path or the document itself; false when unreadable.
  bool LoadResource(const std::string& xml);
  // The file of an image or layout id; empty when the id is not in the table.
  std::string GetImagePath(const std::string& name) const;
  std::string GetXmlPath(const std::string& id) const;
  void ResetResourceMap();

  // Language.
  void SetLanguage(const std::string& name) { language_ = name; }
  const std::string& GetLanguage() const { return language_; }
  // Replaces the text table with the file's (a path under the resource path, an absolute
  // path or the document itself); false when unreadable (the table is then left as it was).
  bool LoadLanguage(const std::string& xml);
  // The text of key: the language table, then the query hook, then the key itself.
  std::string GetText(const std::string& key, const std::string& type = std::string()) const;
  void SetTextQueryInterface(IQueryControlText* query) { query_ = query; }
  IQueryControlText* GetTextQueryInterface() const { return query_; }
  // Repaints every window so each control shows its text in the current language.
  void ReloadText();
  void ResetTextMap() { texts_.clear(); }

  // Forgets everything (shutdown and tests).
  void Release();

 private:
  CResourceManager() = default;

  std::map<std::string, std::string> images_;
  std::map<std::string, std::string> xmls_;
  std::map<std::string, std::string> texts_;
  std::string language_;
  IQueryControlText* query_ = nullptr;
};

// Reads a layout or data file given as a path under the resource path, an absolute path, or
// the document itself (text starting with '<'). Empty result with ok false when unreadable.
std::string ReadSkinDocument(const std::string& xmlOrPath, bool& ok);
// Resolves a skin-relative path ('\\' becomes '/'); absolute paths stay as they are.
std::string ResolveSkinPath(const std::string& path);

}  // namespace velmora::toolkit
