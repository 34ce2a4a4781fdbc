// The drawing surface's own tests, run again on a double-density screen: coordinates, pixels
// read back, image sizes and limits mean the same there.
#include "RatioTwo.h"

TEST(SurfaceHighDensity, TheSurfaceTestsPassAtRatioTwo) {
    if (AtRatioTwo("Surface.*")) GTEST_SKIP() << "already at ratio 2: the suite runs as it is";
}
