#pragma once

#include <QDialog>
#include <string>

#include "platform/MessageBox.h"
#include "ui/DesktopTools.h"

namespace orbelin::ui {

/// The program's version numbers and release date ("yyyy-mm-dd").
struct ProgramVersion {
  int major;
  int minor;
  int revision;
  std::string releaseDate;
};

/// The version and release date this program was built with.
ProgramVersion builtVersion();

/// The help document beside the program.
inline constexpr const char* kHelpFileName = "qelt.html";

/// The About box: version, release date, the system-information tool and the help.
class frmAbout : public QDialog {
  Q_OBJECT
 public:
  frmAbout(const ProgramVersion& version, const QString& programDir, platform::MessageBox& messages,
           DesktopTools& tools, QWidget* parent = nullptr);

  /// Starts the system-information tool, or says that there is none.
  void StartSysInfo();
  /// Opens the help document with the desktop's viewer.
  void HelpCmd_Click();

 private:
  QString m_programDir;
  platform::MessageBox& m_messages;
  DesktopTools& m_tools;
};

}  // namespace orbelin::ui
