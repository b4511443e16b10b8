#include "platform/qt/QtClipboard.h"

#include <QClipboard>
#include <QEventLoop>
#include <QGuiApplication>
#include <QString>
#include <QThread>
#include <QTimer>

namespace orbelin::platform::qt {

bool QtClipboard::setText(std::string_view text) {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return false;
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr) return false;
  clipboard->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), QClipboard::Clipboard);
  return true;
}

void servingPause(int ms) {
  if (ms <= 0) return;
  if (QCoreApplication::instance() == nullptr) {
    QThread::msleep(static_cast<unsigned long>(ms));
    return;
  }
  QEventLoop loop;
  QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
  // The user's own clicks and keys wait; clipboard requests and timers do not.
  loop.exec(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace orbelin::platform::qt
