#include "platform/inputmethod/InputMethodSwitch.h"

#include <utility>

namespace orbelin::platform::inputmethod {

namespace {

constexpr const char* kNoticeText = "入力メソッドをオフにできないため、そのまま入力します。";

std::vector<std::unique_ptr<MethodControl>> desktopControls() {
  std::vector<std::unique_ptr<MethodControl>> controls;
  controls.push_back(makeFcitx5Control());
  controls.push_back(makeIBusControl());
  return controls;
}

}  // namespace

InputMethodSwitch::InputMethodSwitch() : InputMethodSwitch(desktopControls()) {}

InputMethodSwitch::InputMethodSwitch(std::vector<std::unique_ptr<MethodControl>> controls) {
  for (auto& control : controls) {
    Method method;
    method.control = std::move(control);
    m_methods.push_back(std::move(method));
  }
}

InputMethodSwitch::~InputMethodSwitch() {
  if (m_restorer.joinable()) {
    m_restorer.request_stop();
    m_restorer.join();
  }
  std::lock_guard lock(m_mutex);
  restoreLocked();
}

void InputMethodSwitch::suspend() {
  std::lock_guard lock(m_mutex);
  m_restoreAt.reset();
  const auto now = Clock::now();
  for (auto& method : m_methods) {
    // Still off from the record before; a method is asked again only after a failure's wait.
    if (method.switchedOff || (method.retryAt && now < *method.retryAt)) continue;
    method.retryAt.reset();
    std::string error;
    const auto present = method.control->present(error);
    if (!present) {
      failed(method, error);
      continue;
    }
    if (!*present) continue;
    const auto on = method.control->isOn(error);
    if (!on || (*on && !method.control->switchOff(error))) {
      failed(method, error);
      continue;
    }
    method.switchedOff = *on;
  }
}

std::chrono::milliseconds InputMethodSwitch::settleAfter(std::size_t keyEvents) {
  const auto most = std::chrono::duration_cast<std::chrono::microseconds>(kMostSettle - kSettle);
  const auto limit = static_cast<std::size_t>(most / kSettlePerKeyEvent);
  const auto extra = keyEvents >= limit ? most : kSettlePerKeyEvent * static_cast<std::int64_t>(keyEvents);
  return kSettle + std::chrono::duration_cast<std::chrono::milliseconds>(extra);
}

void InputMethodSwitch::restoreAfter(std::chrono::milliseconds delay) {
  std::lock_guard lock(m_mutex);
  if (delay.count() <= 0) {
    m_restoreAt.reset();
    restoreLocked();
    return;
  }
  m_restoreAt = Clock::now() + delay;
  if (!m_restorer.joinable()) m_restorer = std::jthread([this](std::stop_token stop) { runDelayedRestore(stop); });
  m_wake.notify_one();
}

bool InputMethodSwitch::holdsOff() {
  std::lock_guard lock(m_mutex);
  for (const auto& method : m_methods) {
    if (method.switchedOff) return true;
  }
  return false;
}

std::string InputMethodSwitch::takeNotice() {
  std::lock_guard lock(m_mutex);
  return std::exchange(m_notice, {});
}

void InputMethodSwitch::failed(Method& method, const std::string& error) {
  method.retryAt = Clock::now() + kRetryAfter;
  if (method.noticed) return;
  method.noticed = true;
  if (!m_notice.empty()) m_notice += "; ";
  m_notice += std::string(kNoticeText) + " (" + method.control->name() + ": " + error + ")";
}

void InputMethodSwitch::restoreLocked() {
  for (auto& method : m_methods) {
    if (!method.switchedOff) continue;
    method.switchedOff = false;
    std::string error;
    if (!method.control->switchOn(error)) failed(method, error);
  }
}

void InputMethodSwitch::runDelayedRestore(std::stop_token stop) {
  std::unique_lock lock(m_mutex);
  while (!stop.stop_requested()) {
    if (!m_restoreAt) {
      m_wake.wait(lock, stop, [this] { return m_restoreAt.has_value(); });
      continue;
    }
    const auto due = *m_restoreAt;
    // Woken early when a new record calls the restore off or moves it.
    if (m_wake.wait_until(lock, stop, due, [this, due] { return m_restoreAt != due; })) continue;
    if (stop.stop_requested()) break;
    m_restoreAt.reset();
    restoreLocked();
  }
}

}  // namespace orbelin::platform::inputmethod
