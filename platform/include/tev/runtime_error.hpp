#pragma once

#include <stdexcept>
#include <string>

namespace tev {

// The one error type of the platform. Misuse by a program (a wrong parameter type, an index
// out of range, a malformed resource) raises it with the failing operation and the offending
// value in its message; the default error handler prints that message and ends the program.
class RuntimeError : public std::runtime_error {
  public:
    RuntimeError(const std::string& operation, const std::string& what)
        : std::runtime_error(operation + ": " + what), operation_(operation) {}

    const std::string& operation() const noexcept { return operation_; }

  private:
    std::string operation_;
};

}  // namespace tev
