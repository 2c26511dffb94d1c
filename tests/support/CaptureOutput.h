#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace testsupport {

// Everything `routine` prints on standard output, with the CR of each CR LF
// dropped where the C runtime writes text mode (Windows).
template <typename Routine>
std::string CaptureOutput(Routine&& routine) {
    std::fflush(stdout);
    testing::internal::CaptureStdout();
    routine();
    std::fflush(stdout);
    std::string out = testing::internal::GetCapturedStdout();
#ifdef _WIN32
    std::string lf;
    lf.reserve(out.size());
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (!(out[i] == '\r' && i + 1 < out.size() && out[i + 1] == '\n')) {
            lf += out[i];
        }
    }
    out = lf;
#endif
    return out;
}

}  // namespace testsupport
