#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "settings/Settings.h"
#include "ui/SettingsLists.h"
#include "ui/UiContext.h"

class QTreeWidget;
class QTreeWidgetItem;
class QLineEdit;

namespace orbelin::ui {

class NumberBoxGuard;

/// The settings dialog: a tree of pages on the left, the page of the chosen node on the
/// right. It edits the controls only; OK stores everything at once (SetTBL).
class frmSet : public QDialog {
  Q_OBJECT
 public:
  /// connectToggle is the main window's connect toggle, run after "設定＆ 接続".
  frmSet(UiContext& context, std::function<void()> connectToggle, QWidget* parent = nullptr);
  ~frmSet() override;

  /// Shows the built-in defaults (isDefault) or the live settings in the controls;
  /// false after reporting a value that cannot be shown.
  bool GetTBL(bool isDefault);
  /// Stores the controls into the live settings and writes QELT.INI.
  bool SetTBL();
  /// Clears and fills every list of the dialog.
  void FillLists();
  /// Hides every page.
  void HideAllPages();
  /// Shows the page of the node key ("COM_0", ...) and selects its node; none for the root.
  void showPage(const QString& key);
  /// The tree node with key, or nullptr when the tree holds none.
  QTreeWidgetItem* node(const QString& key) const;

 private:
  void buildTree();
  void buildPages();
  void buildButtons();
  void connectHandlers();
  void connectEnableHandlers();
  void connectExclusiveHandlers();
  void connectTransferConfirmations();
  void setupNumberBoxes();
  std::array<std::string, kPortEntryCount> stablePortChoices() const;
  bool storeStablePortName();
  void connectButtons();
  void connectEditors();

  void onRecvFormatChanged();
  void onRecvHeadChanged();
  void onRecvFootChanged();
  void onEANChkChanged(bool checked);
  void onBookJANChanged(bool checked);
  void confirmTransferMode(std::string_view box);
  bool bufferSizeInRange(QLineEdit& box);

  void cmdOK_Click();
  void cmdOKConnect_Click();
  void DefaultCmd_Click();
  void FileCmd_Click();
  void appendKeyPick(const char* textBox);
  bool fileNameMissing();
  void showFilePage();

  UiContext& m_ctx;
  std::function<void()> m_connectToggle;
  settings::Settings m_working;
  QTreeWidget* m_tree = nullptr;
  NumberBoxGuard* m_guard = nullptr;
};

/// The part of a path before its last "/", empty when it holds none.
std::string FolderOf(std::string_view path);

}  // namespace orbelin::ui
