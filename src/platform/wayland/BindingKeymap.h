#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/keysyms/Keymap.h"
#include "platform/keysyms/VirtualKeys.h"

struct xkb_context;
struct xkb_keymap;

namespace orbelin::platform::wayland {

using keysyms::Keysym;

struct XkbContextFree {
  void operator()(xkb_context* context) const;
};
struct XkbKeymapFree {
  void operator()(xkb_keymap* keymap) const;
};
using XkbContextPtr = std::unique_ptr<xkb_context, XkbContextFree>;
using XkbKeymapPtr = std::unique_ptr<xkb_keymap, XkbKeymapFree>;

/// The keymaps a virtual keyboard uploads: the US layout, whose keys the engine's
/// virtual keys press, plus characters the layout cannot type, each bound to one of the
/// keycodes the layout leaves empty (all within 8-255, so X11 programs under XWayland
/// can use them too). Display-free, built with libxkbcommon.
class BindingKeymap {
 public:
  /// Nothing when libxkbcommon cannot build the US layout (no keyboard data installed);
  /// reason says so.
  static std::unique_ptr<BindingKeymap> create(std::string& reason);

  /// The US layout as a table: keycode rows, unshifted and shifted keysym.
  const keysyms::Keymap& layout() const { return m_layout; }
  /// How many characters one keymap can bind.
  std::size_t capacity() const { return m_spare.size(); }
  /// The characters bound now, in the order of their keycodes.
  const std::vector<Keysym>& bound() const { return m_bound; }
  /// The keycode bound to keysym; 0 when it has none.
  int boundKeycodeOf(Keysym keysym) const;
  /// Binds keysyms (at most capacity(); the rest are ignored) in place of the earlier
  /// bindings. False when the keymap does not compile.
  bool bind(std::span<const Keysym> keysyms);
  /// The whole keymap with the current bindings, in the text form the protocol carries.
  const std::string& text() const { return m_text; }
  /// The compiled keymap with the current bindings.
  xkb_keymap* keymap() const { return m_keymap.get(); }

 private:
  BindingKeymap(XkbContextPtr context, XkbKeymapPtr base);

  XkbContextPtr m_context;
  XkbKeymapPtr m_keymap;
  keysyms::Keymap m_layout;
  std::vector<int> m_spare;
  std::vector<std::string> m_spareNames;
  std::vector<Keysym> m_bound;
  std::string m_text;
};

}  // namespace orbelin::platform::wayland
