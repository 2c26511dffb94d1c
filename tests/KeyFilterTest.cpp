#include <containers/detail/KeyFilter.h>
#include <containers/detail/KeyPrint.h>
#include <containers/detail/KeyWords.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using containers::detail::KeyFilter;
using containers::detail::KeyWords;
using containers::detail::PrintOf;

std::uint64_t PrintOfKey(const std::string& key) { return PrintOf(KeyWords::Of(key), key.size()); }

// Catches a filter that turns away a key that was added, and one that never
// turns a key away (absent keys would probe as if it had none): a filter for
// 1000 slots that holds 890 keys of a sequence admits all of them and at most
// 2 % of 20000 others (about 0.3 % is expected).
TEST(KeyFilterTest, HoldsEveryKeyAddedAndTurnsNearlyAllOthersAway) {
    std::vector<std::uint64_t> words(KeyFilter::WordsFor(1000));
    KeyFilter filter(words.data(), KeyFilter::WordsFor(1000), false);
    for (int i = 0; i < 890; ++i) {
        filter.Add(PrintOfKey("user" + std::to_string(i)));
    }
    for (int i = 0; i < 890; ++i) {
        ASSERT_TRUE(filter.MayHold(PrintOfKey("user" + std::to_string(i)))) << i;
    }
    int admitted = 0;
    for (int i = 890; i < 20890; ++i) {
        admitted += filter.MayHold(PrintOfKey("user" + std::to_string(i))) ? 1 : 0;
    }
    EXPECT_LE(admitted, 400);
}

}  // namespace
