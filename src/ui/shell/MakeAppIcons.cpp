// orbelin-make-icons: writes the application icon into a hicolor theme tree at build time
// (PNG in the usual sizes and a scalable SVG), drawn by the same code as the tray icon,
// so that the menus show the picture the program shows.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QSvgGenerator>
#include <cstdio>

#include "ui/shell/StatusIcons.h"

namespace {

constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
constexpr int kScalableSize = 64;

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: orbelin-make-icons HICOLOR-DIR ICON-NAME\n");
    return 2;
  }
  // Drawing needs no window; the offscreen platform keeps this working without a display.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  const QDir root(QString::fromLocal8Bit(argv[1]));
  const QString name = QString::fromLocal8Bit(argv[2]);
  const auto state = orbelin::platform::IconState::Connected;
  for (const int size : kSizes) {
    const QString folder = QStringLiteral("%1x%1/apps").arg(size);
    if (!root.mkpath(folder)) return 1;
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
      QPainter painter(&image);
      orbelin::ui::paintStatusIcon(painter, state, size);
    }
    if (!image.save(root.filePath(folder + QStringLiteral("/") + name + QStringLiteral(".png")), "PNG")) return 1;
  }
  if (!root.mkpath(QStringLiteral("scalable/apps"))) return 1;
  QSvgGenerator svg;
  svg.setFileName(root.filePath(QStringLiteral("scalable/apps/") + name + QStringLiteral(".svg")));
  svg.setSize(QSize(kScalableSize, kScalableSize));
  svg.setViewBox(QRect(0, 0, kScalableSize, kScalableSize));
  svg.setTitle(QStringLiteral("Orbelin"));
  QPainter painter(&svg);
  orbelin::ui::paintStatusIcon(painter, state, kScalableSize);
  return painter.end() ? 0 : 1;
}
