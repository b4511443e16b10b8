#pragma once

#include <QDialog>
#include <functional>

#include "ui/UiContext.h"

class QListWidget;

namespace orbelin::ui {

/// Chooses which Application Identifiers are output: AIList holds the chosen ones,
/// AIDBList the others. OK writes the choice to the EAN128 table.
class frmEANSet : public QDialog {
  Q_OBJECT
 public:
  explicit frmEANSet(UiContext& context, QWidget* parent = nullptr);

  void AddAllCmd_Click();
  void DelAllCmd_Click();
  void cmdOK_Click();

 private:
  /// Runs work; a failure is logged and shown under title with text, and false returned.
  bool guarded(const char* title, const char* text, const std::function<void()>& work);
  void refill(bool allChosen);

  UiContext& m_ctx;
  QListWidget* m_chosen = nullptr;
  QListWidget* m_others = nullptr;
};

/// The texts of the AI editors' failure boxes.
inline constexpr const char* kAiReadFailed = "ＥＡＮ１２８用ＤＢが読み込めませんでした";
inline constexpr const char* kAiWriteFailed = "ＥＡＮ１２８用ＤＢ書込みに失敗しました";

}  // namespace orbelin::ui
