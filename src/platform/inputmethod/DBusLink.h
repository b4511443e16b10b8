#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>

struct DBusConnection;
struct DBusMessage;

namespace orbelin::platform::inputmethod {

/// A reply or a method call of the bus, owned: freed when it goes.
struct MessageFree {
  void operator()(DBusMessage* message) const;
};
using Message = std::unique_ptr<DBusMessage, MessageFree>;

/// A private connection to one message bus, every call bounded by a deadline so that a
/// method that hangs never holds up a record. One thread uses it at a time.
class DBusLink {
 public:
  /// How long one call may take; a healthy method answers within a millisecond.
  static constexpr std::chrono::milliseconds kCallTimeout{500};

  /// Connects to the bus at address and registers with it; nothing when it cannot be
  /// reached, and then why in reason.
  static std::unique_ptr<DBusLink> open(const std::string& address, std::string& reason);
  ~DBusLink();
  DBusLink(const DBusLink&) = delete;
  DBusLink& operator=(const DBusLink&) = delete;

  /// A method call that never starts a service that is not running.
  static Message call(const char* destination, const char* path, const char* interface, const char* method);
  /// Sends call and waits for the reply; nothing after an error or the timeout, and then
  /// the error's name and message in error.
  Message send(Message call, std::string& error);
  /// True when name has an owner on the bus; nothing when the bus does not answer.
  std::optional<bool> hasOwner(const char* name, std::string& error);
  /// False once the bus has gone.
  bool connected() const;

 private:
  explicit DBusLink(DBusConnection* connection) : m_connection(connection) {}
  DBusConnection* m_connection;
};

/// The address of the session bus: DBUS_SESSION_BUS_ADDRESS, else the user's bus in
/// XDG_RUNTIME_DIR; empty when there is neither.
std::string sessionBusAddress();

}  // namespace orbelin::platform::inputmethod
