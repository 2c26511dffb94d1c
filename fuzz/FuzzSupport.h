#pragma once

// Shared pieces of the differential fuzz targets: a reader that turns the
// input bytes into operation codes and operands, and a check that stops the
// run (and so keeps the input) when the container and its model disagree.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#define FUZZ_CHECK(condition)                                                                     \
    do {                                                                                          \
        if (!(condition)) {                                                                       \
            std::fprintf(stderr, "%s:%d: container and model disagree: %s\n", __FILE__, __LINE__, \
                         #condition);                                                             \
            std::abort();                                                                         \
        }                                                                                         \
    } while (false)

namespace fuzzsupport {

// Reads the input front to back; past the end every read gives 0.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data(data), size(size) {}

    [[nodiscard]] bool Empty() const { return offset >= size; }

    std::uint8_t Byte() { return offset < size ? data[offset++] : 0; }

    // A number in [low, high].
    std::int32_t Range(std::int32_t low, std::int32_t high) {
        const auto span = static_cast<std::uint32_t>(high - low) + 1U;
        return low + static_cast<std::int32_t>(Byte() % span);
    }

    // A value that is often small and often the sentinel -1.
    std::int32_t Value() {
        const std::uint8_t kind = Byte();
        if (kind % 8 == 0) {
            std::uint32_t wide = 0;
            for (int i = 0; i < 4; ++i) {
                wide = wide << 8U | Byte();
            }
            return static_cast<std::int32_t>(wide);
        }
        return static_cast<std::int8_t>(Byte());
    }

    // A key of 0 to `maxLength` bytes from a small alphabet, so that keys
    // repeat and collide.
    std::string Key(std::size_t maxLength) {
        static const char alphabet[] = {'a', 'k', 'u', 'C', 'M', 'W', '9', '\xE9', '\0', 'z'};
        const std::size_t length = Byte() % (maxLength + 1);
        std::string key;
        for (std::size_t i = 0; i < length; ++i) {
            key += alphabet[Byte() % sizeof(alphabet)];
        }
        return key;
    }

private:
    const std::uint8_t* data;
    std::size_t size;
    std::size_t offset = 0;
};

}  // namespace fuzzsupport
