#pragma once

#include "platform/Clock.h"
#include "platform/EventLoop.h"
#include "platform/StartupWaitView.h"
#include "settings/Settings.h"

namespace orbelin::app {

/// One step of the start-up wait.
inline constexpr int kDelayStepMs = 500;

/// The start-up wait: DelayTime milliseconds in steps of half a second, each shown on
/// the splash window ("1500 / 3000") and cut short by its abort flag; events run while
/// it waits. A DelayTime that is no number, zero or negative waits nothing. The window
/// is closed in every case.
void DelayStart(const settings::Settings& settings, platform::StartupWaitView& view, platform::EventLoop& loop,
                platform::Clock& clock);

}  // namespace orbelin::app
