#include "tev/message_param.hpp"

#include <sstream>

#include "tev/runtime_error.hpp"

namespace tev {

namespace {

template <class T>
const T& expect(const MessageParam& param, const char* operation, const char* expectedKind) {
    if (const T* held = std::get_if<T>(&param.value())) {
        return *held;
    }
    throw RuntimeError(operation, std::string("expected a ") + expectedKind +
                                      " message parameter, got " + param.toString());
}

}  // namespace

double MessageParam::asNumber(const char* operation) const {
    return expect<double>(*this, operation, "number");
}

PositionPair MessageParam::asPosition(const char* operation) const {
    return expect<PositionPair>(*this, operation, "position pair");
}

SizePair MessageParam::asSize(const char* operation) const {
    return expect<SizePair>(*this, operation, "size pair");
}

Rect MessageParam::asRect(const char* operation) const {
    return expect<Rect>(*this, operation, "rectangle");
}

const char* MessageParam::kindName() const {
    static constexpr const char* kNames[] = {"unset", "number", "position pair", "size pair",
                                             "rectangle"};
    return kNames[value_.index()];
}

std::string MessageParam::toString() const {
    struct Printer {
        std::string operator()(std::monostate) const { return "unset"; }
        std::string operator()(double number) const {
            std::ostringstream out;
            out << "number " << number;
            return out.str();
        }
        std::string operator()(const PositionPair& pos) const {
            return "position pair " + tev::toString(pos);
        }
        std::string operator()(const SizePair& size) const {
            return "size pair " + tev::toString(size);
        }
        std::string operator()(const Rect& rect) const {
            return "rectangle " + tev::toString(rect);
        }
    };
    return std::visit(Printer{}, value_);
}

}  // namespace tev
