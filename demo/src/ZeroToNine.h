#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace demo::detail {

// The integers 0 to 9 that the routines' entries and nodes refer to:
// element k holds k.
inline std::array<std::int32_t, 10> ZeroToNine() {
    std::array<std::int32_t, 10> ints{};
    for (std::size_t k = 0; k < ints.size(); ++k) {
        ints[k] = static_cast<std::int32_t>(k);
    }
    return ints;
}

}  // namespace demo::detail
