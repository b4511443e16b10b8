#include "ui/QtMessageBox.h"

#include <QApplication>
#include <QMessageBox>

#include "ui/QtText.h"

namespace orbelin::ui {

namespace {

QMessageBox::Icon qtIcon(platform::MessageIcon icon) {
  switch (icon) {
    case platform::MessageIcon::Critical: return QMessageBox::Critical;
    case platform::MessageIcon::Warning: return QMessageBox::Warning;
    case platform::MessageIcon::Exclamation: return QMessageBox::Warning;
    case platform::MessageIcon::Information: return QMessageBox::Information;
    case platform::MessageIcon::Question: return QMessageBox::Question;
    case platform::MessageIcon::None: return QMessageBox::NoIcon;
  }
  return QMessageBox::NoIcon;
}

// Windows boxes break lines at CR LF; Qt wants a bare line feed.
QString boxText(std::string_view text) { return qs(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

}  // namespace

void QtMessageBox::show(platform::MessageIcon icon, std::string_view title, std::string_view text) {
  QMessageBox box(qtIcon(icon), qs(title), boxText(text), QMessageBox::Ok, QApplication::activeWindow());
  box.exec();
}

bool QtMessageBox::ask(platform::MessageIcon icon, std::string_view title, std::string_view text) {
  QMessageBox box(qtIcon(icon), qs(title), boxText(text), QMessageBox::Yes | QMessageBox::No,
                  QApplication::activeWindow());
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

}  // namespace orbelin::ui
