// Times x % d against two multiplications by a precomputed magic number
// (Lemire's direct remainder), on whatever target it is built for: the check
// behind the home slot's remainder, which multiplies only where it pays.
//   g++ -O2 bench/RemainderCheck.cpp -o remainder_check && ./remainder_check
//   i686-w64-mingw32-g++-posix -O2 -static bench/RemainderCheck.cpp -o remainder_check.exe
//   wine remainder_check.exe

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <vector>

namespace {

// The high 32 bits of the 96-bit product x · d, from 32 × 32 → 64-bit
// products where there is no 128-bit type.
std::uint32_t MultiplyHigh(std::uint64_t x, std::uint32_t d) {
#ifdef __SIZEOF_INT128__
    __extension__ typedef unsigned __int128 Wide;
    return static_cast<std::uint32_t>((static_cast<Wide>(x) * d) >> 64U);
#else
    const std::uint64_t high = (x >> 32U) * d;
    const std::uint64_t low = (x & 0xFFFFFFFFU) * d;
    return static_cast<std::uint32_t>((high + (low >> 32U)) >> 32U);
#endif
}

volatile std::uint32_t sink = 0;
volatile std::uint32_t zero = 0;

template <typename F>
double NanosecondsPerRemainder(const std::vector<std::uint32_t>& xs, F remainder) {
    double best = 1e300;
    for (int round = 0; round < 15; ++round) {
        const auto start = std::chrono::steady_clock::now();
        std::uint32_t sum = 0;
        for (const std::uint32_t x : xs) {
            sum += remainder(x ^ sum);  // each depends on the last, as in a chain of look-ups
        }
        const std::chrono::duration<double, std::nano> took = std::chrono::steady_clock::now() - start;
        sink = sum;
        best = std::min(best, took.count() / static_cast<double>(xs.size()));
    }
    return best;
}

}  // namespace

int main() {
    std::mt19937 rng(7);
    std::vector<std::uint32_t> xs(1 << 20);
    for (std::uint32_t& x : xs) {
        x = rng();
    }
    std::printf("%-12s %12s %12s %8s\n", "divisor", "x % d, ns", "fast, ns", "ratio");
    for (const std::uint32_t d : {10U, 1000U, 294912U, 2097152U, 4000000007U}) {
        const std::uint32_t divisor = d + zero;  // not a constant the compiler can fold
        const std::uint64_t magic = std::numeric_limits<std::uint64_t>::max() / divisor + 1;
        const double plain = NanosecondsPerRemainder(xs, [divisor](std::uint32_t x) { return x % divisor; });
        const double fast = NanosecondsPerRemainder(
            xs, [divisor, magic](std::uint32_t x) { return MultiplyHigh(magic * x, divisor); });
        std::printf("%-12u %12.2f %12.2f %8.2f\n", divisor, plain, fast, fast / plain);
    }
    return 0;
}
