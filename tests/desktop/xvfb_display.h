#pragma once

// A private X server for tests that open real windows, started once per test program, so the
// tests run the same on a desktop and on a bare CI machine.

namespace velmora::testing {

// Starts Xvfb and points DISPLAY at it; false when there is no display to be had.
bool EnsureDisplay();

}  // namespace velmora::testing
