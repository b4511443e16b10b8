#pragma once

#include <QLockFile>
#include <filesystem>

#include "platform/InstanceLock.h"

namespace orbelin::platform::qtserial {

/// The single-instance lock: a lock file held by this process until it ends. A lock
/// left by a process that died is taken over.
class QtInstanceLock : public InstanceLock {
 public:
  explicit QtInstanceLock(const std::filesystem::path& file);
  /// False only when another live process holds the lock; a lock file that cannot be
  /// made at all does not stop the program.
  bool tryAcquire() override;

 private:
  QLockFile m_lock;
};

/// The lock file of the instance that uses programDir: in the user's runtime folder
/// ($XDG_RUNTIME_DIR, else Qt's private fallback; the temporary folder on Windows), one
/// per program folder, so that a program folder the user cannot write still starts.
std::filesystem::path instanceLockFile(const std::filesystem::path& programDir);

}  // namespace orbelin::platform::qtserial
