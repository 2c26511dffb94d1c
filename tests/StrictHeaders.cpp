// Includes every public header, so that the build can compile them with the
// strictest warnings that users turn on (tests/CMakeLists.txt): headers that
// warn stop every user who builds with -Werror and includes them without
// -isystem, as add_subdirectory and FetchContent do.

#include <containers/ArrayStack.h>
#include <containers/CircularQueue.h>
#include <containers/HashEntry.h>
#include <containers/HashTable.h>
#include <containers/List.h>
#include <containers/ListNode.h>
