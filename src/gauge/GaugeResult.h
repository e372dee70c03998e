#pragma once

#include <QString>
#include <optional>
#include <utility>

namespace vexa {

// Why a request to the gauge gave no result. The numbers are those the transfer log has always shown.
enum class GaugeError {
    NotAnswering = 1,    // no answer before the deadline: the gauge is out of range or off
    LinkLost = 2,        // the link went down while waiting
    TransportFailed = 3, // the Bluetooth stack reported an error
    Cancelled = 4,       // stopped by the user
    Busy = 5,            // another request kept the gauge's characteristic until the deadline
    Decoding = 6,        // the answer arrived but could not be decoded
};

struct GaugeFailure {
    GaugeError error = GaugeError::NotAnswering;
    QString detail; // Decoding: what went wrong and where
};

// A request's result or why there is none.
template <typename T> class GaugeResult {
public:
    // No result yet: as good as no answer.
    GaugeResult() = default;
    GaugeResult(T value)
        : value_(std::move(value)) {}
    GaugeResult(GaugeFailure failure)
        : failure_(std::move(failure)) {}
    GaugeResult(GaugeError error)
        : failure_(GaugeFailure{error, {}}) {}

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& value() const { return *value_; }
    T& value() { return *value_; }
    const T& operator*() const { return *value_; }
    const T* operator->() const { return &*value_; }
    GaugeError error() const { return failure_.error; }
    const GaugeFailure& failure() const { return failure_; }

private:
    std::optional<T> value_;
    GaugeFailure failure_;
};

// A request that brings nothing back but its confirmation.
struct Done {};
using GaugeStatus = GaugeResult<Done>;

} // namespace vexa
