// The yardstick for the program's start-up time: a bare program that prints
// the same 80 bytes with printf and does nothing else.

#include <cstdio>

int main() {
    for (int i = 0; i < 10; ++i) {
        std::printf("hash: %i\n", i);
    }
    return 0;
}
