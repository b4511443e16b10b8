// Takes PNG pictures of every settings page, the table editors, the pickers and the About
// box: orbelin-ui-shots OUTPUT_FOLDER. Run it on a display with a Japanese font.
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTreeWidget>
#include <iostream>

#include "report/FailureReporter.h"
#include "convert/ean/AiTableStore.h"
#include "convert/ean/BuiltInAiTable.h"
#include "platform/common/Transcript.h"
#include "platform/sim/RecordingMessageBox.h"
#include "platform/sim/ScriptedYesNoPrompt.h"
#include "platform/sim/SimClock.h"
#include "support/ShotFolder.h"
#include "support/TempDir.h"
#include "ui/DesktopTools.h"
#include "ui/ModalRunner.h"
#include "ui/frmAbout.h"
#include "ui/frmAsciiSet.h"
#include "ui/frmByteEdSet.h"
#include "ui/frmChikanSet.h"
#include "ui/frmEANNo.h"
#include "ui/frmEANSet.h"
#include "ui/frmKeySet.h"
#include "ui/frmSet.h"

namespace {

using namespace orbelin;

bool save(QWidget& window, const QDir& folder, const QString& name) {
  window.show();
  QApplication::processEvents();
  const QString path = folder.filePath(name + QStringLiteral(".png"));
  if (!window.grab().save(path)) {
    std::cerr << "cannot write " << path.toStdString() << "\n";
    return false;
  }
  std::cout << path.toStdString() << "\n";
  return true;
}

void sampleContent(settings::Configuration& configuration) {
  auto& values = configuration.settings;
  values.set(settings::Setting::Select, "1");
  values.set(settings::Setting::RcvHead, "3");
  values.set(settings::Setting::HeadOther, "2");
  values.set(settings::Setting::RcvFoot, "3");
  values.set(settings::Setting::Trigger, "5");
  values.set(settings::Setting::KeyFoot, "{ENTER}");
  values.set(settings::Setting::File, "1");
  values.set(settings::Setting::FilePath, "/home/user/受信データ.txt");
  values.set(settings::Setting::BookJAN, "1");
  auto& tables = configuration.tables;
  tables.substitutions[0] = {"<C R><L F>", "{ENTER}", "\r\n", "{ENTER}"};
  tables.substitutions[1] = {"ｱｲｳ", "アイウ", "ｱｲｳ", "アイウ"};
  tables.byteEdits[0] = {"3", "2", "-"};
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const auto output = test::shotFolder(argc, argv, "orbelin-ui-shots");
  if (!output) return 2;
  const QDir& folder = *output;
  test::TempDir programDir;
  platform::Transcript transcript;
  platform::sim::SimClock clock;
  platform::sim::RecordingMessageBox messages(transcript);
  platform::sim::ScriptedYesNoPrompt questions(transcript);
  report::ProgramPaths paths{programDir.path()};
  report::FailureReporter reporter(paths.errorLog(), clock, messages);
  settings::Configuration configuration;
  sampleContent(configuration);
  ui::ExecModalRunner modals;
  ui::PickerResult picker;
  ui::UiContext context{configuration, paths, reporter, questions, modals, picker};

  bool ok = true;
  ui::frmSet dialog(context, [] {});
  for (const char* key : {"COM_0", "COM_1", "COM_2", "RCV_0", "SND_0", "SND_1", "SND_2", "SPC_0", "SPC_2",
                          "MOV_0", "FIL_0", "SPC_1"}) {
    dialog.findChild<QTreeWidget*>(QStringLiteral("tvwImageList"))->expandAll();
    dialog.showPage(QString::fromLatin1(key));
    ok = save(dialog, folder, QStringLiteral("settings-") + QString::fromLatin1(key)) && ok;
  }
  ui::frmChikanSet substitution(context);
  ok = save(substitution, folder, QStringLiteral("editor-substitution")) && ok;
  ui::frmByteEdSet byteEdit(context);
  ok = save(byteEdit, folder, QStringLiteral("editor-byte-edit")) && ok;
  convert::ean::AiTableStore(paths.database()).create(convert::ean::builtInAiTable());
  ui::frmEANSet aiSelection(context);
  ok = save(aiSelection, folder, QStringLiteral("editor-ai-selection")) && ok;
  ui::frmEANNo aiOrder(context);
  ok = save(aiOrder, folder, QStringLiteral("editor-ai-order")) && ok;
  ui::frmKeySet keys(picker);
  ok = save(keys, folder, QStringLiteral("picker-keys")) && ok;
  ui::frmAsciiSet codes(picker);
  ok = save(codes, folder, QStringLiteral("picker-control-codes")) && ok;
  ui::SystemDesktopTools tools;
  ui::frmAbout about(ui::builtVersion(), ui::AboutFolders{QString(), QStringLiteral("/home/user/.local/share/orbelin")},
                     messages, tools);
  ok = save(about, folder, QStringLiteral("about")) && ok;
  return ok ? 0 : 1;
}
