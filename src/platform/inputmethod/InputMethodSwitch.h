#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/inputmethod/MethodControl.h"

namespace orbelin::platform::inputmethod {

/// Keeps the desktop's input method (fcitx5, ibus) from composing what a record types:
/// switched off for the record when it is on, switched on again after it. A method that
/// cannot be reached or does not answer in time is left alone: the record is typed all
/// the same, one notice per method and run says so, and the method is tried again a
/// while later. Thread-safe; a delayed restore runs on a thread of its own.
class InputMethodSwitch {
 public:
  using Clock = std::chrono::steady_clock;
  /// How long after a record the method comes back on. A program's last keys may still
  /// be on their way to its method when the record ends (a Qt program hands each key to
  /// the method over D-Bus and waits for the answer), and nothing tells when they have
  /// arrived; back on earlier, the method would compose them.
  static constexpr std::chrono::milliseconds kSettle{500};
  /// How much longer for each key event of the record. A program can be far behind the
  /// keys after it has answered every question the keyboard can ask (ibus's Qt module
  /// answers an X ping at once and hands the keys to the method one by one afterwards), so
  /// a long record keeps the method off for longer. Switched while the program still has
  /// keys at the method, ibus reorders them: the keys after the switch go to the new
  /// engine, which can answer before the old one has answered those before it. 5 ms
  /// covers a program that hands on 200 key events a second, as a loaded machine's do.
  static constexpr std::chrono::microseconds kSettlePerKeyEvent{5000};
  /// The longest settle time, however long the record.
  static constexpr std::chrono::seconds kMostSettle{30};
  /// The settle time after a record of keyEvents key events.
  static std::chrono::milliseconds settleAfter(std::size_t keyEvents);
  /// How long a method that failed is left alone before it is tried again.
  static constexpr std::chrono::seconds kRetryAfter{60};

  /// The methods of this desktop: fcitx5 and ibus.
  InputMethodSwitch();
  /// The given methods (tests).
  explicit InputMethodSwitch(std::vector<std::unique_ptr<MethodControl>> controls);
  /// Restores a state still waiting for its delay.
  ~InputMethodSwitch();
  InputMethodSwitch(const InputMethodSwitch&) = delete;
  InputMethodSwitch& operator=(const InputMethodSwitch&) = delete;

  /// Switches composing off where it is on, before a record. A restore still waiting
  /// from the record before is called off: the method stays off.
  void suspend();
  /// Switches composing back on where suspend() switched it off, after delay (0: now).
  /// A delay gives a client time to handle the record's last keys while composing is
  /// still off, where nothing tells when it has.
  void restoreAfter(std::chrono::milliseconds delay);
  /// True while composing is off because of suspend() and not yet back on.
  bool holdsOff();
  /// The notice for the log about a method that failed, once per method; empty if none.
  std::string takeNotice();

 private:
  struct Method {
    std::unique_ptr<MethodControl> control;
    bool switchedOff = false;
    bool noticed = false;
    std::optional<Clock::time_point> retryAt;
  };

  void failed(Method& method, const std::string& error);
  void restoreLocked();
  void runDelayedRestore(std::stop_token stop);

  std::mutex m_mutex;
  std::vector<Method> m_methods;
  std::string m_notice;
  std::optional<Clock::time_point> m_restoreAt;
  std::condition_variable_any m_wake;
  std::jthread m_restorer;
};

}  // namespace orbelin::platform::inputmethod
