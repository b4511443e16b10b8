#include "platform/qtserial/QtInstanceLock.h"

#include <QString>

namespace orbelin::platform::qtserial {

QtInstanceLock::QtInstanceLock(const std::filesystem::path& file) : m_lock(QString::fromStdString(file.string())) {
  // Never stale while the holder lives; a dead holder's lock is recognised by its PID.
  m_lock.setStaleLockTime(0);
}

bool QtInstanceLock::tryAcquire() { return m_lock.isLocked() || m_lock.tryLock(0); }

}  // namespace orbelin::platform::qtserial
