#include "xvfb_display.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

extern char** environ;

// GTK, fontconfig and the accessibility bridge keep caches for the life of the process; they
// are not leaks of the code under test.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig\nleak:libgtk-3\nleak:libgdk-3\nleak:libglib-2.0\nleak:libgobject-2.0\n"
         "leak:libpango\nleak:libcairo\nleak:libharfbuzz\nleak:libgio-2.0\nleak:libX11\n";
}

namespace velmora::testing {

namespace {

pid_t serverPid = 0;

void StopServer() {
  if (serverPid <= 0) return;
  kill(serverPid, SIGTERM);
  waitpid(serverPid, nullptr, 0);
  serverPid = 0;
}

// Xvfb picks a free display itself and writes its number to the pipe once it accepts clients.
bool StartServer() {
  int fds[2];
  if (pipe(fds) != 0) return false;
  std::string fd = std::to_string(fds[1]);
  const char* argv[] = {"Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x800x24", "-nolisten", "tcp", nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  int rc = posix_spawnp(&serverPid, "Xvfb", &actions, nullptr, const_cast<char**>(argv), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  if (rc != 0) {
    close(fds[0]);
    serverPid = 0;
    return false;
  }
  std::string number;
  char c = 0;
  while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
  close(fds[0]);
  if (number.empty()) {
    StopServer();
    return false;
  }
  setenv("DISPLAY", (":" + number).c_str(), 1);
  std::atexit(StopServer);
  return true;
}

}  // namespace

bool EnsureDisplay() {
  setenv("NO_AT_BRIDGE", "1", 1);
  setenv("GDK_BACKEND", "x11", 1);
  // File dialogs store their settings; without a session bus they stay in memory.
  setenv("GSETTINGS_BACKEND", "memory", 1);
  // A private server keeps test windows off the developer's desktop; an existing display is
  // the fallback where Xvfb is missing.
  if (serverPid > 0 || StartServer()) return true;
  const char* display = std::getenv("DISPLAY");
  return display && *display;
}

}  // namespace velmora::testing
