#ifndef KORVANE_TESTS_SANITIZEDBUILD_H
#define KORVANE_TESTS_SANITIZEDBUILD_H

#include <cstdlib>
#include <string>

// Whether the tests run in the sanitizer build (KORVANE_SANITIZED set to
// anything but "" or "0"): slower, so the long cases run fewer instances or
// leave the largest files to the build without sanitizers.
inline bool sanitizedBuild()
{
    const char* value = std::getenv("KORVANE_SANITIZED");
    return value != nullptr && std::string(value) != "" && std::string(value) != "0";
}

#endif
