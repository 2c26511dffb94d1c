// The public headers compile where function-like min and max macros are
// defined, as <windows.h> defines them unless NOMINMAX is. The standard
// headers come first, as in a Windows program that includes them before
// <windows.h>; libstdc++ would undefine the macros if it came after them.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>
#include <string>
#include <string_view>
#include <utility>

#define min(a, b) (((a) < (b)) ? (a) : (b))
#define max(a, b) (((a) > (b)) ? (a) : (b))

#include <containers/ArrayStack.h>
#include <containers/CircularQueue.h>
#include <containers/HashEntry.h>
#include <containers/HashTable.h>
#include <containers/List.h>
#include <containers/ListNode.h>

// The macros are still in force after the headers.
static_assert(max(1, 2) == 2 && min(1, 2) == 1, "min and max are the function-like macros");
