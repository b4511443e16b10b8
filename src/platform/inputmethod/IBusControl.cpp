#include <dbus/dbus.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string_view>
#include <thread>

#include "platform/inputmethod/DBusLink.h"
#include "platform/inputmethod/MethodControl.h"

namespace orbelin::platform::inputmethod {

namespace {

constexpr const char* kName = "org.freedesktop.IBus";
constexpr const char* kPath = "/org/freedesktop/IBus";
// A plain layout types what the keys say; the US one is there on every installation.
constexpr const char* kPlainEngine = "xkb:us::eng";
constexpr std::chrono::milliseconds kCommitSettle{250};
constexpr std::string_view kUnknownPrefix = "org.freedesktop.DBus.Error.Unknown";
// What ibus answers before any engine was chosen: nothing composes.
constexpr std::string_view kNoEngine = "No global engine";

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

std::string firstLine(const std::string& path) {
  std::ifstream file(path);
  std::string line;
  std::getline(file, line);
  return line;
}

// ibus names its address file after the machine and the display: "ID-unix-0" for ":0",
// "ID-unix-wayland-0" for the Wayland display "wayland-0".
std::string addressFileName() {
  std::string machine = firstLine("/var/lib/dbus/machine-id");
  if (machine.empty()) machine = firstLine("/etc/machine-id");
  std::string host = "unix";
  std::string number = environment("WAYLAND_DISPLAY");
  if (number.empty()) {
    const std::string display = environment("DISPLAY");
    const auto colon = display.rfind(':');
    if (colon == std::string::npos) return {};
    if (colon > 0) host = display.substr(0, colon);
    number = display.substr(colon + 1, display.find('.', colon) - colon - 1);
  }
  if (machine.empty() || number.empty()) return {};
  return machine + "-" + host + "-" + number;
}

std::string ibusAddress() {
  if (std::string address = environment("IBUS_ADDRESS"); !address.empty()) return address;
  const std::string name = addressFileName();
  if (name.empty()) return {};
  std::string config = environment("XDG_CONFIG_HOME");
  if (config.empty()) config = environment("HOME") + "/.config";
  std::ifstream file(config + "/ibus/bus/" + name);
  constexpr std::string_view kKey = "IBUS_ADDRESS=";
  for (std::string line; std::getline(file, line);) {
    if (line.compare(0, kKey.size(), kKey) == 0) return line.substr(kKey.size());
  }
  return {};
}

// The engine description is a struct (type name, attachments, engine name, ...) inside
// one or more variants.
std::string engineName(DBusMessageIter* iter) {
  while (dbus_message_iter_get_arg_type(iter) == DBUS_TYPE_VARIANT) {
    DBusMessageIter inner;
    dbus_message_iter_recurse(iter, &inner);
    *iter = inner;
  }
  if (dbus_message_iter_get_arg_type(iter) != DBUS_TYPE_STRUCT) return {};
  DBusMessageIter field;
  dbus_message_iter_recurse(iter, &field);
  for (int skip = 0; skip < 2; ++skip) {
    if (!dbus_message_iter_next(&field)) return {};
  }
  if (dbus_message_iter_get_arg_type(&field) != DBUS_TYPE_STRING) return {};
  const char* name = nullptr;
  dbus_message_iter_get_basic(&field, &name);
  return name != nullptr ? name : "";
}

class IBusControl final : public MethodControl {
 public:
  const char* name() const override { return "ibus"; }

  // No address is no ibus; an address nobody answers at is an ibus that went away.
  std::optional<bool> present(std::string& error) override {
    (void)error;
    return reconnect();
  }

  std::optional<bool> isOn(std::string& error) override {
    if (!reconnect()) return false;
    const auto engine = globalEngine(error);
    if (!engine) return std::nullopt;
    m_userEngine = *engine;
    return !engine->empty() && engine->compare(0, 4, "xkb:") != 0;
  }

  // The engine isOn() found is the one switched back to.
  // The engine given up commits a composition the user left open on its own time, through
  // the daemon, while the record's keys already go to the plain engine: without a pause the
  // commit could land inside the record. Paid by each record that finds the method on;
  // records that follow each other closely keep it off in between.
  bool switchOff(std::string& error) override {
    if (!reconnect()) return false;
    if (!setGlobalEngine(kPlainEngine, error)) return false;
    std::this_thread::sleep_for(kCommitSettle);
    return true;
  }

  bool switchOn(std::string& error) override {
    if (!reconnect()) return false;
    return setGlobalEngine(m_userEngine.c_str(), error);
  }

 private:
  bool reconnect() {
    if (m_link && m_link->connected()) return true;
    const std::string address = ibusAddress();
    std::string ignored;
    m_link = address.empty() ? nullptr : DBusLink::open(address, ignored);
    return m_link != nullptr;
  }

  // The engine's name; empty when there is none.
  std::optional<std::string> globalEngine(std::string& error) {
    Message call = DBusLink::call(kName, kPath, DBUS_INTERFACE_PROPERTIES, "Get");
    const char* interface = kName;
    const char* property = "GlobalEngine";
    if (!call || !dbus_message_append_args(call.get(), DBUS_TYPE_STRING, &interface, DBUS_TYPE_STRING, &property,
                                           DBUS_TYPE_INVALID)) {
      error = "out of memory";
      return std::nullopt;
    }
    Message reply = m_link->send(std::move(call), error);
    // fcitx5 answers at an ibus address of its own for ibus programs, without engines:
    // that is no ibus to switch.
    if (!reply && (error.find(kUnknownPrefix) == 0 || error.find(kNoEngine) != std::string::npos)) {
      return std::string();
    }
    if (!reply) return std::nullopt;
    DBusMessageIter iter;
    if (!dbus_message_iter_init(reply.get(), &iter)) return std::string();
    return engineName(&iter);
  }

  bool setGlobalEngine(const char* engine, std::string& error) {
    Message call = DBusLink::call(kName, kPath, kName, "SetGlobalEngine");
    if (!call || !dbus_message_append_args(call.get(), DBUS_TYPE_STRING, &engine, DBUS_TYPE_INVALID)) {
      error = "out of memory";
      return false;
    }
    return m_link->send(std::move(call), error) != nullptr;
  }

  std::unique_ptr<DBusLink> m_link;
  std::string m_userEngine;
};

}  // namespace

std::unique_ptr<MethodControl> makeIBusControl() { return std::make_unique<IBusControl>(); }

}  // namespace orbelin::platform::inputmethod
