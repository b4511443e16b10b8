#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

#include "platform/MessageBox.h"

class QLineEdit;
class QWidget;

namespace orbelin::ui {

/// True when a typed character may enter a number box: the digits and the codes 8, 9,
/// 10 and 13.
bool isNumberBoxCharacter(QChar character);

/// The key filter and the leave checks of a window's number boxes. A check runs when a
/// guarded box loses the focus to another control of the same window, except to the
/// exempt control (the window's cancel button); a failed check puts the focus back.
class NumberBoxGuard : public QObject {
  Q_OBJECT
 public:
  /// Extra check after the not-empty check; returns false after showing its own message.
  using ExtraCheck = std::function<bool(QLineEdit&)>;

  NumberBoxGuard(platform::MessageBox& messages, QWidget& window, QObject* parent = nullptr);

  /// Drops typed characters other than digits and 8, 9, 10, 13.
  void filterKeys(QLineEdit& box);
  /// Checks on leaving that the box is not empty, then runs extra (if any).
  void checkOnLeave(QLineEdit& box, ExtraCheck extra = {});
  /// Leaving towards this control is never checked.
  void setExempt(QWidget& control) { m_exempt = &control; }
  /// True while a box whose leave check failed still holds the value that failed.
  bool holdsRejectedValue() const;

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Checked {
    QLineEdit* box;
    ExtraCheck extra;
  };
  void onFocusChanged(QWidget* old, QWidget* now);
  bool passes(const Checked& checked);

  platform::MessageBox& m_messages;
  QWidget& m_window;
  QPointer<QWidget> m_exempt;
  std::vector<QLineEdit*> m_filtered;
  std::vector<Checked> m_checked;
  QPointer<QLineEdit> m_rejected;
  QString m_rejectedText;
  bool m_checking = false;
};

}  // namespace orbelin::ui
