#include "ui/shell/frmHexDump.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "ui/QtText.h"

namespace orbelin::ui {
namespace {

constexpr int kRulerColumns = 30;

/// The dump keeps CR LF line ends; the text boxes want bare line feeds.
QString boxText(std::string_view text) {
  QString shown = qs(text);
  shown.remove(QLatin1Char('\r'));
  return shown;
}

QPlainTextEdit* makeBox(QWidget& parent, const char* name, const QFont& font) {
  auto* box = new QPlainTextEdit(&parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setReadOnly(true);
  box->setLineWrapMode(QPlainTextEdit::NoWrap);
  box->setFont(font);
  return box;
}

void scrollToEnd(QPlainTextEdit& box) { box.verticalScrollBar()->setValue(box.verticalScrollBar()->maximum()); }

}  // namespace

QString columnRuler() {
  QStringList columns;
  for (int column = 1; column <= kRulerColumns; ++column) columns << QStringLiteral("%1").arg(column, 2, 10, QLatin1Char('0'));
  return columns.join(QLatin1Char(' '));
}

QString rowRuler(int lines) {
  QStringList rows;
  for (int row = 1; row <= lines; ++row) rows << QStringLiteral("%1 ").arg(row, 2, 10, QLatin1Char('0'));
  return rows.join(QLatin1Char('\n'));
}

frmHexDump::frmHexDump(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("frmHexDump"));
  setWindowTitle(QStringLiteral("モニタ表示"));
  buildControls();
  resize(720, 420);
  TEXTCmd_Click();
}

void frmHexDump::buildControls() {
  const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  m_sendTxt = makeBox(*this, "SendTxt", fixed);
  m_hexTxt = makeBox(*this, "HexTxt", fixed);
  m_gageY = makeBox(*this, "GageYText", fixed);
  m_gageY->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  m_gageY->setFixedWidth(QFontMetrics(fixed).horizontalAdvance(QStringLiteral("000 ")) + 12);
  m_eanTestTxt = makeBox(*this, "EANTestTxt", fixed);
  m_gageX = new QLineEdit(columnRuler(), this);
  m_gageX->setObjectName(QStringLiteral("GageXText"));
  m_gageX->setReadOnly(true);
  m_gageX->setFont(fixed);
  // The row ruler follows the hexadecimal view as it scrolls.
  connect(m_hexTxt->verticalScrollBar(), &QScrollBar::valueChanged, m_gageY->verticalScrollBar(), &QScrollBar::setValue);

  auto* hexGrid = new QHBoxLayout;
  hexGrid->addWidget(m_gageY);
  hexGrid->addWidget(m_hexTxt, 1);
  auto* rulerRow = new QHBoxLayout;
  rulerRow->addSpacing(m_gageY->width());
  rulerRow->addWidget(m_gageX, 1);

  auto* buttons = new QHBoxLayout;
  const std::pair<const char*, const char*> captions[] = {{"TEXTCmd", "テキスト表示"}, {"HexCmd", "ヘキサ表示"},
      {"BarcodeCmd", "バーコード情報表示"}, {"ClearCmd", "表示リセット"}, {"CloseCmd", "閉じる"}};
  const std::function<void()> handlers[] = {[this] { TEXTCmd_Click(); }, [this] { HexCmd_Click(); },
      [this] { BarcodeCmd_Click(); }, [this] { ClearCmd_Click(); }, [this] { hide(); }};
  for (std::size_t i = 0; i < std::size(captions); ++i) {
    auto* button = new QPushButton(QString::fromUtf8(captions[i].second), this);
    button->setObjectName(QString::fromLatin1(captions[i].first));
    connect(button, &QPushButton::clicked, this, handlers[i]);
    buttons->addWidget(button);
  }
  // The hexadecimal view and its rulers come and go together, leaving no gap behind.
  m_hexPage = new QWidget(this);
  auto* hexLayout = new QVBoxLayout(m_hexPage);
  hexLayout->setContentsMargins(0, 0, 0, 0);
  hexLayout->addLayout(rulerRow);
  hexLayout->addLayout(hexGrid, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_hexPage, 1);
  layout->addWidget(m_sendTxt, 1);
  layout->addWidget(m_eanTestTxt, 1);
  layout->addLayout(buttons);
}

void frmHexDump::showDump(std::string_view hexText, std::string_view sendText) {
  m_hexTxt->setPlainText(boxText(hexText));
  m_sendTxt->setPlainText(boxText(sendText));
  updateRowRuler();
  scrollToEnd(*m_hexTxt);
  scrollToEnd(*m_sendTxt);
}

void frmHexDump::setBarcodeInfo(std::string_view text) { m_eanTestTxt->setPlainText(boxText(text)); }

void frmHexDump::updateRowRuler() {
  // Every chunk line ends in a line feed, so the last block is the empty one after it.
  const int lines = std::max(0, m_hexTxt->blockCount() - (m_hexTxt->toPlainText().endsWith('\n') ? 1 : 0));
  m_gageY->setPlainText(rowRuler(lines));
}

void frmHexDump::TEXTCmd_Click() {
  m_sendTxt->show();
  m_hexPage->hide();
  for (QWidget* other : {static_cast<QWidget*>(m_hexTxt), static_cast<QWidget*>(m_gageX),
                         static_cast<QWidget*>(m_gageY), static_cast<QWidget*>(m_eanTestTxt)}) {
    other->hide();
  }
}

void frmHexDump::HexCmd_Click() {
  m_sendTxt->hide();
  m_eanTestTxt->hide();
  m_hexTxt->show();
  m_gageX->show();
  m_gageY->show();
  m_hexPage->show();
}

void frmHexDump::BarcodeCmd_Click() {
  for (QWidget* other : {static_cast<QWidget*>(m_hexTxt), static_cast<QWidget*>(m_gageX),
                         static_cast<QWidget*>(m_gageY), static_cast<QWidget*>(m_sendTxt)}) {
    other->hide();
  }
  m_eanTestTxt->show();
  m_hexPage->hide();
}

void frmHexDump::ClearCmd_Click() {
  if (m_onClear) m_onClear();
  m_sendTxt->clear();
  m_hexTxt->clear();
  m_gageY->clear();
  m_eanTestTxt->clear();
}

void frmHexDump::closeEvent(QCloseEvent* event) {
  event->ignore();
  hide();
}

}  // namespace orbelin::ui
