// Several threads at once, for ThreadSanitizer (the `tsan` leg): the table's
// const members on one shared table, which its header says are safe to call
// concurrently, and a list, a stack and a queue of each thread's own through
// a full workload, so that any state they share (a static buffer, a table
// built on first use) shows up as a race.

#include <containers/ArrayStack.h>
#include <containers/CircularQueue.h>
#include <containers/HashEntry.h>
#include <containers/HashTable.h>
#include <containers/List.h>
#include <containers/ListNode.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace {

using containers::HashEntry;
using containers::HashTable;

constexpr int kThreads = 4;

// Keys of every length class the table treats apart: 0 to 3 bytes, 4 to 8,
// 9 to 16, 17 to 32 and longer.
std::string KeyOf(int i) {
    const std::string digits = std::to_string(i);
    return std::string(static_cast<std::size_t>(i % 41), 'k') + digits;
}

// What one thread reads of the shared table; the number of wrong answers.
int ReadTable(const HashTable& table, const std::vector<std::unique_ptr<HashEntry>>& entries) {
    int wrong = 0;
    const auto expect = [&wrong](bool good) { wrong += good ? 0 : 1; };
    for (const auto& entry : entries) {
        const std::string& key = entry->Key();
        expect(table.Find(key) == entry.get());
        expect(table.Find(std::string_view(key)) == entry.get());
        expect(table.Find(key.c_str()) == entry.get());
        expect(table.Find(key + '!') == nullptr);
        std::uint32_t h = 0;
        for (const char c : key) {
            h = h * 33U + static_cast<std::uint32_t>(static_cast<signed char>(c));
        }
        expect(HashTable::Hash(key) == static_cast<std::int32_t>(h));
    }
    std::uint32_t held = 0;
    for (std::uint32_t i = 0; i < table.Capacity(); ++i) {
        held += table.Slot(i) != nullptr ? 1 : 0;
    }
    expect(held == table.Count() && held == entries.size());
    expect(!table.IsFull() && std::isfinite(table.LoadFactor()));
    return wrong;
}

// A full workload on a thread's own containers; the number of wrong answers.
int RunOwnContainers(int seed) {
    int wrong = 0;
    const auto expect = [&wrong](bool good) { wrong += good ? 0 : 1; };
    std::vector<std::int32_t> items(64);
    {
        containers::List list;
        for (std::int32_t i = 0; i < 64; ++i) {
            items[static_cast<std::size_t>(i)] = seed + i;
            list.Add(new containers::ListNode(&items[static_cast<std::size_t>(i)]));
        }
        for (std::int32_t i = 63; i >= 0; i -= 3) {
            expect(list.Get(i) != nullptr && *list.Get(i)->Data() == seed + i);
        }
        expect(list.Insert(new containers::ListNode(&items[0]), 10));
        list.Erase(list.Get(10));
        expect(list.Count() == 64);
    }
    containers::ArrayStack stack;
    containers::CircularQueue queue;
    for (std::int32_t i = 0; i < 1000; ++i) {
        stack.Push(seed + i);
        queue.Enqueue(seed + i);
        if (i % 3 == 0) {
            expect(queue.Dequeue() == seed + i / 3);
        }
    }
    for (std::int32_t i = 999; i >= 0; --i) {
        expect(stack.Pop() == seed + i);
    }
    for (std::int32_t i = 334; i < 1000; ++i) {
        expect(queue.Dequeue() == seed + i);
    }
    expect(stack.Pop() == -1 && queue.Dequeue() == -1);
    return wrong;
}

TEST(ConcurrencyTest, ThreadsReadOneTableAndRunTheirOwnContainers) {
    std::vector<std::unique_ptr<HashEntry>> entries;
    HashTable table(512);
    for (int i = 0; i < 300; ++i) {
        entries.push_back(std::make_unique<HashEntry>(i, KeyOf(i)));
        table.Insert(entries.back().get());
    }
    ASSERT_EQ(table.Count(), entries.size());

    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&table, &entries, &wrong, t] {
            for (int round = 0; round < 20; ++round) {
                wrong += ReadTable(table, entries);
                wrong += RunOwnContainers(t * 100000 + round);
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(wrong.load(), 0);
}

}  // namespace
