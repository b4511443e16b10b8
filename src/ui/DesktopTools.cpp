#include "ui/DesktopTools.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace orbelin::ui {

std::optional<QString> SystemDesktopTools::systemInfoTool() {
  // The system-information programs of the common desktops, most specific first.
  for (const char* name : {"hardinfo2", "hardinfo", "kinfocenter", "gnome-system-monitor", "xfce4-taskmanager"}) {
    const QString found = QStandardPaths::findExecutable(QString::fromLatin1(name));
    if (!found.isEmpty()) return found;
  }
  return std::nullopt;
}

bool SystemDesktopTools::start(const QString& program) { return QProcess::startDetached(program, {}); }

bool SystemDesktopTools::openDocument(const QString& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace orbelin::ui
