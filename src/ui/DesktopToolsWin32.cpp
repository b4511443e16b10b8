#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

#include "platform/win32/SystemInfoTool.h"
#include "ui/DesktopTools.h"

namespace orbelin::ui {

std::optional<QString> SystemDesktopTools::systemInfoTool() {
  const auto found = platform::win32::findSystemInfoTool();
  if (!found) return std::nullopt;
  return QString::fromStdU16String(found->u16string());
}

bool SystemDesktopTools::start(const QString& program) { return QProcess::startDetached(program, {}); }

bool SystemDesktopTools::openDocument(const QString& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace orbelin::ui
