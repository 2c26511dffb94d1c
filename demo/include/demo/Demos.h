#pragma once

// The demonstration routines. Each builds its own containers, drives them
// through a fixed script and prints what comes out on standard output.
// None keeps anything between calls; a failed allocation propagates as
// std::bad_alloc after everything the routine allocated has been released.

namespace demo {

// Ten lines, "hash: 0" to "hash: 9".
void RunHashDemo();

// Five listings of a cursor list as it is appended to, inserted into, erased
// from, replaced in and cleared: forty lines.
void RunListDemo();

// Pushes 0, 1, 3 and 4 and pops five times: "stack: 4", "stack: 3",
// "stack: 1", "stack: 0", then "stack: -1" for the empty stack.
void RunStackDemo();

// Enqueues 0 to 4, dequeues three, enqueues 5 to 7 and dequeues five:
// "stack: 0" to "stack: 7" (the queue prints with the stack's format).
void RunQueueDemo();

}  // namespace demo
