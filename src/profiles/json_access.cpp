#include "profiles/json_access.h"

namespace velmora::profiles {

const Json::Value* FindMember(const Json::Value& value, const char* key) {
  if (!value.isObject()) return nullptr;
  return value.find(key, key + std::char_traits<char>::length(key));
}

const Json::Value* FindElement(const Json::Value& value, Json::ArrayIndex index) {
  if (!value.isArray() || index >= value.size()) return nullptr;
  return &value[index];
}

const Json::Value* FindObject(const Json::Value& value, const char* key) {
  const Json::Value* member = FindMember(value, key);
  return member != nullptr && member->isObject() ? member : nullptr;
}

const Json::Value* FindArray(const Json::Value& value, const char* key) {
  const Json::Value* member = FindMember(value, key);
  return member != nullptr && member->isArray() ? member : nullptr;
}

std::optional<int64_t> ReadInteger(const Json::Value* value) {
  if (value == nullptr) return std::nullopt;
  if (value->isInt64()) return value->asInt64();
  if (value->isUInt64()) return static_cast<int64_t>(value->asUInt64());
  return std::nullopt;
}

int64_t IntMember(const Json::Value& object, const char* key) {
  return ReadInteger(FindMember(object, key)).value_or(0);
}

uint8_t ByteMember(const Json::Value& object, const char* key) {
  return static_cast<uint8_t>(IntMember(object, key));
}

uint16_t HalfMember(const Json::Value& object, const char* key) {
  return static_cast<uint16_t>(IntMember(object, key));
}

uint8_t BoolMember(const Json::Value& object, const char* key) {
  const Json::Value* member = FindMember(object, key);
  if (member != nullptr && member->isBool()) return member->asBool() ? 1 : 0;
  return ReadInteger(member).value_or(0) != 0 ? 1 : 0;
}

std::string StringMember(const Json::Value& object, const char* key) {
  const Json::Value* member = FindMember(object, key);
  return member != nullptr && member->isString() ? member->asString() : std::string();
}

Json::Value& WritableMember(Json::Value& value, const char* key) {
  if (!value.isObject()) value = Json::Value(Json::objectValue);
  return value[key];
}

Json::Value& WritableObject(Json::Value& value, const char* key) {
  Json::Value& member = WritableMember(value, key);
  if (!member.isObject()) member = Json::Value(Json::objectValue);
  return member;
}

Json::Value* WritableElement(Json::Value& value, Json::ArrayIndex index) {
  if (index > kMaxWritableIndex) return nullptr;
  if (!value.isArray()) value = Json::Value(Json::arrayValue);
  return &value[index];
}

}  // namespace velmora::profiles
