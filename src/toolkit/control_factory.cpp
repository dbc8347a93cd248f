#include "toolkit/control_factory.h"

#include "toolkit/ui_string.h"

namespace velmora::toolkit {

CControlFactory& CControlFactory::GetInstance() {
  static CControlFactory factory;
  return factory;
}

void CControlFactory::RegistControl(const std::string& name, Creator creator) {
  if (name.empty() || !creator) return;
  creators_[ToLowerAscii(name)] = std::move(creator);
}

void CControlFactory::UnregistControl(const std::string& name) { creators_.erase(ToLowerAscii(name)); }

const CControlFactory::Creator* CControlFactory::Find(const std::string& name) const {
  auto it = creators_.find(ToLowerAscii(name));
  if (it == creators_.end()) it = creators_.find(ToLowerAscii("C" + name + "UI"));
  return it == creators_.end() ? nullptr : &it->second;
}

CControlUI* CControlFactory::CreateControl(const std::string& name) const {
  const Creator* creator = Find(name);
  return creator != nullptr ? (*creator)() : nullptr;
}

bool CControlFactory::IsRegistered(const std::string& name) const { return Find(name) != nullptr; }

}  // namespace velmora::toolkit
