#include <dbus/dbus.h>

#include "platform/inputmethod/DBusLink.h"
#include "platform/inputmethod/MethodControl.h"

namespace orbelin::platform::inputmethod {

namespace {

constexpr const char* kName = "org.fcitx.Fcitx5";
constexpr const char* kPath = "/controller";
constexpr const char* kInterface = "org.fcitx.Fcitx.Controller1";
// State(): 0 no input context, 1 composing off, 2 composing on.
constexpr dbus_int32_t kActive = 2;

class Fcitx5Control final : public MethodControl {
 public:
  const char* name() const override { return "fcitx5"; }

  std::optional<bool> present(std::string& error) override {
    if (!reconnect()) return false;
    return m_link->hasOwner(kName, error);
  }

  std::optional<bool> isOn(std::string& error) override {
    if (!reconnect()) return false;
    Message reply = m_link->send(DBusLink::call(kName, kPath, kInterface, "State"), error);
    dbus_int32_t state = 0;
    if (!reply || !dbus_message_get_args(reply.get(), nullptr, DBUS_TYPE_INT32, &state, DBUS_TYPE_INVALID)) {
      if (error.empty()) error = "State() gave no number";
      return std::nullopt;
    }
    return state == kActive;
  }

  bool switchOff(std::string& error) override {
    if (!reconnect()) return false;
    return m_link->send(DBusLink::call(kName, kPath, kInterface, "Deactivate"), error) != nullptr;
  }

  bool switchOn(std::string& error) override {
    if (!reconnect()) return false;
    return m_link->send(DBusLink::call(kName, kPath, kInterface, "Activate"), error) != nullptr;
  }

 private:
  // No session bus is no fcitx5: nothing to switch and nothing to log.
  bool reconnect() {
    if (m_link && m_link->connected()) return true;
    const std::string address = sessionBusAddress();
    std::string ignored;
    m_link = address.empty() ? nullptr : DBusLink::open(address, ignored);
    return m_link != nullptr;
  }

  std::unique_ptr<DBusLink> m_link;
};

}  // namespace

std::unique_ptr<MethodControl> makeFcitx5Control() { return std::make_unique<Fcitx5Control>(); }

}  // namespace orbelin::platform::inputmethod
