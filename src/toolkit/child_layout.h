#pragma once

// CChildLayoutUI: a container whose content comes from another layout file ("xmlfile"),
// built once when the container joins a window.

#include "toolkit/container.h"

namespace velmora::toolkit {

class CChildLayoutUI : public CContainerUI {
 public:
  std::string GetClass() const override;
  void* GetInterface(std::string_view name) override;

  void SetChildLayoutXML(const std::string& xml) { xmlFile_ = xml; }
  const std::string& GetChildLayoutXML() const { return xmlFile_; }
  void DoInit() override;
  void SetAttribute(const std::string& name, const std::string& value) override;

 private:
  std::string xmlFile_;
  bool built_ = false;
};

}  // namespace velmora::toolkit
