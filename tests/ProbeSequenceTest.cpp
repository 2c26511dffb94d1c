#include <containers/detail/KeyPrint.h>
#include <containers/detail/ProbeSequence.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using containers::detail::EndingLanes;
using containers::detail::ProbeSequence;

// The offset after k steps: 1² + 2² + ... + k² modulo c, from its closed form.
std::uint64_t Offset(std::uint64_t k, std::uint64_t c) { return k * (k + 1) * (2 * k + 1) / 6 % c; }

// Catches a probe that gives up before it has seen every slot it can reach
// (a period too short) or keeps examining slots it has seen (too long): the
// period is the smallest number of steps after which the offsets repeat.
TEST(ProbeSequenceTest, ThePeriodIsTheSmallestAfterWhichTheOffsetsRepeat) {
    for (std::uint32_t c = 1; c <= 300; ++c) {
        std::vector<std::uint64_t> offsets;
        for (std::uint64_t k = 0; k < 12ULL * c + 3; ++k) {
            offsets.push_back(Offset(k, c));
        }
        std::uint64_t period = 1;
        for (;; ++period) {
            bool repeats = true;
            for (std::uint64_t k = 0; repeats && k + period < offsets.size(); ++k) {
                repeats = offsets[k + period] == offsets[k];
            }
            if (repeats) {
                break;
            }
        }
        EXPECT_EQ(ProbeSequence(c).Period(), period) << "capacity " << c;
    }
}

// Catches slots that leave the running sums of squares: in the early steps,
// after them (where each step adds the next square), and past step 65536,
// where k² no longer fits 32 bits and a sum of 32-bit squares would wrap (at
// capacity 46656 it would first reach offset 15244, after 65544 steps, where
// the exact sums first reach 12238, after 65539). Also at capacities whose
// slots' sums would overflow 32 bits.
TEST(ProbeSequenceTest, TheSlotsAreTheRunningSumsOfSquaresPastStep65536) {
    for (const std::uint32_t c : {46656U, 1000003U, 2147483659U, 4294967291U}) {
        const ProbeSequence probe(c);
        for (const std::uint32_t home : {0U, c / 2, c - 1}) {
            for (std::uint32_t k = 0; k < ProbeSequence::kEarlySteps; ++k) {
                ASSERT_EQ(probe.EarlySlot(home, k), (home + Offset(k, c)) % c) << c << " step " << k;
            }
            ProbeSequence::Onward onward = probe.OnwardFrom(home);
            for (std::uint64_t k = ProbeSequence::kEarlySteps; k < 70000; ++k, onward.Next()) {
                ASSERT_EQ(onward.Slot(), (home + Offset(k, c)) % c) << c << " step " << k;
            }
        }
    }
}

// Catches a window whose lanes are not the first five steps' tags in the
// probe's order, a lane that is not the window's, or a lane taken for
// another slot: in an empty window every lane ends the probe, and its lanes
// are the five steps' slots, in order.
TEST(ProbeSequenceTest, TheWindowHoldsTheFirstFiveStepsInTheirOrder) {
    std::vector<unsigned char> tags(31);
    for (unsigned i = 0; i < tags.size(); ++i) {
        tags[i] = static_cast<unsigned char>(0x80 + i);
    }
    EXPECT_EQ(ProbeSequence::WindowTags(tags.data()), 0x9E8E850000008180U);

    const ProbeSequence probe(40);
    const std::vector<unsigned char> empty(31);
    std::vector<std::uint32_t> slots;
    std::uint64_t lanes =
        EndingLanes(ProbeSequence::WindowTags(empty.data()), 0x81) & ProbeSequence::kWindowLanes;
    for (; lanes != 0; lanes &= lanes - 1) {
        slots.push_back(probe.WindowSlot(20, lanes));
    }
    EXPECT_EQ(slots, (std::vector<std::uint32_t>{20, 21, 25, 34, 10}));
}

}  // namespace
