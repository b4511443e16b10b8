#include "support/QtEnvironment.h"

namespace {

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new orbelin::test::QtEnvironment("shell_test"));

}  // namespace
