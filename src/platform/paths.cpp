#include "platform/paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace velmora::platform {
namespace {

std::string EnvOr(const char* name, const std::string& fallback) {
  const char* v = std::getenv(name);
  return (v != nullptr && *v != '\0') ? std::string(v) : fallback;
}

std::string HomeDir() { return EnvOr("HOME", "/tmp"); }

bool HasProgramData(const std::filesystem::path& dir) {
  std::error_code ec;
  return std::filesystem::is_directory(dir / "DefaultData", ec) ||
         std::filesystem::is_directory(dir / "skin", ec);
}

}  // namespace

std::string ConfigHome() { return EnvOr("XDG_CONFIG_HOME", HomeDir() + "/.config"); }
std::string DataHome() { return EnvOr("XDG_DATA_HOME", HomeDir() + "/.local/share"); }
std::string TempDir() { return EnvOr("TMPDIR", "/tmp"); }

std::string RuntimeDir() {
  std::string dir;
  if (const char* r = std::getenv("XDG_RUNTIME_DIR"); r != nullptr && *r != '\0') {
    dir = JoinPath(r, kAppFolderName);
  } else {
    dir = "/tmp/velmora-" + std::to_string(getuid());
  }
  if (mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) MakeDirectories(dir);
  return dir;
}

std::string ExecutableDir() {
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return ".";
  return exe.parent_path().string();
}

std::string ProgramDataDir() {
  std::filesystem::path dir = ExecutableDir();
  for (auto p = dir; !p.empty(); p = p.parent_path()) {
    if (HasProgramData(p)) return p.string();
    std::filesystem::path installed = p / "share" / "velmora-q7-pro";
    if (HasProgramData(installed)) return installed.string();
    if (p == p.parent_path()) break;
  }
#ifdef VELMORA_SOURCE_DIR
  if (HasProgramData(VELMORA_SOURCE_DIR)) return VELMORA_SOURCE_DIR;
#endif
  return dir.string();
}

std::string JoinPath(const std::string& a, const std::string& b) {
  if (a.empty()) return b;
  if (b.empty()) return a;
  const bool aSlash = a.back() == '/';
  const bool bSlash = b.front() == '/';
  if (aSlash && bSlash) return a + b.substr(1);
  if (aSlash || bSlash) return a + b;
  return a + "/" + b;
}

bool MakeDirectories(const std::string& path) {
  std::error_code ec;
  std::filesystem::create_directories(path, ec);
  return std::filesystem::is_directory(path, ec);
}

bool IsPlainFileName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (char c : name) {
    if (c == '/' || c == '\\' || c == '\0') return false;
  }
  return name.find("..") == std::string::npos;
}

}  // namespace velmora::platform
