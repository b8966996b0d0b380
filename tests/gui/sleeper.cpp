// A stand-in process for tests that need some program running: sleeps for the
// number of seconds given (default 30) and ends.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
    Sleep(static_cast<DWORD>((argc > 1 ? std::atoi(argv[1]) : 30) * 1000));
    return 0;
}
