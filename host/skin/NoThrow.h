// No exception leaves the XML layer: an allocation failure inside a read
// becomes that read's failure value, like any other fault.
#pragma once

#include <utility>

template <typename Result, typename Body>
Result NoThrow(Result fallback, Body&& body) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        return fallback;
    }
}
