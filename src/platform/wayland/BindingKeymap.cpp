#include "platform/wayland/BindingKeymap.h"

#include <xkbcommon/xkbcommon.h>

#include <algorithm>
#include <cstdlib>

namespace orbelin::platform::wayland {

namespace {

// The X protocol's keycode range: XWayland cannot forward keys above it.
constexpr xkb_keycode_t kMaxKeycode = 255;
// The US layout without the vendor keys ("inet"), so more keycodes stay free to bind.
constexpr const char* kLayoutSymbols = "pc+us";

std::string keymapSource(const std::vector<std::string>& names, std::span<const Keysym> keysyms) {
  std::string source =
      "xkb_keymap {\n"
      "  xkb_keycodes { include \"evdev\" };\n"
      "  xkb_types { include \"complete\" };\n"
      "  xkb_compat { include \"complete\" };\n"
      "  xkb_symbols {\n"
      "    include \"";
  source += kLayoutSymbols;
  source += "\"\n";
  char keysymName[64];
  for (std::size_t i = 0; i < keysyms.size() && i < names.size(); ++i) {
    if (xkb_keysym_get_name(static_cast<xkb_keysym_t>(keysyms[i]), keysymName, sizeof keysymName) <= 0) continue;
    source += "    key <" + names[i] + "> { [ " + keysymName + " ] };\n";
  }
  source += "  };\n};\n";
  return source;
}

XkbKeymapPtr compileSource(xkb_context* context, const std::string& source) {
  return XkbKeymapPtr(xkb_keymap_new_from_string(context, source.c_str(), XKB_KEYMAP_FORMAT_TEXT_V1,
                                                 XKB_KEYMAP_COMPILE_NO_FLAGS));
}

keysyms::Keymap layoutTable(xkb_keymap* keymap) {
  const xkb_keycode_t min = xkb_keymap_min_keycode(keymap);
  const xkb_keycode_t max = std::min(xkb_keymap_max_keycode(keymap), kMaxKeycode);
  std::vector<Keysym> table;
  for (xkb_keycode_t keycode = min; keycode <= max; ++keycode) {
    for (xkb_level_index_t level = 0; level < 2; ++level) {
      const xkb_keysym_t* syms = nullptr;
      const int count = xkb_keymap_key_get_syms_by_level(keymap, keycode, 0, level, &syms);
      table.push_back(count > 0 ? syms[0] : keysyms::kNoKeysym);
    }
  }
  return keysyms::Keymap(static_cast<int>(min), 2, std::move(table));
}

}  // namespace

void XkbContextFree::operator()(xkb_context* context) const { xkb_context_unref(context); }
void XkbKeymapFree::operator()(xkb_keymap* keymap) const { xkb_keymap_unref(keymap); }

std::unique_ptr<BindingKeymap> BindingKeymap::create(std::string& reason) {
  XkbContextPtr context(xkb_context_new(XKB_CONTEXT_NO_FLAGS));
  if (!context) {
    reason = "libxkbcommon cannot start";
    return nullptr;
  }
  XkbKeymapPtr base = compileSource(context.get(), keymapSource({}, {}));
  if (!base) {
    reason = "libxkbcommon cannot build the US keyboard layout (keyboard data missing)";
    return nullptr;
  }
  return std::unique_ptr<BindingKeymap>(new BindingKeymap(std::move(context), std::move(base)));
}

BindingKeymap::BindingKeymap(XkbContextPtr context, XkbKeymapPtr base)
    : m_context(std::move(context)), m_keymap(std::move(base)), m_layout(layoutTable(m_keymap.get())) {
  const xkb_keycode_t max = std::min(xkb_keymap_max_keycode(m_keymap.get()), kMaxKeycode);
  for (xkb_keycode_t keycode = xkb_keymap_min_keycode(m_keymap.get()); keycode <= max; ++keycode) {
    const char* name = xkb_keymap_key_get_name(m_keymap.get(), keycode);
    if (name == nullptr || xkb_keymap_num_layouts_for_key(m_keymap.get(), keycode) != 0) continue;
    m_spare.push_back(static_cast<int>(keycode));
    m_spareNames.emplace_back(name);
  }
  char* text = xkb_keymap_get_as_string(m_keymap.get(), XKB_KEYMAP_FORMAT_TEXT_V1);
  if (text != nullptr) {
    m_text = text;
    std::free(text);
  }
}

int BindingKeymap::boundKeycodeOf(Keysym keysym) const {
  const auto found = std::find(m_bound.begin(), m_bound.end(), keysym);
  return found == m_bound.end() ? 0 : m_spare[static_cast<std::size_t>(found - m_bound.begin())];
}

bool BindingKeymap::bind(std::span<const Keysym> keysyms) {
  std::vector<Keysym> wanted(keysyms.begin(), keysyms.begin() + static_cast<std::ptrdiff_t>(std::min(keysyms.size(), capacity())));
  XkbKeymapPtr compiled = compileSource(m_context.get(), keymapSource(m_spareNames, wanted));
  if (!compiled) return false;
  char* text = xkb_keymap_get_as_string(compiled.get(), XKB_KEYMAP_FORMAT_TEXT_V1);
  if (text == nullptr) return false;
  m_text = text;
  std::free(text);
  m_keymap = std::move(compiled);
  m_bound = std::move(wanted);
  return true;
}

}  // namespace orbelin::platform::wayland
