#pragma once

#include <stdexcept>
#include <string>
#include <utility>
#include <variant>

namespace kelbo {

enum class FailureKind {
    kIo,           // the file could not be opened or read
    kWrongFormat,  // not a file of the expected kind at all
    kTruncated,    // the data ends before a header or the pixels do
    kInvalid,      // a field holds an impossible value
    kUnsupported,  // well formed, but a variant this program does not read
};

const char* FailureKindName(FailureKind kind);

struct Failure {
    FailureKind kind;
    std::string message;
};

// A value, or the reason there is none. Decoders return this so a caller such
// as the browser can skip a bad file without an exception per file.
template <class T>
class Result {
public:
    Result(T value) : state_(std::move(value)) {}            // NOLINT: implicit by design
    Result(Failure failure) : state_(std::move(failure)) {}  // NOLINT

    bool Ok() const { return std::holds_alternative<T>(state_); }
    explicit operator bool() const { return Ok(); }

    // Throws std::runtime_error with the failure's message when there is no value.
    const T& Value() const& {
        if (!Ok()) throw std::runtime_error(Error().message);
        return std::get<T>(state_);
    }
    T&& Value() && {
        if (!Ok()) throw std::runtime_error(Error().message);
        return std::get<T>(std::move(state_));
    }
    const T* operator->() const { return &Value(); }
    const T& operator*() const& { return Value(); }

    // Throws std::logic_error when there is a value.
    const Failure& Error() const {
        if (Ok()) throw std::logic_error("Result::Error called on a success");
        return std::get<Failure>(state_);
    }

private:
    std::variant<T, Failure> state_;
};

}  // namespace kelbo
