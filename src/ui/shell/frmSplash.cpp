#include "ui/shell/frmSplash.h"

#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "ui/QtText.h"

namespace orbelin::ui {

frmSplash::frmSplash(QWidget* parent) : QWidget(parent, Qt::SplashScreen) {
  setObjectName(QStringLiteral("frmSplash"));
  setFocusPolicy(Qt::StrongFocus);
  m_frame = new QFrame(this);
  m_frame->setObjectName(QStringLiteral("Frame1"));
  m_frame->setFrameShape(QFrame::Box);
  m_frame->installEventFilter(this);
  auto* label1 = new QLabel(QStringLiteral("Orbelin を起動するまでに待機しています。"), m_frame);
  label1->setObjectName(QStringLiteral("Label1"));
  auto* label2 = new QLabel(QStringLiteral("クリックで、待機終了します。"), m_frame);
  label2->setObjectName(QStringLiteral("Label2"));
  m_progress = new QProgressBar(m_frame);
  m_progress->setObjectName(QStringLiteral("ProgressBar1"));
  m_progress->setTextVisible(false);
  m_progress->setRange(0, 0);
  m_label3 = new QLabel(QStringLiteral("0/0"), m_frame);
  m_label3->setObjectName(QStringLiteral("Label3"));
  m_label3->setAlignment(Qt::AlignRight);
  // Clicks on the labels count as clicks on the frame.
  for (QWidget* child : {static_cast<QWidget*>(label1), static_cast<QWidget*>(label2),
                         static_cast<QWidget*>(m_progress), static_cast<QWidget*>(m_label3)}) {
    child->installEventFilter(this);
  }
  auto* inner = new QVBoxLayout(m_frame);
  inner->addWidget(label1);
  inner->addWidget(label2);
  inner->addWidget(m_progress);
  inner->addWidget(m_label3);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(m_frame);
  resize(420, 150);
}

void frmSplash::keyPressEvent(QKeyEvent* event) {
  m_abort = true;
  event->accept();
}

bool frmSplash::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) m_abort = true;
  return QWidget::eventFilter(watched, event);
}

SplashWaitView::~SplashWaitView() { delete m_window; }

void SplashWaitView::show() {
  if (m_window == nullptr) m_window = new frmSplash;
  centreOnScreen(*m_window);
  m_window->show();
  m_window->raise();
  m_window->activateWindow();
}

void SplashWaitView::setProgressRange(int minimum, int maximum) {
  if (m_window != nullptr) m_window->progressBar().setRange(minimum, maximum);
}

void SplashWaitView::setProgress(int value) {
  if (m_window != nullptr) m_window->progressBar().setValue(value);
}

void SplashWaitView::setLabel(std::string_view text) {
  if (m_window != nullptr) m_window->stepLabel().setText(qs(text));
}

bool SplashWaitView::abortRequested() const { return m_window != nullptr && m_window->abortRequested(); }

void SplashWaitView::close() {
  delete m_window;
  m_window = nullptr;
}

}  // namespace orbelin::ui
