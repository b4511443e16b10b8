#include "platform/qtserial/QtInstanceLock.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>
#include <QString>

namespace orbelin::platform::qtserial {

QtInstanceLock::QtInstanceLock(const std::filesystem::path& file)
    : m_lock(QString::fromStdU16String(file.u16string())) {
  // Never stale while the holder lives; a dead holder's lock is recognised by its PID.
  m_lock.setStaleLockTime(0);
}

bool QtInstanceLock::tryAcquire() {
  if (m_lock.isLocked() || m_lock.tryLock(0)) return true;
  return m_lock.error() != QLockFile::LockFailedError;
}

std::filesystem::path instanceLockFile(const std::filesystem::path& programDir) {
#ifdef _WIN32
  QString folder = QDir::tempPath();
#else
  QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty()) folder = QDir::tempPath();
#endif
  std::error_code error;
  auto canonical = std::filesystem::weakly_canonical(programDir, error);
  if (error) canonical = programDir;
  // "DIR" and "DIR/" are one folder, so one lock.
  if (!canonical.has_filename() && canonical.has_parent_path()) canonical = canonical.parent_path();
  const QByteArray key = QString::fromStdU16String(canonical.u16string()).toUtf8();
  const QString digest = QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(16));
  return std::filesystem::path(QDir(folder).filePath(QStringLiteral("orbelin-") + digest + QStringLiteral(".lock"))
                                   .toStdU16String());
}

}  // namespace orbelin::platform::qtserial
