#include "ui/NumberBoxGuard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>

namespace orbelin::ui {

namespace {
constexpr std::string_view kCheckTitle = "入力確認";
constexpr std::string_view kEnterNumber = "数値を入力してください";
}  // namespace

bool isNumberBoxCharacter(QChar character) {
  const char16_t code = character.unicode();
  return (code >= u'0' && code <= u'9') || code == 8 || code == 9 || code == 10 || code == 13;
}

NumberBoxGuard::NumberBoxGuard(platform::MessageBox& messages, QWidget& window, QObject* parent)
    : QObject(parent), m_messages(messages), m_window(window) {
  connect(qApp, &QApplication::focusChanged, this, &NumberBoxGuard::onFocusChanged);
}

void NumberBoxGuard::filterKeys(QLineEdit& box) {
  m_filtered.push_back(&box);
  box.installEventFilter(this);
}

void NumberBoxGuard::checkOnLeave(QLineEdit& box, ExtraCheck extra) { m_checked.push_back({&box, std::move(extra)}); }

bool NumberBoxGuard::holdsRejectedValue() const { return m_rejected && m_rejected->text() == m_rejectedText; }

bool NumberBoxGuard::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  if (std::find(m_filtered.begin(), m_filtered.end(), watched) == m_filtered.end()) return false;
  const QString typed = static_cast<QKeyEvent*>(event)->text();
  // Keys without a character (arrows, Home, Delete) edit the box and pass.
  if (typed.isEmpty()) return false;
  return !std::all_of(typed.begin(), typed.end(), isNumberBoxCharacter);
}

void NumberBoxGuard::onFocusChanged(QWidget* old, QWidget* now) {
  // Focus moving to another window (a message box, a picker, another program) is no leave.
  if (m_checking || old == nullptr || now == nullptr || now == m_exempt) return;
  if (now->window() != &m_window || old->window() != &m_window) return;
  const auto found = std::find_if(m_checked.begin(), m_checked.end(),
                                  [old](const Checked& checked) { return checked.box == old; });
  if (found == m_checked.end()) return;
  m_checking = true;
  if (!passes(*found)) {
    m_rejected = found->box;
    m_rejectedText = found->box->text();
  } else if (m_rejected == found->box) {
    m_rejected = nullptr;
  }
  m_checking = false;
}

bool NumberBoxGuard::passes(const Checked& checked) {
  QLineEdit& box = *checked.box;
  if (box.text().isEmpty()) {
    m_messages.show(platform::MessageIcon::Warning, kCheckTitle, kEnterNumber);
    box.setFocus();
    return false;
  }
  return !checked.extra || checked.extra(box);
}

}  // namespace orbelin::ui
