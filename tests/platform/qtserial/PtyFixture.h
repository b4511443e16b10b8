#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/qtserial/QtSerialPort.h"
#include "support/LinkFixture.h"
#include "support/ReaderPty.h"

namespace orbelin::test {

/// The serial link on Qt SerialPort, its COM numbers mapped to pseudo terminals.
struct PtyFixture : LinkFixture<platform::qtserial::QtSerialPort> {
  PtyFixture() : LinkFixture("qtserial_tests") {}

  /// Maps every COM number to a missing device except those given.
  void mapPorts(const std::vector<std::pair<int, std::string>>& devices);
};

}  // namespace orbelin::test
