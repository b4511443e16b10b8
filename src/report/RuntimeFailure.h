#pragma once

#include <stdexcept>

namespace orbelin::report {

/// A run-time failure of the program itself, carrying the run-time's description: what a
/// procedure raises for its caller to report through the failure convention.
class RuntimeFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace orbelin::report
