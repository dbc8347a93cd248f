#pragma once

#include <json/json.h>

#include <cstdint>
#include <optional>
#include <string>

namespace velmora::profiles {

// Safe access to document members. A member of the wrong JSON type reads as absent, and the
// writers replace a container of the wrong type, so no malformed document can make JsonCpp
// throw.

// Largest array index the writers create; higher indices are refused, so a hand-edited
// number cannot make a writer grow an array without bound.
inline constexpr Json::ArrayIndex kMaxWritableIndex = 4095;

// value[key] when value is an object holding key; else nullptr.
const Json::Value* FindMember(const Json::Value& value, const char* key);
// value[index] when value is an array long enough; else nullptr.
const Json::Value* FindElement(const Json::Value& value, Json::ArrayIndex index);
// The member when present and an object / array; else nullptr.
const Json::Value* FindObject(const Json::Value& value, const char* key);
const Json::Value* FindArray(const Json::Value& value, const char* key);

// An integral member (integers, or doubles with an integral value); nullopt otherwise.
std::optional<int64_t> ReadInteger(const Json::Value* value);
// Integer member of an object, 0 when absent or of the wrong type.
int64_t IntMember(const Json::Value& object, const char* key);
// Integer member cut to its low byte / low 16 bits (the record field widths).
uint8_t ByteMember(const Json::Value& object, const char* key);
uint16_t HalfMember(const Json::Value& object, const char* key);
// Boolean member: true/false, or an integer read as non-zero; 0 when absent.
uint8_t BoolMember(const Json::Value& object, const char* key);
// String member, empty when absent or not a string (bytes kept as stored).
std::string StringMember(const Json::Value& object, const char* key);

// value made an object when it is not one; returns value[key].
Json::Value& WritableMember(Json::Value& value, const char* key);
// value[key] made an object when it is not one.
Json::Value& WritableObject(Json::Value& value, const char* key);
// value made an array when it is not one; returns value[index] (the array grows with nulls).
// nullptr when index is above kMaxWritableIndex.
Json::Value* WritableElement(Json::Value& value, Json::ArrayIndex index);

}  // namespace velmora::profiles
