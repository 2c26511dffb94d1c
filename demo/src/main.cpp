// The program runs the hash-table demonstration and ignores its arguments.

#include <demo/Demos.h>

#ifdef _WIN32
int wmain(int /*argc*/, wchar_t** /*argv*/) {
#else
int main() {
#endif
    demo::RunHashDemo();
    return 0;
}
