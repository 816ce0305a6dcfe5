// What the host kit answers: a value, or the failure that kept it from one,
// naming the module concerned and why. The kit throws nothing; each caller
// turns a failure into an error of its own kind.
#pragma once

#include <string>
#include <utility>
#include <variant>

namespace quenta::host {

struct HostError {
    std::string module;  // "Scrivo2", "Plotra", "Vaultrix", "Pictura" or "Quenta"
    std::string reason;

    // "<module>: <reason>", one line for a diagnostic.
    std::string Describe() const { return module + ": " + reason; }
};

template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    Result(HostError error) : state_(std::in_place_index<1>, std::move(error)) {}

    explicit operator bool() const { return state_.index() == 0; }
    // Only on success.
    T& operator*() { return std::get<0>(state_); }
    T* operator->() { return &std::get<0>(state_); }
    T Take() { return std::move(std::get<0>(state_)); }
    // Only on failure.
    const HostError& Error() const { return std::get<1>(state_); }

private:
    std::variant<T, HostError> state_;
};

// Success that carries no value.
template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(HostError error) : failed_(true), error_(std::move(error)) {}

    explicit operator bool() const { return !failed_; }
    const HostError& Error() const { return error_; }

private:
    bool failed_ = false;
    HostError error_;
};

}  // namespace quenta::host
