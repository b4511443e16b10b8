#pragma once

#include <QWidget>
#include <functional>

#include "convert/ean/BarcodeInfoSink.h"
#include "platform/MonitorView.h"

class QLineEdit;
class QPlainTextEdit;

namespace orbelin::ui {

/// The monitor window "モニタ表示": the received chunks as text and in hexadecimal with
/// column and row rulers, and the field listing of the last decoded GS1-128 record.
/// Closing it only hides it, so its contents survive.
class frmHexDump : public QWidget, public platform::MonitorView, public convert::ean::BarcodeInfoSink {
  Q_OBJECT
 public:
  explicit frmHexDump(QWidget* parent = nullptr);

  void showDump(std::string_view hexText, std::string_view sendText) override;
  void setBarcodeInfo(std::string_view text) override;
  /// Called by "表示リセット" so that the dump's own buffers are emptied too.
  void setClearHandler(std::function<void()> handler) { m_onClear = std::move(handler); }

  /// Shows the text view only.
  void TEXTCmd_Click();
  /// Shows the hexadecimal view with its rulers only.
  void HexCmd_Click();
  /// Shows the barcode information only.
  void BarcodeCmd_Click();
  /// Empties the text, hexadecimal and barcode information views.
  void ClearCmd_Click();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildControls();
  void updateRowRuler();

  QPlainTextEdit* m_sendTxt = nullptr;
  QPlainTextEdit* m_hexTxt = nullptr;
  QLineEdit* m_gageX = nullptr;
  QPlainTextEdit* m_gageY = nullptr;
  QPlainTextEdit* m_eanTestTxt = nullptr;
  QWidget* m_hexPage = nullptr;
  std::function<void()> m_onClear;
};

/// The column ruler of the hexadecimal view: "01 02 03 ... 30".
QString columnRuler();
/// The row ruler for lines rows: "01 ", "02 ", ... one per line.
QString rowRuler(int lines);

}  // namespace orbelin::ui
