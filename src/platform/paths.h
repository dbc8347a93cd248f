#pragma once

#include <string>

namespace velmora::platform {

// The application's name as it appears in folder names.
inline constexpr const char* kAppFolderName = "VELMORA Q7 PRO";

// $XDG_CONFIG_HOME, else ~/.config.
std::string ConfigHome();
// $XDG_DATA_HOME, else ~/.local/share (the local application-data folder).
std::string DataHome();
// $TMPDIR, else /tmp.
std::string TempDir();
// $XDG_RUNTIME_DIR/VELMORA Q7 PRO, else /tmp/velmora-<uid>; created (mode 0700) on demand.
std::string RuntimeDir();
// The folder of the running executable (from /proc/self/exe), without a trailing '/'.
std::string ExecutableDir();
// The folder holding DefaultData/, skin/ and SDK/: the executable's folder or an ancestor of
// it in a build tree, or <prefix>/share/velmora-q7-pro for an installed build.
std::string ProgramDataDir();

// Joins two path parts with exactly one '/'.
std::string JoinPath(const std::string& a, const std::string& b);
// Creates the folder and its parents (mode 0755); true when it exists afterwards.
bool MakeDirectories(const std::string& path);
// True when the text is a plain file name: not empty, no '/', not "." or "..", no NUL.
bool IsPlainFileName(const std::string& name);

}  // namespace velmora::platform
