#include "UiTestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include "platform/common/Transcript.h"
#include "support/QtEnvironment.h"

namespace orbelin::test {

namespace {

[[maybe_unused]] auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment("ui_test"));

}  // namespace

int ScriptedModalRunner::run(QDialog& dialog) {
  opened.push_back(ui::str(dialog.objectName()));
  dialog.setResult(QDialog::Rejected);
  if (m_scripts.empty()) return QDialog::Rejected;
  auto script = std::move(m_scripts.front());
  m_scripts.pop_front();
  script(dialog);
  return dialog.result();
}

QString ScriptedModalRunner::openFileName(QWidget*, const QString& title, const QString& filter,
                                          const QString& folder) {
  fileChoosers.push_back(ui::str(title + "|" + filter + "|" + folder));
  if (m_files.empty()) return {};
  QString name = m_files.front();
  m_files.pop_front();
  return name;
}

std::string boxLine(std::string_view icon, std::string_view title, std::string_view text) {
  return "msgbox " + std::string(icon) + " " + platform::quoteForTranscript(title) + " " +
         platform::quoteForTranscript(text);
}

void click(const QObject& root, std::string_view name) {
  auto& button = child<QAbstractButton>(root, name);
  // A check box reacts on its indicator and caption, which start at the left edge.
  const bool checkBox = button.inherits("QCheckBox");
  const QPoint at = checkBox ? QPoint(6, button.height() / 2) : button.rect().center();
  QTest::mouseClick(&button, Qt::LeftButton, Qt::NoModifier, at);
}

void showActive(QWidget& window) {
  window.show();
  window.activateWindow();
  if (!QTest::qWaitForWindowActive(&window)) throw std::runtime_error("the window did not become active");
}

}  // namespace orbelin::test
