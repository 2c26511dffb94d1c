// Test-only runner: calls one demonstration routine by name, so that each can
// be checked on its own (under valgrind, for instance).
//   containers-demo-runner hash|list|stack|queue

#include <demo/Demos.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    struct Routine {
        const char* name;
        void (*run)();
    };
    static const Routine routines[] = {
        {"hash", demo::RunHashDemo},
        {"list", demo::RunListDemo},
        {"stack", demo::RunStackDemo},
        {"queue", demo::RunQueueDemo},
    };
    if (argc == 2) {
        for (const Routine& routine : routines) {
            if (std::strcmp(argv[1], routine.name) == 0) {
                routine.run();
                return 0;
            }
        }
    }
    std::fprintf(stderr, "usage: %s hash|list|stack|queue\n", argc > 0 ? argv[0] : "containers-demo-runner");
    return 2;
}
