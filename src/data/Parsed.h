#pragma once

#include <optional>
#include <utility>

namespace vexa {

// Why a gauge field could not be read.
enum class FieldError {
    InvalidHexDigit,  // a character that is no hexadecimal digit, or too few digits
    InvalidDate,      // date or time bytes that form no calendar date
    NumberOutOfRange, // a number that does not fit the field's type
};

// A value read from a gauge field, or the reason it could not be read.
template <typename T> class Parsed {
public:
    Parsed(T value)
        : value_(std::move(value)) {}
    Parsed(FieldError error)
        : error_(error) {}

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& value() const { return *value_; }
    const T& operator*() const { return *value_; }
    const T* operator->() const { return &*value_; }
    FieldError error() const { return error_; }

private:
    std::optional<T> value_;
    FieldError error_ = FieldError::InvalidHexDigit;
};

} // namespace vexa
