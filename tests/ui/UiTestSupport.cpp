#include "UiTestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include "platform/Transcript.h"

namespace orbelin::test {

namespace {

/// One QApplication for the test program, on the offscreen platform.
class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "ui_test";
    static char* argv[] = {name, nullptr};
    m_app = new QApplication(argc, argv);
  }
  void TearDown() override {
    delete m_app;
    m_app = nullptr;
  }

 private:
  QApplication* m_app = nullptr;
};

[[maybe_unused]] auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

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
