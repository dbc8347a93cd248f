#pragma once

#include <json/json.h>

#include <string>

namespace velmora::profiles {

// Result of the document writers.
inline constexpr int kWriteOk = 0;
inline constexpr int kWriteFailed = -1;

// Reads a whole JSON document (comments allowed). Null when the file is missing, unreadable,
// empty or not valid JSON. Logs "readjsonFile 错误吗：：<errno>" on every call and the path when
// the content is empty.
Json::Value ReadJsonFile(const std::string& path);

// Writes value in the styled form (three-space indent, UTF-8 kept as is) followed by one line
// end. The file is replaced atomically: on any failure the previous file stays intact and
// kWriteFailed is returned; kWriteOk otherwise.
int WriteJsonFile(const std::string& path, const Json::Value& value);

// The styled text WriteJsonFile stores (ends with one line end).
std::string StyledJsonText(const Json::Value& value);

}  // namespace velmora::profiles
