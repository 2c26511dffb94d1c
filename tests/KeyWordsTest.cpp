#include <containers/detail/KeyWords.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace {

using containers::detail::KeyWords;
using containers::detail::SameKey;

bool SameWords(const KeyWords& x, const KeyWords& y) {
    return x.a == y.a && x.b == y.b && x.c == y.c && x.d == y.d;
}

// Catches a comparison of keys that skips a byte at some length (its words
// leaving one out, say): every byte value at every position of every length
// from 0 to 40 makes a different key, and an equal copy the same key.
TEST(KeyWordsTest, SameKeyTellsEveryOneByteChangeAtEveryLength) {
    for (std::size_t length = 0; length <= 40; ++length) {
        std::string key;
        for (std::size_t i = 0; i < length; ++i) {
            key += static_cast<char>('A' + i * 7 % 53);
        }
        const KeyWords words = KeyWords::Of(key);
        ASSERT_TRUE(SameKey(std::string(key), key, words)) << "length " << length;
        ASSERT_FALSE(SameKey(key + 'x', key, words)) << "length " << length;
        for (std::size_t at = 0; at < length; ++at) {
            std::string other = key;
            for (int delta = 1; delta < 256; ++delta) {
                other[at] = static_cast<char>(key[at] + delta);
                ASSERT_FALSE(SameKey(other, key, words)) << "length " << length << ", byte " << at;
            }
        }
    }
}

// Catches the words of a just-copied key read differently from the key's
// own, at any length, which would miss stored keys through Find's by-value
// form: a byte of 0x80 or more widened with its sign, say, where every
// other test's keys of 5 to 15 bytes are ASCII.
TEST(KeyWordsTest, TheWordsOfACopyAreTheWordsOfTheKey) {
    for (std::size_t length = 0; length <= 40; ++length) {
        for (const int first : {0x41, 0x80, 0xE9, 0xFF}) {
            std::string key;
            for (std::size_t i = 0; i < length; ++i) {
                key += static_cast<char>(first + static_cast<int>(i) * 37);  // both signs in turn
            }
            const std::string copy = key;
            EXPECT_TRUE(SameWords(KeyWords::OfCopy(copy), KeyWords::Of(key)))
                << "length " << length << ", first byte " << first;
        }
    }
}

}  // namespace
