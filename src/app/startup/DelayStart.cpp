#include "app/startup/DelayStart.h"

#include <cmath>
#include <exception>
#include <string>

#include "text/Integers.h"

namespace orbelin::app {

namespace {

void runSteps(double steps, platform::StartupWaitView& view, platform::EventLoop& loop, platform::Clock& clock) {
  // The progress bar holds its maximum in single precision and reports it rounded
  // half to even; the loop runs over what it reports.
  const int first = 0;
  const int last = static_cast<int>(std::nearbyint(static_cast<float>(steps)));
  view.setProgressRange(first, last);
  const std::string total = std::to_string(static_cast<long long>(std::nearbyint(steps * kDelayStepMs)));
  for (int i = first; i <= last; ++i) {
    view.setProgress(i);
    view.setLabel(std::to_string(static_cast<long long>(i) * kDelayStepMs) + " / " + total);
    loop.processPending();
    const std::int64_t deadline = clock.monotonicMs() + kDelayStepMs;
    loop.waitUntil(deadline, [&view] { return view.abortRequested(); });
    if (view.abortRequested() || loop.quitting()) break;
  }
}

}  // namespace

void DelayStart(const settings::Settings& settings, platform::StartupWaitView& view, platform::EventLoop& loop,
                platform::Clock& clock) {
  try {
    const auto total = text::parseInteger(settings.get(settings::Setting::DelayTime));
    if (total) {
      const double steps = *total / static_cast<double>(kDelayStepMs);
      if (steps > 0) runSteps(steps, view, loop, clock);
    }
  } catch (const std::exception&) {
    // A failing wait is skipped without a word; start-up goes on.
  }
  view.close();
}

}  // namespace orbelin::app
