// Prints the ALIGNER grid of scripts/bench.sh: one line per screen size, panel and noise,
// tab-separated: width, height, raw units across, raw units down, noise, slips, slips kept,
// clean touches, clean touches refused, largest clean miss, smallest slip miss, centre error,
// check error, their bound, the jitter's spread in pixels.
#include "aligner_figures.h"

#include <algorithm>
#include <cstdio>

int main()
{
    static const int screens[][2] = { { 640, 480 }, { 800, 600 }, { 1024, 768 }, { 1152, 864 },
                                      { 1280, 960 }, { 1280, 1024 }, { 1600, 1200 } };
    // Square panels, and panels whose axes differ fourfold either way.
    static const LONG panels[][2] = { { 256, 256 }, { 1024, 1024 }, { 4096, 4096 }, { 4000, 1000 }, { 1000, 4000 } };
    // Fixed jitter, and jitter of 0.3 % of the panel's larger span (PROPORTIONAL), at least a unit:
    // a real panel's noise grows with its resolution.
    const LONG PROPORTIONAL = -1;
    static const LONG noises[] = { 0, 3, PROPORTIONAL };
    for (LONG kind : noises)
        for (const auto &screen : screens)
            for (const auto &units : panels) {
                LONG noise = kind != PROPORTIONAL ? kind : std::max(1L, (std::max(units[0], units[1]) * 3 + 500) / 1000);
                AlignerFigures f;
                MeasureAlignerChecks(screen[0], screen[1], units[0], units[1], noise, &f);
                std::printf("%d\t%d\t%ld\t%ld\t%ld\t%d\t%d\t%d\t%d\t%ld\t%ld\t%ld\t%ld\t%ld\t%ld\n", screen[0],
                            screen[1], (long)units[0], (long)units[1], (long)noise, f.slips, f.slipsKept,
                            f.cleanTouches, f.cleanRefused, (long)f.cleanMissMost, (long)f.slipMissLeast,
                            (long)f.centreError, (long)f.checkError, (long)f.centreBound, (long)f.jitterSpread);
            }
    return 0;
}
