// The public headers compile after the real <windows.h>, included first and
// with neither NOMINMAX nor WIN32_LEAN_AND_MEAN, as most Windows programs do.

#include <windows.h>

#include <containers/ArrayStack.h>
#include <containers/CircularQueue.h>
#include <containers/HashEntry.h>
#include <containers/HashTable.h>
#include <containers/List.h>
#include <containers/ListNode.h>
