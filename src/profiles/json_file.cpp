#include "profiles/json_file.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <sstream>

#include "platform/debug_output.h"
#include "profiles/atomic_file.h"

namespace velmora::profiles {
namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// The whole content, or an empty string when the size cannot be found or fewer bytes than
// the size could be read.
std::string ReadWholeFile(std::FILE* file) {
  if (std::fseek(file, 0, SEEK_END) != 0) return {};
  long size = std::ftell(file);
  if (size <= 0 || std::fseek(file, 0, SEEK_SET) != 0) return {};
  std::string content(static_cast<size_t>(size), '\0');
  if (std::fread(content.data(), 1, content.size(), file) != content.size()) return {};
  return content;
}

Json::Value ParseDocument(const std::string& content) {
  Json::CharReaderBuilder builder;
  builder["allowComments"] = true;
  builder["collectComments"] = false;
  std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
  Json::Value root;
  std::string errors;
  if (!reader->parse(content.data(), content.data() + content.size(), &root, &errors)) {
    return Json::Value();
  }
  return root;
}

}  // namespace

Json::Value ReadJsonFile(const std::string& path) {
  errno = 0;
  FilePtr file(std::fopen(path.c_str(), "rb"));
  platform::DebugOutputF("readjsonFile 错误吗：：%d\n", errno);
  std::string content;
  if (file) content = ReadWholeFile(file.get());
  file.reset();
  if (content.empty()) {
    platform::DebugOutput(path);
    return Json::Value();
  }
  return ParseDocument(content);
}

std::string StyledJsonText(const Json::Value& value) {
  Json::StreamWriterBuilder builder;
  builder["indentation"] = "   ";
  builder["emitUTF8"] = true;
  builder["commentStyle"] = "None";
  return Json::writeString(builder, value) + "\n";
}

int WriteJsonFile(const std::string& path, const Json::Value& value) {
  return WriteFileAtomically(path, StyledJsonText(value)) ? kWriteOk : kWriteFailed;
}

}  // namespace velmora::profiles
