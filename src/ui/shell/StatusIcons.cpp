#include "ui/shell/StatusIcons.h"

#include <QPainter>
#include <QPixmap>

namespace orbelin::ui {
namespace {

QColor fillOf(platform::IconState state) {
  switch (state) {
    case platform::IconState::Connected: return QColor(0x2e, 0x9d, 0x3a);
    case platform::IconState::Disconnected: return QColor(0x80, 0x80, 0x80);
    case platform::IconState::Busy: return QColor(0xe0, 0x9a, 0x10);
  }
  return Qt::gray;
}

void drawMark(QPainter& painter, platform::IconState state, int size) {
  const qreal unit = size / 16.0;
  painter.setPen(QPen(Qt::white, 1.6 * unit, Qt::SolidLine, Qt::RoundCap));
  painter.setBrush(Qt::NoBrush);
  if (state == platform::IconState::Busy) {
    // An hourglass: two triangles meeting in the middle.
    const QPointF glass[] = {{5 * unit, 4 * unit}, {11 * unit, 4 * unit}, {5 * unit, 12 * unit}, {11 * unit, 12 * unit}};
    painter.drawPolygon(glass, 4);
    return;
  }
  // A barcode of four bars stands for the reader.
  for (const int x : {5, 7, 9, 11}) painter.drawLine(QPointF(x * unit, 4.5 * unit), QPointF(x * unit, 11.5 * unit));
  if (state == platform::IconState::Disconnected) {
    painter.setPen(QPen(QColor(0xd0, 0x20, 0x20), 2.2 * unit, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(3.5 * unit, 12.5 * unit), QPointF(12.5 * unit, 3.5 * unit));
  }
}

QPixmap drawIcon(platform::IconState state, int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  paintStatusIcon(painter, state, size);
  return pixmap;
}

}  // namespace

void paintStatusIcon(QPainter& painter, platform::IconState state, int size) {
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(fillOf(state).darker(150), size / 16.0));
  painter.setBrush(fillOf(state));
  painter.drawRoundedRect(QRectF(0.5, 0.5, size - 1.0, size - 1.0), size / 5.0, size / 5.0);
  drawMark(painter, state, size);
}

QIcon statusIcon(platform::IconState state) {
  QIcon icon;
  for (const int size : {16, 22, 24, 32, 48, 64}) icon.addPixmap(drawIcon(state, size));
  return icon;
}

}  // namespace orbelin::ui
