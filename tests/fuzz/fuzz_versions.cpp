// Version comparison is a total order: antisymmetric, transitive, and the
// "newer" answer agrees with it.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "model/version.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const size_t a = text.find('\n');
    const size_t b = a == std::string::npos ? std::string::npos : text.find('\n', a + 1);
    if (b == std::string::npos) return 0;
    const std::string x = text.substr(0, a), y = text.substr(a + 1, b - a - 1), z = text.substr(b + 1);
    const int xy = CompareVersions(x, y), yx = CompareVersions(y, x);
    if ((xy > 0) != (yx < 0) || (xy == 0) != (yx == 0)) std::abort();
    if (CompareVersions(x, x) != 0) std::abort();
    const int yz = CompareVersions(y, z), xz = CompareVersions(x, z);
    if (xy <= 0 && yz <= 0 && xz > 0) std::abort();
    if (xy >= 0 && yz >= 0 && xz < 0) std::abort();
    if (IsNewerVersion(x, y) != (!x.empty() && xy > 0)) std::abort();
    return 0;
}
