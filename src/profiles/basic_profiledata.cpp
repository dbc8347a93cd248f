#include "profiles/basic_profiledata.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "platform/paths.h"
#include "profiles/json_access.h"
#include "profiles/json_file.h"
#include "profiles/light_effect_file.h"

namespace velmora::profiles {
namespace {

constexpr const char* kDevice = "Device";
constexpr const char* kLightInfo = "LightInfo";
constexpr const char* kAudioLightInfo = "AudioLightInfo";
constexpr const char* kLightList = "LightList";
constexpr const char* kKeyList = "KeyList";
constexpr const char* kAssignment = "Assignment";
constexpr const char* kDefaultAssignment = "DefaultAssignment";

// A document that exists but does not parse is about to be replaced by the repair: keep the
// user's text beside it as "<path>.broken" so a hand edit with a typo is not lost.
void KeepUnreadableDocument(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec) || std::filesystem::file_size(path, ec) == 0) return;
  std::filesystem::copy_file(path, path + ".broken", std::filesystem::copy_options::overwrite_existing, ec);
}

// "Device"[index] of a document, null when it has none.
Json::Value DeviceEntry(const Json::Value& document, Json::ArrayIndex index) {
  const Json::Value* devices = FindArray(document, kDevice);
  const Json::Value* entry = devices != nullptr ? FindElement(*devices, index) : nullptr;
  return entry != nullptr ? *entry : Json::Value();
}

// Puts entry at "Device"[index] of document (made an object holding an array when needed).
bool PutDeviceEntry(Json::Value& document, Json::ArrayIndex index, const Json::Value& entry) {
  Json::Value* slot = WritableElement(WritableMember(document, kDevice), index);
  if (slot == nullptr) return false;
  *slot = entry;
  return true;
}

LightListEntry ReadLightListEntry(const Json::Value& element) {
  LightListEntry e;
  if (!element.isObject()) return e;
  e.mode = ByteMember(element, "LEDREGMode");
  e.brightness = ByteMember(element, "LEDBrightness");
  e.speed = ByteMember(element, "LEDSpeed");
  e.direction = BoolMember(element, "LEDDirection");
  e.multiColor = BoolMember(element, "LEDMultiColor");
  e.red = ByteMember(element, "red");
  e.green = ByteMember(element, "green");
  e.blue = ByteMember(element, "blue");
  e.valid = 1;
  return e;
}

std::vector<KeyAssignEntry> ReadKeyList(const Json::Value& entry) {
  std::vector<KeyAssignEntry> list;
  const Json::Value* keys = FindArray(entry, kKeyList);
  if (keys == nullptr) return list;
  list.reserve(keys->size());
  for (Json::ArrayIndex i = 0; i < keys->size(); ++i) {
    const Json::Value& key = (*keys)[i];
    const auto position = static_cast<uint16_t>(i);
    list.push_back({KeyAssignment::Decode(position, IntMember(key, kAssignment)),
                    KeyAssignment::Decode(position, IntMember(key, kDefaultAssignment))});
  }
  return list;
}

void WriteKeyList(Json::Value& entry, const std::vector<KeyAssignEntry>& list) {
  Json::Value& keys = WritableMember(entry, kKeyList);
  for (size_t i = 0; i < list.size(); ++i) {
    Json::Value* key = WritableElement(keys, static_cast<Json::ArrayIndex>(i));
    if (key == nullptr) return;
    WritableMember(*key, kAssignment) = list[i].current.Encoded();
  }
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string FileNameOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

void CBasicProfiledata::SetProfilePath(const std::string& path) {
  if (!path.empty()) profilePath_ = path;
}

void CBasicProfiledata::SetDefaultPath(const std::string& path) {
  if (!path.empty()) defaultPath_ = path;
}

void CBasicProfiledata::SetConfigPath(const std::string& path) {
  if (!path.empty()) configPath_ = path;
}

Json::Value CBasicProfiledata::ReadEntryInto(const std::string& path, Json::Value& entry) {
  Json::Value document = ReadJsonFile(path);
  const bool unreadable = document.isNull();
  entry = DeviceEntry(document, profileIndex_);
  if (entry.isNull()) {
    entry = DeviceEntry(ReadJsonFile(defaultPath_), profileIndex_);
    if (!entry.isNull() && PutDeviceEntry(document, profileIndex_, entry)) {
      if (unreadable) KeepUnreadableDocument(path);
      WriteDocument(document, path);
    }
  }
  return entry;
}

Json::Value CBasicProfiledata::ReadEntry(const std::string& path) {
  return ReadEntryInto(path, currentEntry_);
}

Json::Value CBasicProfiledata::ReadOtherEntry(const std::string& path) {
  return ReadEntryInto(path, otherEntry_);
}

int CBasicProfiledata::SaveCurrentEntry() {
  Json::Value entry = currentEntry_;
  return SaveEntryTo(entry, profilePath_);
}

int CBasicProfiledata::SaveEntryTo(const Json::Value& entry, const std::string& path) {
  Json::Value document = ReadJsonFile(path);
  if (!PutDeviceEntry(document, profileIndex_, entry)) return kWriteFailed;
  return WriteDocument(document, path);
}

int CBasicProfiledata::SaveOtherEntry(const std::string& path) {
  Json::Value entry = otherEntry_;
  return SaveEntryTo(entry, path);
}

int CBasicProfiledata::WriteDocument(const Json::Value& value, const std::string& path) {
  return WriteJsonFile(path, value);
}

void CBasicProfiledata::LoadLightConfig(const std::string& path) {
  lightConfig_ = ReadJsonFile(path);
  if (lightConfig_.isNull() && !defaultPath_.empty()) {
    lightConfig_ = ReadJsonFile(platform::JoinPath(FolderOf(defaultPath_), FileNameOf(path)));
  }
}

const Json::Value* CBasicProfiledata::FindSection(const char* name) const {
  return FindMember(currentEntry_, name);
}

Json::Value& CBasicProfiledata::WritableSection(const char* name) {
  return WritableObject(currentEntry_, name);
}

LightInfoRecord CBasicProfiledata::GetLightInfo() {
  const Json::Value* section = FindSection(kLightInfo);
  if (section == nullptr || !section->isObject()) {
    lightInfo_ = fallbackLightInfo_;
    return lightInfo_;
  }
  LightInfoRecord r;
  r.selectItem = ByteMember(*section, "SelectItem");
  r.light = ByteMember(*section, "Light");
  r.speed = ByteMember(*section, "Speed");
  r.fx = ByteMember(*section, "Fx");
  r.multiColor = BoolMember(*section, "MultiColor");
  r.red = ByteMember(*section, "Red");
  r.green = ByteMember(*section, "Green");
  r.blue = ByteMember(*section, "Blue");
  r.zzccLedMode = ByteMember(*section, "ZZCCLedMode");
  r.customGroup = ByteMember(*section, "CustomGroup");
  r.oldLedMode = ByteMember(*section, "OldLedmode");
  lightInfo_ = r;
  return lightInfo_;
}

void CBasicProfiledata::SetLightInfo(uint32_t w1, uint32_t w2, uint32_t w3, uint16_t h4) {
  const LightInfoRecord r = LightInfoRecord::FromWords(w1, w2, w3, h4);
  Json::Value& section = WritableSection(kLightInfo);
  section["SelectItem"] = r.selectItem;
  section["Light"] = r.light;
  section["Speed"] = r.speed;
  section["Fx"] = r.fx;
  section["MultiColor"] = r.multiColor;
  section["Red"] = r.red;
  section["Green"] = r.green;
  section["Blue"] = r.blue;
  section["ZZCCLedMode"] = r.zzccLedMode;
  section["CustomGroup"] = r.customGroup;
  section["OldLedmode"] = r.oldLedMode;
}

AudioLightRecord CBasicProfiledata::GetAudioLight() {
  AudioLightRecord r;
  const Json::Value* section = FindSection(kAudioLightInfo);
  if (section != nullptr && section->isObject()) {
    r.audioMode = ByteMember(*section, "AudioMode");
    r.bkRed = ByteMember(*section, "BkColorR");
    r.bkGreen = ByteMember(*section, "BkColorG");
    r.bkBlue = ByteMember(*section, "BkColorB");
    r.fgRed = ByteMember(*section, "FgColorR");
    r.fgGreen = ByteMember(*section, "FgColorG");
    r.fgBlue = ByteMember(*section, "FgColorB");
    r.sevenColor = BoolMember(*section, "7ColorFlags");
    r.colorType = BoolMember(*section, "ColorTypeFlags");
  }
  audioLight_ = r;
  return audioLight_;
}

void CBasicProfiledata::SetAudioLight(uint32_t w1, uint32_t w2, uint8_t b3) {
  const AudioLightRecord r = AudioLightRecord::FromWords(w1, w2, b3);
  Json::Value& section = WritableSection(kAudioLightInfo);
  section["AudioMode"] = r.audioMode;
  section["BkColorR"] = r.bkRed;
  section["BkColorG"] = r.bkGreen;
  section["BkColorB"] = r.bkBlue;
  section["FgColorR"] = r.fgRed;
  section["FgColorG"] = r.fgGreen;
  section["FgColorB"] = r.fgBlue;
  section["7ColorFlags"] = r.sevenColor;
  section["ColorTypeFlags"] = r.colorType;
}

std::vector<LightListEntry> CBasicProfiledata::GetLightList() {
  std::vector<LightListEntry> list;
  if (const Json::Value* leds = FindArray(currentEntry_, kLightList)) {
    list.reserve(leds->size());
    for (const Json::Value& element : *leds) list.push_back(ReadLightListEntry(element));
  }
  lightList_ = list;
  return list;
}

std::vector<LightEffectEntry> CBasicProfiledata::GetLightEffects() {
  if (lightConfig_.isNull()) return lightEffects_ = {};
  const Json::Value* perProfile = FindArray(lightConfig_, kLightInfo);
  const Json::Value* effects = perProfile ? FindElement(*perProfile, profileIndex_) : nullptr;
  const Json::Value* chosen = effects ? FindElement(*effects, lightInfo_.selectItem) : nullptr;
  const std::string guid = chosen ? StringMember(*chosen, "Guid") : std::string();
  const std::string path = LightEffectPath(guid);
  lightEffects_ = path.empty() ? std::vector<LightEffectEntry>() : ReadLightEffectFile(path);
  return lightEffects_;
}

// The .light file of an effect: an absolute Guid is used unchanged; a plain name is looked
// up beside the light configuration document, then in the default data folder. Anything
// else (a relative path, "..") is refused.
std::string CBasicProfiledata::LightEffectPath(const std::string& guid) const {
  if (guid.empty()) return {};
  const std::string fileName = guid + kLightEffectExtension;
  if (guid.front() == '/') return fileName;
  if (!platform::IsPlainFileName(fileName)) return {};
  const std::string beside = platform::JoinPath(FolderOf(configPath_), fileName);
  if (::access(beside.c_str(), R_OK) == 0 || defaultPath_.empty()) return beside;
  return platform::JoinPath(FolderOf(defaultPath_), fileName);
}

std::vector<KeyAssignEntry> CBasicProfiledata::GetKeyList() {
  keyList_ = ReadKeyList(currentEntry_);
  return keyList_;
}

void CBasicProfiledata::SetKeyList(const std::vector<KeyAssignEntry>& list) {
  keyList_ = list;
  WriteKeyList(currentEntry_, list);
}

std::vector<KeyAssignEntry> CBasicProfiledata::GetOtherKeyList() {
  otherKeyList_ = ReadKeyList(otherEntry_);
  return otherKeyList_;
}

void CBasicProfiledata::SetOtherKeyList(const std::vector<KeyAssignEntry>& list) {
  otherKeyList_ = list;
  WriteKeyList(otherEntry_, list);
}

}  // namespace velmora::profiles
