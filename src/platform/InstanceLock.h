#pragma once

namespace orbelin::platform {

/// The single-instance check: held from start-up to the end of the process.
class InstanceLock {
 public:
  virtual ~InstanceLock() = default;
  /// Takes the lock; false when another instance of the same program holds it.
  virtual bool tryAcquire() = 0;
};

}  // namespace orbelin::platform
