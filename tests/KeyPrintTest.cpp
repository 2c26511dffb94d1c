#include <containers/detail/KeyPrint.h>
#include <containers/detail/KeyWords.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>

namespace {

using containers::detail::EndingLanes;
using containers::detail::KeyWords;
using containers::detail::PrintOf;
using containers::detail::TagOf;

std::uint64_t PrintOfKey(const std::string& key) { return PrintOf(KeyWords::Of(key), key.size()); }

// Catches a print that some byte of a key does not reach, so that keys one
// byte apart ("user0001" ... "user0009") share a tag, or filter bits, and
// cost a key comparison or pass the filter: a product's low bits, say,
// which the factors' high bits never reach. And a constant tag. At every
// length from 1 to 40, changing any one byte to any of its 255 other values
// must change the tag, the filter's pattern (bits 0 to 11) and the bits that
// pick its word (32 to 63), each for nearly every value.
TEST(KeyPrintTest, EveryByteOfAKeyReachesItsTagAndFilterBits) {
    for (std::size_t length = 1; length <= 40; ++length) {
        std::string key;
        for (std::size_t i = 0; i < length; ++i) {
            key += static_cast<char>('0' + i * 7 % 43);
        }
        const std::uint64_t print = PrintOfKey(key);
        for (std::size_t at = 0; at < length; ++at) {
            int tags = 0;
            int patterns = 0;
            int words = 0;
            std::string other = key;
            for (int delta = 1; delta < 256; ++delta) {
                other[at] = static_cast<char>(key[at] + delta);
                const std::uint64_t changed = PrintOfKey(other);
                tags += TagOf(changed) != TagOf(print) ? 1 : 0;
                patterns += ((changed ^ print) & 0xFFFU) != 0 ? 1 : 0;
                words += ((changed ^ print) >> 32U) != 0 ? 1 : 0;
            }
            EXPECT_GE(tags, 224) << "length " << length << ", byte " << at;
            EXPECT_GE(patterns, 240) << "length " << length << ", byte " << at;
            EXPECT_GE(words, 250) << "length " << length << ", byte " << at;
        }
    }
}

// Catches a lane that carries into its neighbour or a tag compared in part:
// every tag a lane can hold (0 for an empty slot, or a full one), in every
// lane, among random neighbours, against every full tag and tag 0.
TEST(KeyPrintTest, EndingLanesAreTheEmptyOnesAndThoseOfTheSameTag) {
    std::mt19937_64 rng(42);
    const auto someTag = [&rng] {
        return rng() % 4 == 0 ? 0U : static_cast<unsigned>(0x80 | (rng() & 0x7F));
    };
    for (unsigned lane = 0; lane < 8; ++lane) {
        for (unsigned value = 0x7F; value < 256; ++value) {
            const unsigned held = value == 0x7F ? 0 : value;
            std::uint64_t tags = 0;
            for (unsigned other = 0; other < 8; ++other) {
                tags |= std::uint64_t{other == lane ? held : someTag()} << (8 * other);
            }
            for (unsigned tag = 0x7F; tag < 256; ++tag) {
                const auto key = static_cast<std::uint8_t>(tag == 0x7F ? 0 : tag);
                const std::uint64_t top = std::uint64_t{0x80} << (8 * lane);
                ASSERT_EQ((EndingLanes(tags, key) & top) != 0, held == 0 || held == key)
                    << "lane " << lane << ", tag held " << held << ", tag sought " << unsigned{key};
                ASSERT_EQ(EndingLanes(tags, key) & ~std::uint64_t{0x8080808080808080U}, 0U);
            }
        }
    }
}

}  // namespace
