#pragma once

#include <QString>
#include <string>
#include <string_view>

class QWidget;

namespace orbelin::ui {

/// UTF-8 engine text as a Qt string.
inline QString qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

/// A Qt string as UTF-8 engine text.
inline std::string str(const QString& text) { return text.toStdString(); }

/// Places window in the middle of its screen, as every dialog of the program does on loading.
void centreOnScreen(QWidget& window);

}  // namespace orbelin::ui
