#pragma once

#include <QDialog>
#include <QString>
#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/sim/ScriptedYesNoPrompt.h"
#include "settings/Configuration.h"
#include "support/Harness.h"
#include "ui/ModalRunner.h"
#include "ui/QtText.h"
#include "ui/UiContext.h"

namespace orbelin::test {

/// Runs modal windows without an event loop: each run plays the next script on the
/// window (clicking its buttons); with no script left the window is closed as by its
/// close box. File choices come from a queue as well.
class ScriptedModalRunner : public ui::ModalRunner {
 public:
  using Script = std::function<void(QDialog&)>;
  void then(Script script) { m_scripts.push_back(std::move(script)); }
  void chooseFile(QString name) { m_files.push_back(std::move(name)); }
  int run(QDialog& dialog) override;
  QString openFileName(QWidget* parent, const QString& title, const QString& filter, const QString& folder) override;

  /// The object names of the windows run, in order.
  std::vector<std::string> opened;
  /// "title|filter|folder" of every file chooser shown.
  std::vector<std::string> fileChoosers;

 private:
  std::deque<Script> m_scripts;
  std::deque<QString> m_files;
};

/// A program folder, a configuration and every service a settings window needs.
struct UiFixture {
  Harness harness;
  settings::Configuration configuration;
  platform::sim::ScriptedYesNoPrompt questions{harness.transcript};
  ScriptedModalRunner modals;
  ui::PickerResult picker;
  ui::UiContext context{configuration, harness.paths, harness.reporter, questions, modals, picker};

  const std::vector<std::string>& lines() const { return harness.transcript.lines(); }
};

/// The transcript line of a message box.
std::string boxLine(std::string_view icon, std::string_view title, std::string_view text);

/// The child with the object name; throws when there is none, so a misnamed control fails the test.
template <class T>
T& child(const QObject& root, std::string_view name) {
  auto* found = root.findChild<T*>(ui::qs(name));
  if (found == nullptr) throw std::runtime_error("no control named " + std::string(name));
  return *found;
}

/// A real mouse click (press and release) in the middle of the named button.
void click(const QObject& root, std::string_view name);

/// Shows window and makes it the active window, so that focus changes happen.
void showActive(QWidget& window);

}  // namespace orbelin::test
