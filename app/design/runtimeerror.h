#pragma once
// The one exception of the core: a run-time error that ends a run through its closing steps or
// stops a design load with its description shown to the user.
#include <stdexcept>
#include <string>

namespace dw::design {

class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(const std::string& description) : std::runtime_error(description) {}
    std::string description() const { return what(); }
};

// The descriptions the number conversions raise.
inline constexpr const char* kTypeMismatch = "Type mismatch";
inline constexpr const char* kOverflow = "Overflow";

} // namespace dw::design
