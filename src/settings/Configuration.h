#pragma once

#include "settings/EditTables.h"
#include "settings/Settings.h"

namespace orbelin::settings {

/// The program-wide settings state: the live record, the built-in defaults and the
/// two edit tables. One instance lives for the whole run.
struct Configuration {
  Settings settings = Settings::defaults();
  Settings defaults = Settings::defaults();
  EditTables tables;
};

}  // namespace orbelin::settings
