#pragma once

// Start-up reads tens of thousands of objects, each a handful of small allocations. With
// transparent huge pages for its heap, the system maps that memory in two-megabyte steps
// instead of four-kilobyte ones, which halves the time a start spends on it. The C library
// takes this wish only from the environment a program starts with, so the program starts
// itself again, once, with the wish added. Nothing changes where the user has set the
// library's tunables already, where starting again fails, or on other systems.
void restartWithHugePageHeap(char **argv);
