#include "profiles/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>

namespace velmora::profiles {
namespace {

// The step a test asked to fail at; -1 for none.
std::atomic<int> g_faultStep{-1};
std::atomic<unsigned> g_tempCounter{0};

bool FaultAt(AtomicWriteStep step) { return g_faultStep.load() == static_cast<int>(step); }

std::string TempPathFor(const std::string& path) {
  return path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(g_tempCounter++);
}

// Gives the temporary file the permission bits of the target it replaces; a new file keeps
// the mode it was created with.
bool TakeTargetMode(int fd, const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return true;
  return ::fchmod(fd, info.st_mode & 07777) == 0;
}

bool WriteAll(int fd, std::string_view content) {
  size_t limit = content.size();
  if (FaultAt(AtomicWriteStep::kWrite)) limit /= 2;
  size_t done = 0;
  while (done < limit) {
    ssize_t n = ::write(fd, content.data() + done, limit - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  if (FaultAt(AtomicWriteStep::kWrite)) {
    errno = ENOSPC;
    return false;
  }
  return true;
}

bool SyncFile(int fd) {
  if (FaultAt(AtomicWriteStep::kSync)) {
    errno = EIO;
    return false;
  }
  return ::fsync(fd) == 0;
}

bool RenameOver(const std::string& from, const std::string& to) {
  if (FaultAt(AtomicWriteStep::kRename)) {
    errno = EACCES;
    return false;
  }
  return std::rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view content) {
  if (path.empty() || FaultAt(AtomicWriteStep::kOpen)) return false;
  const std::string temp = TempPathFor(path);
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  bool ok = TakeTargetMode(fd, path) && WriteAll(fd, content) && SyncFile(fd);
  ok = (::close(fd) == 0) && ok;
  ok = ok && RenameOver(temp, path);
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

ScopedAtomicWriteFault::ScopedAtomicWriteFault(AtomicWriteStep step) {
  g_faultStep.store(static_cast<int>(step));
}

ScopedAtomicWriteFault::~ScopedAtomicWriteFault() { g_faultStep.store(-1); }

}  // namespace velmora::profiles
