// What the host kit answers: a value, or the failure that kept it from one,
// naming the module concerned and why.
//
// The kit throws nothing, and a Result never does either. A failed Result
// still holds a value: the value type's empty one (a null Ref, a null
// pointer), which operator*, operator-> and Take hand out; a successful one
// answers an empty HostError from Error(). Test the Result before using
// its value: the empty value is inert only where its type is (a null Ref
// releases nothing, but calling through it is the caller's fault).
#pragma once

#include <string>
#include <type_traits>
#include <utility>

namespace quenta::host {

struct HostError {
    std::string module;  // "Scrivo2", "Plotra", "Vaultrix", "Pictura" or "Quenta"
    std::string reason;

    // "<module>: <reason>", one line for a diagnostic.
    std::string Describe() const { return module + ": " + reason; }
};

template <typename T>
class [[nodiscard]] Result {
    static_assert(std::is_default_constructible_v<T>, "a failed Result holds the value type's empty value");

public:
    Result(T value) : value_(std::move(value)) {}
    Result(HostError error) : failed_(true), error_(std::move(error)) {}

    explicit operator bool() const noexcept { return !failed_; }
    // The value; on failure, the empty value.
    T& operator*() noexcept { return value_; }
    T* operator->() noexcept { return &value_; }
    T Take() noexcept(std::is_nothrow_move_constructible_v<T>) { return std::move(value_); }
    // The failure; on success, an empty HostError.
    const HostError& Error() const noexcept { return error_; }

private:
    T value_{};
    bool failed_ = false;
    HostError error_;
};

// Success that carries no value.
template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(HostError error) : failed_(true), error_(std::move(error)) {}

    explicit operator bool() const noexcept { return !failed_; }
    const HostError& Error() const noexcept { return error_; }

private:
    bool failed_ = false;
    HostError error_;
};

}  // namespace quenta::host
