#include "platform/inputmethod/DBusLink.h"

#include <dbus/dbus.h>

#include <cstdlib>
#include <filesystem>
#include <mutex>

namespace orbelin::platform::inputmethod {

namespace {

constexpr int kTimeoutMs = static_cast<int>(DBusLink::kCallTimeout.count());

std::string takeError(DBusError& error) {
  std::string text = error.message != nullptr ? error.message : "unknown D-Bus error";
  if (error.name != nullptr) text = std::string(error.name) + ": " + text;
  dbus_error_free(&error);
  return text;
}

}  // namespace

void MessageFree::operator()(DBusMessage* message) const {
  if (message != nullptr) dbus_message_unref(message);
}

std::unique_ptr<DBusLink> DBusLink::open(const std::string& address, std::string& reason) {
  // The calls may come from the keyboard's thread and from the delayed restore.
  static std::once_flag threads;
  std::call_once(threads, [] { dbus_threads_init_default(); });
  DBusError error;
  dbus_error_init(&error);
  DBusConnection* connection = dbus_connection_open_private(address.c_str(), &error);
  if (connection == nullptr) {
    reason = takeError(error);
    return nullptr;
  }
  // A bus that goes away must not end the program.
  dbus_connection_set_exit_on_disconnect(connection, FALSE);
  std::unique_ptr<DBusLink> link(new DBusLink(connection));
  // Registering by hand keeps the bounded timeout (dbus_bus_register waits 25 s).
  std::string failure;
  Message hello = call(DBUS_SERVICE_DBUS, DBUS_PATH_DBUS, DBUS_INTERFACE_DBUS, "Hello");
  Message reply = link->send(std::move(hello), failure);
  const char* name = nullptr;
  if (!reply || !dbus_message_get_args(reply.get(), nullptr, DBUS_TYPE_STRING, &name, DBUS_TYPE_INVALID) ||
      !dbus_bus_set_unique_name(connection, name)) {
    reason = failure.empty() ? "the bus did not register us" : failure;
    return nullptr;
  }
  return link;
}

DBusLink::~DBusLink() {
  dbus_connection_close(m_connection);
  dbus_connection_unref(m_connection);
}

Message DBusLink::call(const char* destination, const char* path, const char* interface, const char* method) {
  Message message(dbus_message_new_method_call(destination, path, interface, method));
  // Asking a method that is not running must not start one (a second one, maybe).
  if (message) dbus_message_set_auto_start(message.get(), FALSE);
  return message;
}

Message DBusLink::send(Message call, std::string& error) {
  if (!call) {
    error = "out of memory";
    return nullptr;
  }
  DBusError failure;
  dbus_error_init(&failure);
  Message reply(dbus_connection_send_with_reply_and_block(m_connection, call.get(), kTimeoutMs, &failure));
  if (!reply) error = takeError(failure);
  return reply;
}

std::optional<bool> DBusLink::hasOwner(const char* name, std::string& error) {
  Message message = call(DBUS_SERVICE_DBUS, DBUS_PATH_DBUS, DBUS_INTERFACE_DBUS, "NameHasOwner");
  if (!message || !dbus_message_append_args(message.get(), DBUS_TYPE_STRING, &name, DBUS_TYPE_INVALID)) {
    error = "out of memory";
    return std::nullopt;
  }
  Message reply = send(std::move(message), error);
  dbus_bool_t owned = FALSE;
  if (!reply || !dbus_message_get_args(reply.get(), nullptr, DBUS_TYPE_BOOLEAN, &owned, DBUS_TYPE_INVALID)) {
    return std::nullopt;
  }
  return owned != FALSE;
}

bool DBusLink::connected() const { return dbus_connection_get_is_connected(m_connection) != FALSE; }

std::string sessionBusAddress() {
  if (const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS"); address != nullptr && *address != '\0') {
    return address;
  }
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime == nullptr || *runtime == '\0') return {};
  const std::filesystem::path bus = std::filesystem::path(runtime) / "bus";
  std::error_code ignored;
  if (!std::filesystem::exists(bus, ignored)) return {};
  return "unix:path=" + bus.string();
}

}  // namespace orbelin::platform::inputmethod
