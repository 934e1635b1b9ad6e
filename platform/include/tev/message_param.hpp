#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "tev/geometry.hpp"

namespace tev {

using EventCode = std::uint32_t;

// One message parameter of an event (mp1 or mp2): unset, a number, a position pair, a size
// pair or a rectangle. Reading it as the wrong alternative raises a RuntimeError that names
// the operation, the expected and the actual kind; it never reinterprets the value.
class MessageParam {
  public:
    using Value = std::variant<std::monostate, double, PositionPair, SizePair, Rect>;

    MessageParam() = default;
    MessageParam(double number) : value_(number) {}
    MessageParam(int number) : value_(static_cast<double>(number)) {}
    MessageParam(long number) : value_(static_cast<double>(number)) {}
    MessageParam(PositionPair pos) : value_(pos) {}
    MessageParam(SizePair size) : value_(size) {}
    MessageParam(Rect rect) : value_(rect) {}

    bool isUnset() const { return std::holds_alternative<std::monostate>(value_); }
    bool isNumber() const { return std::holds_alternative<double>(value_); }
    bool isPosition() const { return std::holds_alternative<PositionPair>(value_); }
    bool isSize() const { return std::holds_alternative<SizePair>(value_); }
    bool isRect() const { return std::holds_alternative<Rect>(value_); }

    // Each accessor names the operation that reads the parameter, for the error message.
    double asNumber(const char* operation) const;
    PositionPair asPosition(const char* operation) const;
    SizePair asSize(const char* operation) const;
    Rect asRect(const char* operation) const;

    // "unset", "number", "position pair", "size pair" or "rectangle".
    const char* kindName() const;
    std::string toString() const;

    const Value& value() const { return value_; }
    friend bool operator==(const MessageParam&, const MessageParam&) = default;

  private:
    Value value_;
};

}  // namespace tev
