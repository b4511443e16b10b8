#include "tools/ReplayEngineSteps.h"

namespace orbelin::tools {

serial::ConversionSteps ReplayEngineSteps::conversionSteps() {
  // The GS1-128 decoder and the book code converter join here once they are built;
  // until then records pass both steps unchanged.
  return {};
}

std::function<void()> ReplayEngineSteps::databaseCheck() { return {}; }

}  // namespace orbelin::tools
