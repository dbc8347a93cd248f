#pragma once

#include <string>
#include <string_view>

namespace velmora::profiles {

// Replaces the file at path with content so that readers see either the old file or the whole
// new one: the content goes to "<path>.tmp-<pid>-<n>" in the same folder, is flushed to disk
// and renamed over the target, keeping the target's permission bits (a new file gets 0644
// less the umask). On any failure the temporary file is removed, the target is left as it
// was and false is returned.
bool WriteFileAtomically(const std::string& path, std::string_view content);

// The steps of WriteFileAtomically at which a test can make it fail.
enum class AtomicWriteStep { kOpen, kWrite, kSync, kRename };

// Makes WriteFileAtomically fail at one step while it lives (for tests). At kWrite half of the
// content has reached the temporary file when the failure strikes, as on a full disk.
class ScopedAtomicWriteFault {
 public:
  explicit ScopedAtomicWriteFault(AtomicWriteStep step);
  ~ScopedAtomicWriteFault();
  ScopedAtomicWriteFault(const ScopedAtomicWriteFault&) = delete;
  ScopedAtomicWriteFault& operator=(const ScopedAtomicWriteFault&) = delete;
};

}  // namespace velmora::profiles
