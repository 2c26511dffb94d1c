#include <demo/Demos.h>

#include "ZeroToNine.h"

#include <containers/HashEntry.h>
#include <containers/HashTable.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace demo {

void RunHashDemo() {
    using containers::HashEntry;
    using containers::HashTable;

    const std::array<std::int32_t, 10> testInts = detail::ZeroToNine();
    const std::array<std::string, 10> testStrings = {"brel", "vug",  "plonk", "pud",  "sarn",
                                                     "glim", "hoke", "frass", "wemb", "zib"};

    // The table only points at the entries; they are owned here and released
    // when the routine ends, after the table (declared later) is gone.
    std::array<std::unique_ptr<HashEntry>, 11> entries;
    HashTable h(10);

    for (std::size_t pos = 0; pos < testStrings.size(); ++pos) {
        entries[pos] = std::make_unique<HashEntry>(testInts[pos], testStrings[pos]);
        h.Insert(entries[pos].get());
    }
    // The table is full: this one is refused.
    entries[10] = std::make_unique<HashEntry>(testInts[0], testStrings[0]);
    h.Insert(entries[10].get());

    // Each of the ten keys is stored (only the eleventh entry was refused),
    // so Find never returns nullptr here.
    for (const std::string& key : testStrings) {
        std::printf("hash: %i\n", h.Find(key)->Value());
    }
}

}  // namespace demo
