#include "app/hugepages.h"

#include <cstdlib>
#include <cstring>

#ifdef __linux__
#include <unistd.h>
#endif

void restartWithHugePageHeap(char **argv)
{
#ifdef __linux__
    static const char name[] = "GLIBC_TUNABLES";
    static const char wish[] = "glibc.malloc.hugetlb=1";
    if (const char *set = std::getenv(name)) {
        // Started again by the lines below: programs this one starts (a file manager, a
        // viewer) get the environment as the user had it.
        if (std::strcmp(set, wish) == 0)
            unsetenv(name);
        return;
    }
    if (setenv(name, wish, 1) != 0)
        return;
    execv("/proc/self/exe", argv);
    unsetenv(name); // could not start again: go on as we are
#else
    (void)argv;
#endif
}
