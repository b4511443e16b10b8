#pragma once

#include <QIcon>
#include <QPainter>

#include "platform/TrayIcon.h"

namespace orbelin::ui {

/// The picture of a status icon, drawn at run time: a plug in green (connected), grey
/// with a red bar (disconnected) or amber with an hourglass (busy).
QIcon statusIcon(platform::IconState state);

/// Draws the status icon of state on a transparent square of size x size pixels (any
/// paint device: the program's pictures and the installed icon files are the same).
void paintStatusIcon(QPainter& painter, platform::IconState state, int size);

}  // namespace orbelin::ui
