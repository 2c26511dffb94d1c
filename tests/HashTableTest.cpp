#include <containers/HashEntry.h>
#include <containers/HashTable.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace {

using containers::HashEntry;
using containers::HashTable;

// Entries owned by the test; the table only points at them.
class Entries {
public:
    HashEntry* Make(std::int32_t value, std::string key) {
        owned.push_back(std::make_unique<HashEntry>(value, std::move(key)));
        return owned.back().get();
    }

private:
    std::vector<std::unique_ptr<HashEntry>> owned;
};

// The slot that holds `key`, or -1.
std::int64_t SlotOf(const HashTable& table, const std::string& key) {
    for (std::uint32_t i = 0; i < table.Capacity(); ++i) {
        if (table.Slot(i) != nullptr && table.Slot(i)->Key() == key) {
            return i;
        }
    }
    return -1;
}

// Catches an assignment that would replace the key of an entry a table holds.
static_assert(!std::is_copy_assignable_v<HashEntry> && !std::is_move_assignable_v<HashEntry> &&
              std::is_copy_constructible_v<HashEntry> && std::is_move_constructible_v<HashEntry>);

TEST(HashEntryTest, DefaultsToHelloWorldAndKeepsTheKeyAndValueItIsGiven) {
    const HashEntry byDefault;
    EXPECT_EQ(byDefault.Key(), "hello world");
    EXPECT_EQ(byDefault.Value(), 0);

    std::string key = "abc";
    HashEntry entry(7, key);
    EXPECT_EQ(entry.Key(), "abc");
    EXPECT_EQ(entry.Value(), 7);
    EXPECT_EQ(key, "abc");
    entry.SetValue(42);
    EXPECT_EQ(entry.Value(), 42);
    EXPECT_EQ(entry.Key(), "abc");

    const HashEntry empty(-1, "");
    EXPECT_EQ(empty.Key(), "");
    EXPECT_EQ(empty.Value(), -1);
}

// Catches a move that empties the key of an entry that a table holds, which
// the table could then no longer find: moving an entry copies it.
TEST(HashEntryTest, MovingAnEntryLeavesItsKeyAndTheTableThatHoldsIt) {
    Entries entries;
    HashTable table(4);
    HashEntry* inlineKey = entries.Make(1, "abc");
    HashEntry* heapKey = entries.Make(2, std::string(40, 'k'));
    table.Insert(inlineKey);
    table.Insert(heapKey);
    // NOLINTBEGIN(bugprone-use-after-move): the sources are what is tested
    const HashEntry fromInline(std::move(*inlineKey));
    const HashEntry fromHeap(std::move(*heapKey));
    EXPECT_EQ(inlineKey->Key(), "abc");
    EXPECT_EQ(heapKey->Key(), std::string(40, 'k'));
    // NOLINTEND(bugprone-use-after-move)
    EXPECT_EQ(fromInline.Key(), "abc");
    EXPECT_EQ(fromHeap.Value(), 2);
    EXPECT_EQ(table.Find("abc"), inlineKey);
    EXPECT_EQ(table.Find(std::string(40, 'k')), heapKey);
}

TEST(HashTableTest, HashMultipliesBy33OverSignedBytes) {
    EXPECT_EQ(HashTable::Hash(""), 0);
    EXPECT_EQ(HashTable::Hash("a"), 97);
    EXPECT_EQ(HashTable::Hash("abc"), 108966);
    EXPECT_EQ(HashTable::Hash("brel"), 3649413);
    EXPECT_EQ(HashTable::Hash("plonk"), 136828964);
    // Wraps at 32 bits: 3916023477 read as signed.
    EXPECT_EQ(HashTable::Hash("abcdef"), -378943819);
    // Bytes 0x80 to 0xFF count as -128 to -1.
    EXPECT_EQ(HashTable::Hash("\xE9"), -23);
    EXPECT_EQ(HashTable::Hash("a\xFF"), 97 * 33 - 1);
    EXPECT_EQ(HashTable::Hash(std::string(1, '\0')), 0);
    EXPECT_NE(HashTable::Hash("Abc"), HashTable::Hash("abc"));
}

// Catches a hash that takes several bytes a step (16 with SSE2) and differs
// from the single steps at any length or byte, sign included.
TEST(HashTableTest, HashEqualsItsSingleStepsAtEveryLength) {
    std::string key;
    for (int length = 0; length <= 80; ++length) {
        std::uint32_t h = 0;
        for (const char c : key) {
            h = h * 33U + static_cast<std::uint32_t>(static_cast<signed char>(c));
        }
        EXPECT_EQ(HashTable::Hash(key), static_cast<std::int32_t>(h)) << "length " << length;
        key += static_cast<char>(length * 37 % 256 - 128);  // every byte value's sign in turn
    }
}

TEST(HashTableTest, ProbeStepSquaresWithoutOverflow) {
    EXPECT_EQ(HashTable::ProbeStep(0), 0);
    EXPECT_EQ(HashTable::ProbeStep(3), 9);
    EXPECT_EQ(HashTable::ProbeStep(-3), 9);
    EXPECT_EQ(HashTable::ProbeStep(46340), 2147395600);
    // 46341² = 2147488281 no longer fits; the result wraps.
    EXPECT_EQ(HashTable::ProbeStep(46341), static_cast<std::int32_t>(2147488281U - 4294967296ULL));
}

TEST(HashTableTest, ANewTableIsEmptyAndFindsNothing) {
    const HashTable table(10);
    EXPECT_EQ(table.Capacity(), 10U);
    EXPECT_EQ(table.Count(), 0U);
    EXPECT_FALSE(table.IsFull());
    EXPECT_EQ(table.LoadFactor(), 0.0F);
    EXPECT_EQ(table.Find("abc"), nullptr);
    for (std::uint32_t i = 0; i < table.Capacity(); ++i) {
        EXPECT_EQ(table.Slot(i), nullptr);
    }
}

TEST(HashTableTest, TheHomeSlotIsTheUnsignedHashModuloTheCapacity) {
    Entries entries;
    HashTable table(10);
    HashEntry* abc = entries.Make(1, "abc");
    table.Insert(abc);
    EXPECT_EQ(table.Slot(6), abc);
    EXPECT_EQ(table.Find("abc"), abc);
    EXPECT_EQ(table.Count(), 1U);
    EXPECT_EQ(table.LoadFactor(), 0.1F);

    // Negative hashes take the unsigned remainder, never a negative one.
    table.Insert(entries.Make(2, "abcdef"));
    table.Insert(entries.Make(3, "\xE9"));
    EXPECT_EQ(SlotOf(table, "abcdef"), 7);
    EXPECT_EQ(SlotOf(table, "\xE9"), 3);
    EXPECT_EQ(table.Find("abcdef")->Value(), 2);
    EXPECT_EQ(table.Find("\xE9")->Value(), 3);
}

TEST(HashTableTest, TheProbeAddsSquaresAndRefusesAKeyWhenExhausted) {
    // All six keys have home slot 7 in ten slots; each step adds i² to the
    // previous slot, which reaches only the slots 7, 8, 2, 1, 3 and 6.
    Entries entries;
    HashTable table(10);
    const std::vector<std::pair<std::string, std::int64_t>> expected = {{"a", 7}, {"k", 8}, {"u", 2},
                                                                        {"C", 1}, {"M", 3}, {"W", 6}};
    std::int32_t value = 0;
    for (const auto& [key, slot] : expected) {
        table.Insert(entries.Make(value++, key));
    }
    value = 0;
    for (const auto& [key, slot] : expected) {
        EXPECT_EQ(SlotOf(table, key), slot) << key;
        ASSERT_NE(table.Find(key), nullptr) << key;
        EXPECT_EQ(table.Find(key)->Value(), value++) << key;
    }
    for (std::uint32_t empty : {0U, 4U, 5U, 9U}) {
        EXPECT_EQ(table.Slot(empty), nullptr) << empty;
    }

    // A seventh key with home slot 7 reaches no empty slot: refused, and the
    // search for it ends too.
    table.Insert(entries.Make(99, "9"));
    EXPECT_EQ(table.Count(), 6U);
    EXPECT_FALSE(table.IsFull());
    EXPECT_EQ(table.Find("9"), nullptr);
    EXPECT_EQ(SlotOf(table, "9"), -1);

    // Keys with other home slots still find room ("P" has home slot 0).
    HashEntry* p = entries.Make(100, "P");
    table.Insert(p);
    EXPECT_EQ(table.Slot(0), p);
    EXPECT_EQ(table.Count(), 7U);
}

TEST(HashTableTest, TheProbeReachesEverySlotOfAPowerOfTwoCapacity) {
    // Sixteen one-byte keys that all have home slot 1 fill all sixteen slots.
    Entries entries;
    HashTable table(16);
    for (int j = 0; j < 16; ++j) {
        table.Insert(entries.Make(j, std::string(1, static_cast<char>(1 + 16 * j))));
    }
    EXPECT_EQ(table.Count(), 16U);
    EXPECT_TRUE(table.IsFull());
    for (int j = 0; j < 16; ++j) {
        const HashEntry* found = table.Find(std::string(1, static_cast<char>(1 + 16 * j)));
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->Value(), j);
    }
}

// Catches an off-by-one in the word-wise key comparison: at every length from
// 0 to 40, a key and the key with one byte changed, at each position in turn,
// are different keys, and an equal copy is the same key. The byte changes by
// 2, which keeps the hash's parity, so in two slots the keys share a home
// slot and Insert and Find must compare them.
TEST(HashTableTest, KeysDifferingInAnyOneByteAreDifferentAtEveryLength) {
    for (std::size_t length = 0; length <= 40; ++length) {
        std::string key;
        for (std::size_t i = 0; i < length; ++i) {
            key += static_cast<char>('a' + i % 26);
        }
        Entries entries;
        HashTable same(2);
        HashEntry* first = entries.Make(1, key);
        same.Insert(first);
        same.Insert(entries.Make(2, std::string(key)));
        EXPECT_EQ(same.Count(), 1U) << "length " << length;
        EXPECT_EQ(same.Find(std::string(key)), first) << "length " << length;

        for (std::size_t at = 0; at < length; ++at) {
            std::string other = key;
            other[at] = static_cast<char>(other[at] ^ 2);
            HashTable table(2);
            HashEntry* a = entries.Make(1, key);
            HashEntry* b = entries.Make(2, other);
            table.Insert(a);
            table.Insert(b);
            EXPECT_EQ(table.Find(key), a) << "length " << length << ", byte " << at;
            EXPECT_EQ(table.Find(other), b) << "length " << length << ", byte " << at;

            // Catches a probe that trusts an equal hash (or its tag) for an
            // equal key, and a word-wise compare that skips any byte: one
            // byte up by 1 and the next down by 33 keeps the hash, as "Ab"
            // and "BA" share 2243.
            if (at + 1 < length) {
                std::string twin = key;
                twin[at] = static_cast<char>(twin[at] + 1);
                twin[at + 1] = static_cast<char>(twin[at + 1] - 33);
                ASSERT_EQ(HashTable::Hash(twin), HashTable::Hash(key));
                HashTable shared(2);
                HashEntry* c = entries.Make(3, twin);
                shared.Insert(a);
                shared.Insert(c);
                EXPECT_EQ(shared.Find(key), a)
                    << "length " << length << ", bytes " << at << " and " << at + 1;
                EXPECT_EQ(shared.Find(twin), c)
                    << "length " << length << ", bytes " << at << " and " << at + 1;
            }
        }
    }
}

// Catches a look-up that ends at the wrong stored key, or finds one, for a
// key one byte away from it, whatever the byte: every byte value at every
// position of every length from 0 to 40. Tags and the filter turn most such
// keys away, so the comparison itself is KeyWordsTest's.
TEST(HashTableTest, AKeyDifferingInOneByteIsNotFoundWhateverTheByte) {
    for (std::size_t length = 0; length <= 40; ++length) {
        std::string key;
        for (std::size_t i = 0; i < length; ++i) {
            key += static_cast<char>('A' + i * 7 % 53);
        }
        Entries entries;
        HashTable table(64);
        table.Insert(entries.Make(1, key));
        for (std::size_t at = 0; at < length; ++at) {
            std::string other = key;
            for (int delta = 1; delta < 256; ++delta) {
                other[at] = static_cast<char>(key[at] + delta);
                ASSERT_EQ(table.Find(std::string_view(other)), nullptr)
                    << "length " << length << ", byte " << at;
            }
        }
    }
}

TEST(HashTableTest, FindOfAnAbsentKeyStopsAtTheFirstEmptySlot) {
    Entries entries;
    HashTable table(10);
    table.Insert(entries.Make(0, "a"));
    table.Insert(entries.Make(1, "k"));
    EXPECT_EQ(table.Find("u"), nullptr);  // same home slot, probe hits empty slot 2
    EXPECT_EQ(table.Find("A"), nullptr);  // case matters
    EXPECT_EQ(table.Find(""), nullptr);
}

TEST(HashTableTest, InsertOfADuplicateKeyKeepsTheFirstEntry) {
    Entries entries;
    HashTable table(10);
    HashEntry* first = entries.Make(1, "key");
    table.Insert(first);
    table.Insert(entries.Make(2, "key"));
    table.Insert(first);
    EXPECT_EQ(table.Count(), 1U);
    EXPECT_EQ(table.Find("key"), first);
}

TEST(HashTableTest, AFullTableRefusesEverything) {
    Entries entries;
    HashTable table(3);
    for (const char* key : {"x", "y", "z"}) {
        table.Insert(entries.Make(0, key));
    }
    EXPECT_TRUE(table.IsFull());
    EXPECT_EQ(table.LoadFactor(), 1.0F);
    table.Insert(entries.Make(1, "w"));
    EXPECT_EQ(table.Count(), 3U);
    EXPECT_EQ(table.Find("w"), nullptr);
    EXPECT_NE(table.Find("z"), nullptr);
}

TEST(HashTableTest, ATableOfCapacityZeroRefusesEverythingAndFindsNothing) {
    Entries entries;
    HashTable table(0);
    EXPECT_TRUE(table.IsFull());
    EXPECT_TRUE(std::isnan(table.LoadFactor()));
    table.Insert(entries.Make(0, "a"));
    EXPECT_EQ(table.Count(), 0U);
    EXPECT_EQ(table.Find("a"), nullptr);
}

TEST(HashTableTest, TablesOfCapacityOneAndTwoUseEverySlot) {
    Entries entries;
    HashTable one(1);
    one.Insert(entries.Make(1, "a"));
    one.Insert(entries.Make(2, "b"));
    EXPECT_EQ(one.Find("a")->Value(), 1);
    EXPECT_EQ(one.Find("b"), nullptr);

    HashTable two(2);
    two.Insert(entries.Make(1, "a"));
    two.Insert(entries.Make(2, "c"));  // same home slot as "a"
    EXPECT_EQ(two.Count(), 2U);
    EXPECT_EQ(two.Find("c")->Value(), 2);
}

TEST(HashTableTest, TheDemonstrationKeysLandInTheirSlots) {
    // "hoke" collides with "pud" and examines twelve slots before slot 5.
    Entries entries;
    HashTable table(10);
    const std::vector<std::string> keys = {"brel", "vug",  "plonk", "pud",  "sarn",
                                           "glim", "hoke", "frass", "wemb", "zib"};
    for (std::size_t i = 0; i < keys.size(); ++i) {
        table.Insert(entries.Make(static_cast<std::int32_t>(i), keys[i]));
    }
    table.Insert(entries.Make(0, "brel"));
    const std::vector<std::string> bySlot = {"sarn", "zib", "wemb", "brel",  "plonk",
                                             "hoke", "vug", "glim", "frass", "pud"};
    for (std::uint32_t slot = 0; slot < 10; ++slot) {
        ASSERT_NE(table.Slot(slot), nullptr);
        EXPECT_EQ(table.Slot(slot)->Key(), bySlot[slot]) << slot;
    }
    for (std::size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(table.Find(keys[i])->Value(), static_cast<std::int32_t>(i));
    }
}

// Catches a look-up form that disagrees with the specified one: a view
// compared up to a NUL byte, an empty view whose null pointer reaches memcmp,
// a form that misses keys longer than the 16 bytes compared as words, or the
// by-value form's reading of its copy going wrong at some length.
TEST(HashTableTest, TheThreeFormsOfFindAgree) {
    Entries entries;
    HashTable table(128);
    // The demonstration's keys, keys with NUL bytes, a 40-byte key and the
    // empty key, and a key of every length from 1 to 39.
    std::vector<std::string> keys = {"brel", "vug",  "plonk", "pud",  "sarn",
                                     "glim", "hoke", "frass", "wemb", "zib"};
    keys.insert(keys.end(), {std::string("a\0b", 3), std::string("a\0c", 3), std::string(1, '\0'),
                             std::string(40, 'k'), ""});
    for (std::size_t length = 1; length < 40; ++length) {
        std::string key;
        for (std::size_t i = 0; i < length; ++i) {
            key += static_cast<char>('0' + (length * 7 + i * 3) % 75);
        }
        keys.push_back(key);
    }
    std::vector<const HashEntry*> stored;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        HashEntry* const entry = entries.Make(static_cast<std::int32_t>(i), keys[i]);
        table.Insert(entry);
        stored.push_back(entry);
    }
    ASSERT_EQ(table.Count(), keys.size());

    const auto expectAgree = [&table](const std::string& key, const HashEntry* expected) {
        EXPECT_EQ(table.Find(key), expected) << "by copy: " << key.size() << " bytes";
        EXPECT_EQ(table.Find(std::string_view(key)), expected) << "by view: " << key.size() << " bytes";
        if (key.find('\0') == std::string::npos) {
            EXPECT_EQ(table.Find(key.c_str()), expected) << "by C string: " << key;
        }
    };
    for (std::size_t i = 0; i < keys.size(); ++i) {
        expectAgree(keys[i], stored[i]);
    }
    expectAgree("absent", nullptr);
    expectAgree(std::string("a\0d", 3), nullptr);
    expectAgree(std::string(39, 'k'), nullptr);
    expectAgree(std::string(40, 'k') + 'k', nullptr);

    // An empty view holds a null pointer, which must not reach memcmp
    // (UndefinedBehaviorSanitizer catches it).
    EXPECT_EQ(table.Find(std::string_view()), stored[14]);  // the empty key's entry
    // A literal picks the C string form; a C string ends at its first NUL.
    EXPECT_EQ(table.Find("brel"), stored[0]);
    EXPECT_EQ(table.Find(keys[10].c_str()), nullptr);  // "a", absent: not "a\0b"
}

TEST(HashTableTest, MovingLeavesTheSourceAnEmptyTableOfCapacityZero) {
    Entries entries;
    HashTable source(4);
    HashEntry* a = entries.Make(1, "a");
    source.Insert(a);

    HashTable moved(std::move(source));
    EXPECT_EQ(moved.Find("a"), a);
    EXPECT_EQ(source.Capacity(), 0U);  // moved from
    EXPECT_EQ(source.Find("a"), nullptr);
    source.Insert(a);
    EXPECT_EQ(source.Count(), 0U);

    HashTable assigned(1);
    assigned = std::move(moved);
    EXPECT_EQ(assigned.Find("a"), a);
    EXPECT_EQ(assigned.Capacity(), 4U);

    // Catches a move assignment that frees the slots before it checks for itself.
    HashTable& same = assigned;
    assigned = std::move(same);
    EXPECT_EQ(assigned.Find("a"), a);
}

// Catches a move that leaves the probe's table of offsets behind: "a", "k"
// and "u" share home slot 7 of 10, so "u" sits two steps on, in slot 2; and
// one that leaves the probe's length behind, which a key of the same home
// slot, refused once the six slots its probe reaches are full, would show.
TEST(HashTableTest, AMovedTableFindsKeysPastTheirHomeSlot) {
    Entries entries;
    HashTable source(10);
    HashEntry* u = nullptr;
    for (const char* key : {"a", "k", "u"}) {
        u = entries.Make(0, key);
        source.Insert(u);
    }
    ASSERT_EQ(source.Slot(2), u);

    HashTable constructed(std::move(source));
    EXPECT_EQ(constructed.Find("u"), u);
    constructed.Insert(entries.Make(0, "C"));
    constructed.Insert(entries.Make(0, "M"));
    HashTable assigned(3);
    assigned = std::move(constructed);
    EXPECT_EQ(assigned.Find("u"), u);
    assigned.Insert(entries.Make(0, "W"));
    assigned.Insert(entries.Make(0, "9"));
    EXPECT_EQ(assigned.Count(), 6U);
    EXPECT_EQ(assigned.Find("9"), nullptr);
}

// Keys whose home slot is `home` in a table of `capacity` slots.
std::vector<std::string> KeysWithHomeSlot(std::uint32_t capacity, std::uint32_t home, std::size_t n) {
    std::vector<std::string> keys;
    for (std::uint32_t i = 0; keys.size() < n; ++i) {
        std::string key = "k" + std::to_string(i);
        if (static_cast<std::uint32_t>(HashTable::Hash(key)) % capacity == home) {
            keys.push_back(std::move(key));
        }
    }
    return keys;
}
std::vector<std::string> KeysWithHomeSlotZero(std::uint32_t capacity, std::size_t n) {
    return KeysWithHomeSlot(capacity, 0, n);
}

// The offset from the home slot after k steps, 1² + 2² + ... + k², from its
// closed form.
std::uint64_t OffsetAfter(std::uint64_t k, std::uint64_t capacity) {
    return k * (k + 1) * (2 * k + 1) / 6 % capacity;
}

// Catches a large table's window of tags (the steps it takes at once, from
// 2^14 slots on) placing or finding a key in the wrong slot, missing a key
// in it, or ending at a slot that is neither empty nor the key's, also where
// the window runs past the last slot into the copy of the first tags: keys
// that share a home slot, at home slots 0 and capacity - 3, land at the
// running sums of squares and are found there.
TEST(HashTableTest, ALargeTableTakesItsFirstStepsAtOnce) {
    for (const std::uint32_t capacity : {16384U, 18432U}) {
        for (const std::uint32_t home : {0U, capacity - 3}) {
            Entries entries;
            HashTable table(capacity);
            const std::vector<std::string> keys = KeysWithHomeSlot(capacity, home, 8);
            std::vector<HashEntry*> stored;
            for (const std::string& key : keys) {
                stored.push_back(entries.Make(0, key));
                table.Insert(stored.back());
            }
            table.Insert(entries.Make(1, keys[3]));  // already stored
            ASSERT_EQ(table.Count(), keys.size());
            for (std::size_t k = 0; k < keys.size(); ++k) {
                const auto slot = static_cast<std::uint32_t>((home + OffsetAfter(k, capacity)) % capacity);
                EXPECT_EQ(table.Slot(slot), stored[k]) << capacity << ", home " << home << ", step " << k;
                EXPECT_EQ(table.Find(std::string_view(keys[k])), stored[k]) << capacity << ", step " << k;
            }
            for (const std::string& absent : KeysWithHomeSlot(capacity, home, 20)) {
                if (std::find(keys.begin(), keys.end(), absent) == keys.end()) {
                    EXPECT_EQ(table.Find(std::string_view(absent)), nullptr) << absent;
                }
            }
        }
    }
}

// Catches a probe that leaves the running sums of squares after step 32 or
// after step 65536, where k² no longer fits 32 bits: in a table of 46656
// slots (every one reachable) whose slots are all taken but two, a key's
// probe must pass 65538 steps and end at the one of them that the exact
// sums reach first, offset 12238, after 65539 steps (squares wrapping at 32
// bits would reach offset 15244 first, after 65544).
TEST(HashTableTest, TheProbeFollowsTheExactSumsOfSquaresPastStep65536) {
    constexpr std::uint32_t kCapacity = 46656;
    std::uint64_t firstNew = 0;  // the first offset that a step past 65536 reaches
    std::uint64_t steps = 0;
    {
        std::vector<bool> seen(kCapacity, false);
        for (std::uint64_t k = 0; k < 70000; ++k) {
            const std::uint64_t offset = OffsetAfter(k, kCapacity);
            if (k > 65536 && !seen[offset]) {
                firstNew = offset;
                steps = k;
                break;
            }
            seen[offset] = true;
        }
    }
    ASSERT_EQ(firstNew, 12238U);
    ASSERT_EQ(steps, 65539U);
    // One key for every home slot but the two left empty: each lands at home.
    Entries entries;
    HashTable table(kCapacity);
    const std::uint32_t home = 100;
    const std::uint32_t exact = home + 12238;
    const std::uint32_t wrapped = home + 15244;
    std::vector<std::string> byHome(kCapacity);
    std::size_t found = 0;
    for (std::uint32_t i = 0; found < kCapacity; ++i) {
        std::string key = std::to_string(i);
        std::string& slot = byHome[static_cast<std::uint32_t>(HashTable::Hash(key)) % kCapacity];
        if (slot.empty()) {
            slot = std::move(key);
            ++found;
        }
    }
    for (std::uint32_t slot = 0; slot < kCapacity; ++slot) {
        if (slot != exact && slot != wrapped) {
            table.Insert(entries.Make(0, byHome[slot]));
        }
    }
    ASSERT_EQ(table.Count(), kCapacity - 2);
    const std::string lateKey = KeysWithHomeSlot(kCapacity, home, 1)[0];  // not a number
    HashEntry* late = entries.Make(1, lateKey);
    table.Insert(late);
    EXPECT_EQ(table.Slot(exact), late);
    EXPECT_EQ(table.Slot(wrapped), nullptr);
    EXPECT_EQ(table.Find(std::string_view(lateKey)), late);
}

TEST(HashTableTest, TheProbeGivesUpOnlyAfterEveryReachableSlot) {
    // For each capacity, keys sharing one home slot fill exactly the slots
    // that the running sums of squares reach, and the next such key is refused.
    for (std::uint32_t capacity = 1; capacity <= 64; ++capacity) {
        std::vector<bool> reached(capacity, false);
        std::uint64_t offset = 0;
        for (std::uint64_t k = 0; k <= 6ULL * capacity; ++k) {
            offset = (offset + k * k) % capacity;
            reached[offset] = true;
        }
        const auto reachable = static_cast<std::uint32_t>(std::count(reached.begin(), reached.end(), true));
        // The rule that HashTable.h states for which capacities reach every slot.
        std::uint32_t rest = capacity;
        for (const std::uint32_t factor : {2U, 3U}) {
            while (rest % factor == 0) {
                rest /= factor;
            }
        }
        EXPECT_EQ(reachable == capacity, rest == 1) << "capacity " << capacity;

        Entries entries;
        HashTable table(capacity);
        const std::vector<std::string> keys = KeysWithHomeSlotZero(capacity, reachable + 1);
        for (const std::string& key : keys) {
            table.Insert(entries.Make(0, key));
        }
        EXPECT_EQ(table.Count(), reachable) << "capacity " << capacity;
        for (std::uint32_t slot = 0; slot < capacity; ++slot) {
            EXPECT_EQ(table.Slot(slot) != nullptr, static_cast<bool>(reached[slot]))
                << "capacity " << capacity << " slot " << slot;
        }
        EXPECT_EQ(table.Find(keys.back()), nullptr) << "capacity " << capacity;
    }
}

}  // namespace
