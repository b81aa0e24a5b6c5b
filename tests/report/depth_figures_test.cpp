// END and PO2 at a chosen depth, as the window's depth display shows them.
#include "report/depth_figures.h"

#include <gtest/gtest.h>

using namespace quillan;
using namespace quillan::report;

namespace {

TEST(DepthFigures, ReferenceValuesAsTheDisplayShowsThem) {
    struct Case {
        WholePercent mix;
        std::int16_t depth;
        const char* line;
    };
    const Case cases[] = {
        {{32, 0, 68}, 100, "At 100 fsw: END 81 fsw, PO2 1.29"},
        {{32, 0, 68}, 132, "At 132 fsw: END 109 fsw, PO2 1.60"},
        {{21, 0, 79}, 100, "At 100 fsw: END 100 fsw, PO2 0.85"},
        {{36, 0, 64}, 99, "At 99 fsw: END 74 fsw, PO2 1.44"},
        {{18, 45, 37}, 200, "At 200 fsw: END 76 fsw, PO2 1.27"},
        {{100, 0, 0}, 20, "At 20 fsw: END 0 fsw, PO2 1.61"},
        // The display zeroes everything at the surface and for a mix without oxygen.
        {{21, 0, 79}, 0, "At 0 fsw: END 0 fsw, PO2 0"},
        {{0, 0, 0}, 100, "At 100 fsw: END 0 fsw, PO2 0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(depthLine(figuresAtDepth(c.mix, c.depth), {}), c.line) << c.line;
}

TEST(DepthFigures, DecimalSeparatorIsTheLocales) {
    ReportOptions options;
    options.numbers = NumberLocale{",", ""};
    EXPECT_EQ(depthLine(figuresAtDepth({32, 0, 68}, 100), options),
              "At 100 fsw: END 81 fsw, PO2 1,29");
}

} // namespace
