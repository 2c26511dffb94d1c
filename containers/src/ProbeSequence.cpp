#include <containers/detail/ProbeSequence.h>

#include <algorithm>

namespace containers::detail {

namespace {

// The period of the offsets S(k) = 1² + 2² + ... + k² modulo c.
//
// S(k + P) - S(k) = P·k² + (P² + P)·k + S(P), so the offsets repeat with
// period P exactly when c divides 2P, P² and S(P). The first condition makes
// P a multiple of c / gcd(c, 2), and P = 6c always satisfies all three, so
// the period is one of the first twelve such multiples.
std::uint64_t PeriodFor(std::uint32_t c) {
    if (c == 0) {
        return 0;
    }
    const std::uint64_t modulus = c;
    const std::uint64_t unit = (c % 2 == 0) ? modulus / 2 : modulus;
    for (std::uint64_t p = unit;; p += unit) {
        // P² mod c, with P reduced first so the product fits in 64 bits.
        const std::uint64_t r = p % modulus;
        if (r * r % modulus != 0) {
            continue;
        }
        // S(P) = P(P + 1)(2P + 1) / 6 mod c: divide the factors by 2 and 3
        // exactly before reducing them.
        std::uint64_t a = p;
        std::uint64_t b = p + 1;
        std::uint64_t d = 2 * p + 1;
        (a % 2 == 0 ? a : b) /= 2;
        if (p % 3 == 0) {
            a /= 3;
        } else if (p % 3 == 2) {
            b /= 3;
        } else {
            d /= 3;
        }
        if ((a % modulus) * (b % modulus) % modulus * (d % modulus) % modulus == 0) {
            return p;
        }
    }
}

}  // namespace

ProbeSequence::ProbeSequence(std::uint32_t capacity)
    : capacity(capacity), period(PeriodFor(capacity)), homeMagic(RemainderMagic(capacity)) {
    earlySteps = static_cast<std::uint32_t>((std::min<std::uint64_t>)(period, kEarlySteps));
    std::uint64_t offset = 0;
    for (std::uint64_t k = 0; k < kEarlySteps && capacity > 0; ++k) {
        offset = (offset + k * k) % capacity;
        earlyOffsets[k] = static_cast<std::uint32_t>(offset);
    }
}

ProbeSequence::Onward ProbeSequence::OnwardFrom(std::uint32_t home) const noexcept {
    constexpr std::uint64_t k = kEarlySteps;
    Onward onward;
    onward.capacity = capacity;
    onward.square = static_cast<std::uint32_t>(k * k % capacity);
    onward.odd = static_cast<std::uint32_t>((2 * k + 1) % capacity);
    onward.two = static_cast<std::uint32_t>(2 % capacity);
    onward.slot = AddMod(home, AddMod(earlyOffsets[k - 1], onward.square, capacity), capacity);
    return onward;
}

}  // namespace containers::detail
