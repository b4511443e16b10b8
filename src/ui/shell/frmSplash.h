#pragma once

#include <QWidget>

#include "platform/StartupWaitView.h"

class QFrame;
class QLabel;
class QProgressBar;

namespace orbelin::ui {

/// The splash window of the start-up wait: two texts, a progress bar and the step label
/// Label3. A key press on the window or a click on its frame ends the wait.
class frmSplash : public QWidget {
  Q_OBJECT
 public:
  explicit frmSplash(QWidget* parent = nullptr);
  bool abortRequested() const { return m_abort; }
  QProgressBar& progressBar() { return *m_progress; }
  QLabel& stepLabel() { return *m_label3; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QFrame* m_frame = nullptr;
  QProgressBar* m_progress = nullptr;
  QLabel* m_label3 = nullptr;
  bool m_abort = false;
};

/// The start-up wait as the engine runs it, on a splash window created when shown.
class SplashWaitView : public platform::StartupWaitView {
 public:
  SplashWaitView() = default;
  ~SplashWaitView() override;
  SplashWaitView(const SplashWaitView&) = delete;
  SplashWaitView& operator=(const SplashWaitView&) = delete;

  void show() override;
  void setProgressRange(int minimum, int maximum) override;
  void setProgress(int value) override;
  void setLabel(std::string_view text) override;
  bool abortRequested() const override;
  void close() override;
  /// The window while it is loaded; nullptr before show() and after close().
  frmSplash* window() const { return m_window; }

 private:
  frmSplash* m_window = nullptr;
};

}  // namespace orbelin::ui
