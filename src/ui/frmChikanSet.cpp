#include "ui/frmChikanSet.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <exception>

#include "settings/EditTableStore.h"
#include "ui/EditorRows.h"
#include "ui/Pickers.h"
#include "ui/QtText.h"

namespace orbelin::ui {

void warnBracesAsData(UiContext& context, const char* what) {
  if (!context.configuration.settings.isOn(settings::Setting::SendKeySpc)) return;
  std::string text = what;
  text += "でキー入力を利用するには、\r\n\r\n『特殊コード【{}】を括弧で囲む』のチェックを外す必要があります。";
  context.messages().show(platform::MessageIcon::Information, "設定要求", text);
}

frmChikanSet::frmChikanSet(UiContext& context, QWidget* parent) : QDialog(parent), m_ctx(context) {
  setObjectName(QStringLiteral("frmChikanSet"));
  setWindowTitle(QStringLiteral("文字・文字列を置き換える"));
  auto* grid = new QGridLayout(this);
  EditorRows rows{*this, *grid};
  const auto& table = m_ctx.configuration.tables.substitutions;
  for (int n = 1; n <= static_cast<int>(settings::kSubstitutionRows); ++n) {
    const auto& pair = table[static_cast<std::size_t>(n - 1)];
    const int row = n - 1;
    rows.label(QStringLiteral(" %1").arg(n).toUtf8().constData(), row, 0);
    rows.text(rowName("BTxt", n), row, 1, 160)->setText(qs(pair.before));
    auto* beforePick = rows.button(rowName("BAddCmd", n), "Ascii文字", row, 2);
    rows.label("を", row, 3);
    rows.text(rowName("ATxt", n), row, 4, 160)->setText(qs(pair.after));
    auto* afterPick = rows.button(rowName("AAddCmd", n), "Ascii文字", row, 5);
    auto* keyPick = rows.button(rowName("AKeyAddCmd", n), "KeyBoard", row, 6);
    rows.label("に置き換える。", row, 7);
    const auto pickInto = [this](PickerKind kind, const QString& box) {
      appendPick(m_ctx, kind, *findChild<QLineEdit*>(box), this);
    };
    connect(beforePick, &QPushButton::clicked, this, [pickInto, n] { pickInto(PickerKind::ControlCode, rowName("BTxt", n)); });
    connect(afterPick, &QPushButton::clicked, this, [pickInto, n] { pickInto(PickerKind::ControlCode, rowName("ATxt", n)); });
    connect(keyPick, &QPushButton::clicked, this, [pickInto, n] { pickInto(PickerKind::Key, rowName("ATxt", n)); });
  }
  rows.commandButtons(static_cast<int>(settings::kSubstitutionRows), 8);
  connect(findChild<QPushButton*>(QStringLiteral("cmdOK")), &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(findChild<QPushButton*>(QStringLiteral("cmdCancel")), &QPushButton::clicked, this, &QDialog::reject);
  connect(findChild<QPushButton*>(QStringLiteral("cmdClear")), &QPushButton::clicked, this, [this] { cmdClear_Click(); });
  adjustSize();
  centreOnScreen(*this);
}

void frmChikanSet::cmdOK_Click() {
  bool braces = false;
  for (int n = 1; n <= static_cast<int>(settings::kSubstitutionRows); ++n) {
    braces = braces || rowText(*this, "ATxt", n).contains(QLatin1Char('{'));
  }
  if (braces) warnBracesAsData(m_ctx, "置換");
  try {
    auto& table = m_ctx.configuration.tables.substitutions;
    for (int n = 1; n <= static_cast<int>(settings::kSubstitutionRows); ++n) {
      auto& pair = table[static_cast<std::size_t>(n - 1)];
      pair.before = str(rowText(*this, "BTxt", n));
      pair.after = str(rowText(*this, "ATxt", n));
      pair.beforeWorking = settings::ControlNamesToCodes(pair.before, m_ctx.reporter);
      pair.afterWorking = settings::ControlNamesToCodes(pair.after, m_ctx.reporter);
    }
    settings::PutEdy(m_ctx.configuration.tables, m_ctx.paths.ini(), m_ctx.reporter);
  } catch (const std::exception& failure) {
    m_ctx.reporter.report("frmChikanSet_cmdOK", failure);
  }
  accept();
}

void frmChikanSet::cmdClear_Click() {
  for (int n = 1; n <= static_cast<int>(settings::kSubstitutionRows); ++n) {
    findChild<QLineEdit*>(rowName("BTxt", n))->clear();
    findChild<QLineEdit*>(rowName("ATxt", n))->clear();
  }
}

}  // namespace orbelin::ui
