// A small Qt client for the keyboard tests, on X11 or Wayland: one window with a
// multi-line text box that has the focus. It tells its driver on standard output:
//   "ready WINDOW"  once the window is shown (WINDOW is the X window id in decimal),
//   "focus"         whenever the text box gains the keyboard focus,
//   "text HEX"      when F12 is pressed: the box's text as hexadecimal UTF-8.
// F12 itself is not typed. It ends when standard input closes.
#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QSocketNotifier>

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

void say(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

class TextBox : public QPlainTextEdit {
 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_F12) {
      say("text " + toPlainText().toUtf8().toHex().toStdString());
      return;
    }
    QPlainTextEdit::keyPressEvent(event);
  }
  void keyReleaseEvent(QKeyEvent* event) override {
    if (event->key() != Qt::Key_F12) QPlainTextEdit::keyReleaseEvent(event);
  }
  void focusInEvent(QFocusEvent* event) override {
    QPlainTextEdit::focusInEvent(event);
    say("focus");
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  TextBox box;
  box.setObjectName("textBox");
  box.resize(400, 300);
  box.show();
  box.activateWindow();
  box.setFocus();
  say("ready " + std::to_string(box.winId()));

  QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
  QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
    char buffer[64];
    if (::read(STDIN_FILENO, buffer, sizeof buffer) <= 0) app.quit();
  });
  return app.exec();
}
