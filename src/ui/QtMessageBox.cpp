#include "ui/QtMessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

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

void QtMessageBox::showAside(platform::MessageIcon icon, std::string_view title, std::string_view text) {
  // A box of the same kind still open says it already; one per kind is enough.
  for (const QPointer<QMessageBox>& open : m_aside) {
    if (open && open->windowTitle() == qs(title) && open->text() == boxText(text)) return;
  }
  std::erase_if(m_aside, [](const QPointer<QMessageBox>& open) { return open.isNull(); });
  // Not modal: a modal window is activated when shown, and the keys typed next would
  // go into it. It is clicked away with the mouse.
  auto* box = new QMessageBox(qtIcon(icon), qs(title), boxText(text), QMessageBox::Ok);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setAttribute(Qt::WA_ShowWithoutActivating);
  box->setWindowFlag(Qt::WindowDoesNotAcceptFocus);
  box->setModal(false);
  box->show();
  m_aside.emplace_back(box);
}

bool QtMessageBox::ask(platform::MessageIcon icon, std::string_view title, std::string_view text) {
  QMessageBox box(qtIcon(icon), qs(title), boxText(text), QMessageBox::Yes | QMessageBox::No,
                  QApplication::activeWindow());
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

}  // namespace orbelin::ui
