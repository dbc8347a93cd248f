#pragma once

#include <json/json.h>

#include <cstdint>
#include <string>
#include <vector>

#include "profiles/key_assign_entry.h"
#include "profiles/light_records.h"

namespace velmora::profiles {

// The profile document of one device: reads entry "Device"[index] of a profile document into
// memory, hands out its sections as records and writes changed sections back. Section writers
// change only the in-memory entry; SaveCurrentEntry flushes it to the file. The object has no
// lock: callers never run two writers on one object at once.
class CBasicProfiledata {
 public:
  CBasicProfiledata() = default;
  virtual ~CBasicProfiledata() = default;
  CBasicProfiledata(const CBasicProfiledata&) = delete;
  CBasicProfiledata& operator=(const CBasicProfiledata&) = delete;

  // Paths and index. An empty path leaves the previous one in place.
  void SetProfilePath(const std::string& path);
  std::string GetProfilePath() const { return profilePath_; }
  void SetDefaultPath(const std::string& path);
  std::string GetDefaultPath() const { return defaultPath_; }
  void SetConfigPath(const std::string& path);
  std::string GetConfigPath() const { return configPath_; }
  void SetProfileIndex(uint32_t index) { profileIndex_ = index; }
  uint32_t GetProfileIndex() const { return profileIndex_; }

  // Makes "Device"[index] of the document at path the current entry and returns a copy. A
  // document without the entry is repaired: the default document's entry is put into it and
  // the document is written back. When both lack it the entry stays null.
  Json::Value ReadEntry(const std::string& path);
  // The same into the second entry, used to edit a profile that is not the current one.
  Json::Value ReadOtherEntry(const std::string& path);

  // Write the current entry to the profile document / any entry to the document at path /
  // the second entry to path / a whole document. They return kWriteOk or kWriteFailed.
  virtual int SaveCurrentEntry();
  virtual int SaveEntryTo(const Json::Value& entry, const std::string& path);
  virtual int SaveOtherEntry(const std::string& path);
  virtual int WriteDocument(const Json::Value& value, const std::string& path);

  // Reads the light configuration document at path into memory. When it is missing, the
  // document of the same name beside the default document (the shipped one) is read instead.
  void LoadLightConfig(const std::string& path);

  const Json::Value& CurrentEntry() const { return currentEntry_; }
  const Json::Value& OtherEntry() const { return otherEntry_; }
  const Json::Value& LightConfig() const { return lightConfig_; }

  // Sections shared by all families.
  LightInfoRecord GetLightInfo();
  void SetLightInfo(uint32_t w1, uint32_t w2, uint32_t w3, uint16_t h4);
  AudioLightRecord GetAudioLight();
  void SetAudioLight(uint32_t w1, uint32_t w2, uint8_t b3);
  std::vector<LightListEntry> GetLightList();
  // The steps of the custom effect picked by the current select item in the light
  // configuration document; empty when there is none.
  std::vector<LightEffectEntry> GetLightEffects();
  std::vector<KeyAssignEntry> GetKeyList();
  void SetKeyList(const std::vector<KeyAssignEntry>& list);
  std::vector<KeyAssignEntry> GetOtherKeyList();
  void SetOtherKeyList(const std::vector<KeyAssignEntry>& list);

 protected:
  // The section of the current entry, or nullptr when the entry or the section is absent.
  const Json::Value* FindSection(const char* name) const;
  // The section object of the current entry, created when absent.
  Json::Value& WritableSection(const char* name);
  Json::Value& currentEntry() { return currentEntry_; }

 private:
  Json::Value ReadEntryInto(const std::string& path, Json::Value& entry);
  std::string LightEffectPath(const std::string& guid) const;

  std::string profilePath_;
  std::string defaultPath_;
  LightInfoRecord lightInfo_;
  const LightInfoRecord fallbackLightInfo_{};
  AudioLightRecord audioLight_;
  std::vector<LightListEntry> lightList_;
  Json::Value currentEntry_;
  Json::Value otherEntry_;
  std::string configPath_;
  std::vector<LightEffectEntry> lightEffects_;
  Json::Value lightConfig_;
  std::vector<KeyAssignEntry> keyList_;
  std::vector<KeyAssignEntry> otherKeyList_;
  uint32_t profileIndex_ = 0;
};

}  // namespace velmora::profiles
