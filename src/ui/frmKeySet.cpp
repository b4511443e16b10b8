#include "ui/frmKeySet.h"

#include <QGridLayout>
#include <QPushButton>
#include <array>
#include <string>

#include "ui/QtText.h"

namespace orbelin::ui {

namespace {

constexpr int kColumns = 6;

std::vector<KeyButton> makeKeyButtons() {
  std::vector<KeyButton> buttons = {
      {"DateCmd", "Date", "{Date}"},         {"TimeCmd", "Time", "{Time}"},
      {"AltCmd", "Alt", "{Alt}"},            {"LAltCmd", "Alt左", "{LAlt}"},
      {"RAltCmd", "Alt右", "{RAlt}"},        {"CtrlCmd", "Ctrl", "{Ctrl}"},
      {"LCtrlCmd", "Ctrl 左", "{LCtrl}"},    {"RCtrlCmd", "Ctrl 右", "{RCtrl}"},
      {"LShiftCmd", "Shift 左", "{LShift}"}, {"RShiftCmd", "Shift 右", "{RShift}"},
      {"SpaceCmd", "Space", "{Space}"},      {"EscCmd", "Esc", "{ESC}"},
      {"TabCmd", "Tab", "{TAB}"},            {"EnterCmd", "Enter", "{ENTER}"},
      {"CapsCmd", "CapsLock", "{CAPSLOCK}"}, {"NumCmd", "NumLock", "{NUMLOCK}"},
      {"ScrollCmd", "ScrLk", "{SCROLLLOCK}"}, {"PrintCmd", "Print", "{PRTSC}"},
      {"BreakCmd", "Break", "{BREAK}"},      {"ExecuteCmd", "実行", "{Execute}"},
      {"InsertCmd", "Ins", "{INSERT}"},      {"DeleteCmd", "Del", "{DELETE}"},
      {"HomeCmd", "Home", "{HOME}"},         {"EndCmd", "End", "{END}"},
      {"PUpCmd", "PUp", "{PGUP}"},           {"PDownCmd", "PDn", "{PGDN}"},
      {"LeftCmd", "←", "{LEFT}"},            {"UpCmd", "↑", "{UP}"},
      {"RightCmd", "→", "{RIGHT}"},          {"DownCmd", "↓", "{DOWN}"},
  };
  // The function keys: names, captions and tokens live as long as the program.
  static const auto functionKeys = [] {
    std::vector<std::array<std::string, 3>> keys;
    for (int n = 1; n <= 24; ++n) {
      const std::string number = std::to_string(n);
      keys.push_back({"F" + number + "Cmd", "F" + number, "{F" + number + "}"});
    }
    return keys;
  }();
  for (const auto& key : functionKeys) buttons.push_back({key[0].c_str(), key[1].c_str(), key[2].c_str()});
  return buttons;
}

}  // namespace

const std::vector<KeyButton>& keyButtons() {
  static const std::vector<KeyButton> buttons = makeKeyButtons();
  return buttons;
}

frmKeySet::frmKeySet(PickerResult& result, QWidget* parent) : QDialog(parent), m_result(result) {
  m_result.text.clear();
  setObjectName(QStringLiteral("frmKeySet"));
  setWindowTitle(QStringLiteral("Keyboard"));
  auto* grid = new QGridLayout(this);
  int index = 0;
  for (const auto& key : keyButtons()) {
    auto* button = new QPushButton(QString::fromUtf8(key.caption), this);
    button->setObjectName(QString::fromLatin1(key.name));
    button->setAutoDefault(false);
    grid->addWidget(button, index / kColumns, index % kColumns);
    connect(button, &QPushButton::clicked, this, [this, token = key.token] {
      m_result.text = token;
      accept();
    });
    ++index;
  }
  adjustSize();
  centreOnScreen(*this);
}

}  // namespace orbelin::ui
