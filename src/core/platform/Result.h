#pragma once

#include <optional>
#include <string>
#include <utility>

namespace vesk {

// Why a call gave no value: an English text with the values that explain it.
struct Failure {
    std::string reason;
};

// A value, or the reason there is none: what a reader or a transformation
// gives back instead of leaving its last error on the object that made it.
template <class T>
class Result {
public:
    Result(T value) : value_(std::move(value)) {}
    Result(Failure failure) : reason_(std::move(failure.reason)) {}

    explicit operator bool() const { return value_.has_value(); }
    T& operator*() { return *value_; }
    const T& operator*() const { return *value_; }
    T* operator->() { return &*value_; }
    const T* operator->() const { return &*value_; }

    // Empty when there is a value.
    const std::string& Error() const { return reason_; }
    // The reason, to give on from a caller that fails for it.
    Failure Failed() const { return Failure{reason_}; }

private:
    std::optional<T> value_;
    std::string reason_;
};

}  // namespace vesk
