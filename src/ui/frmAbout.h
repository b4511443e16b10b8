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
  std::string licence = {};  ///< SPDX identifier, "Apache-2.0"; no line for none
};

/// The version and release date this program was built with.
ProgramVersion builtVersion();

/// The help document shipped with the program.
inline constexpr const char* kHelpFileName = "qelt.html";

/// Where the About box looks for the help and which program folder it names.
struct AboutFolders {
  /// The folder of the files shipped with the program (the help document).
  QString shipped;
  /// The program folder: settings, logs and marker files.
  QString program;
};

/// The About box: version, release date, the program folder, the system-information
/// tool and the help.
class frmAbout : public QDialog {
  Q_OBJECT
 public:
  frmAbout(const ProgramVersion& version, const AboutFolders& folders, platform::MessageBox& messages,
           DesktopTools& tools, QWidget* parent = nullptr);

  /// Starts the system-information tool, or says that there is none.
  void StartSysInfo();
  /// Opens the help document with the desktop's viewer.
  void HelpCmd_Click();

 private:
  QString m_shippedDir;
  platform::MessageBox& m_messages;
  DesktopTools& m_tools;
};

}  // namespace orbelin::ui
