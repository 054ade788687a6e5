#pragma once
// The kept reports are written with a point as the decimal separator; the
// tests that compare with them make the user's separator a point.
#include <cstdlib>

namespace tessarin::test {

inline void UsePointDecimalSeparator()
{
#ifdef _WIN32
    // Windows fixes the user's locale when the process starts: CTest starts
    // the tests with LC_ALL=C, which wine turns into a locale with a point
    // (tests/CMakeLists.txt).
#else
    setenv("LC_ALL", "C", 1);
#endif
}

} // namespace tessarin::test
