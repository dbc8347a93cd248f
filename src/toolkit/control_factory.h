#pragma once

// CControlFactory: creators of the program's own control types, registered by type name.
// A layout tag finds its creator by the exact name, the name in any case, or the class form
// "C<tag>UI" (a tag "HandImgButton" finds "CHandImgButtonUI").

#include <functional>
#include <map>
#include <string>

namespace velmora::toolkit {

class CControlUI;

class CControlFactory {
 public:
  using Creator = std::function<CControlUI*()>;

  static CControlFactory& GetInstance();

  void RegistControl(const std::string& name, Creator creator);
  void UnregistControl(const std::string& name);
  // A new control for the type name, or null when none is registered.
  CControlUI* CreateControl(const std::string& name) const;
  bool IsRegistered(const std::string& name) const;

 private:
  CControlFactory() = default;
  const Creator* Find(const std::string& name) const;

  std::map<std::string, Creator> creators_;  // keyed by lower-case name
};

}  // namespace velmora::toolkit
