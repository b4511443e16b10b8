#pragma once

#include <QIcon>

#include "platform/TrayIcon.h"

namespace orbelin::ui {

/// The picture of a status icon, drawn at run time: a plug in green (connected), grey
/// with a red bar (disconnected) or amber with an hourglass (busy).
QIcon statusIcon(platform::IconState state);

}  // namespace orbelin::ui
