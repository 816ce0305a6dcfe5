// The rule at every slot that a host or a sibling calls: no exception leaves
// it, whatever is thrown (running out of memory included). The slot's body
// runs inside Guarded, and anything it throws becomes the slot's failure
// value: null, false or 0.
//
//   Surface* DecodeBytes(...) override {
//       return Guarded([&] { return Decode(...); });
//   }
#pragma once

#include <type_traits>
#include <utility>

namespace quenta {

// Runs `body` and answers its result; a value-initialised result (null,
// false, 0) when it throws. A body without a result just stops.
template <typename Body>
auto Guarded(Body&& body) noexcept -> std::invoke_result_t<Body&> {
    using Result = std::invoke_result_t<Body&>;
    try {
        return body();
    } catch (...) {
        if constexpr (!std::is_void_v<Result>) return Result{};
    }
}

// As above with a failure value of the slot's own choosing.
template <typename Result, typename Body>
Result Guarded(Result failure, Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return failure;
    }
}

}  // namespace quenta
