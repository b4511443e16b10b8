#pragma once

#include <QDialog>
#include <functional>

#include "ui/UiContext.h"

class QListWidget;

namespace orbelin::ui {

/// Sets the output order of the Application Identifiers: AIDBList in output order, moved
/// by "上へ"/"下へ" or by dragging; OK numbers the rows in list order.
class frmEANNo : public QDialog {
  Q_OBJECT
 public:
  explicit frmEANNo(UiContext& context, QWidget* parent = nullptr);

  void AddCmd_Click();
  void DelCmd_Click();
  void DefaultCmd_Click();
  void cmdOK_Click();
  /// The item under a vertical position of the list's viewport, limited to the items.
  int itemAt(int y) const;

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool guarded(const char* title, const char* text, const std::function<void()>& work);
  void swapSelected(int offset);

  UiContext& m_ctx;
  QListWidget* m_list = nullptr;
  int m_dragSource = -1;
};

}  // namespace orbelin::ui
