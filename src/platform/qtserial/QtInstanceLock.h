#pragma once

#include <QLockFile>
#include <filesystem>

#include "platform/InstanceLock.h"

namespace orbelin::platform::qtserial {

/// The single-instance lock: a lock file in the program folder, held by this process
/// until it ends. A lock left by a process that died is taken over.
class QtInstanceLock : public InstanceLock {
 public:
  explicit QtInstanceLock(const std::filesystem::path& file);
  bool tryAcquire() override;

 private:
  QLockFile m_lock;
};

}  // namespace orbelin::platform::qtserial
