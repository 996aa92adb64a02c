// Prints the alignment grid of scripts/bench.sh: one line per screen size and panel size,
// tab-separated: width, height, raw units, pixels per unit (X, Y), corner error (X, Y), the
// bound the walk holds the corners to (X, Y), mapping error, the worst error PADMON's check
// finds and that bound in pixels.
#include "bench_figures.h"
#include "walk_judge.h"

#include <algorithm>
#include <cstdio>

int main()
{
    static const int screens[][2] = { { 640, 480 }, { 800, 600 }, { 1024, 768 }, { 1152, 864 },
                                      { 1280, 960 }, { 1280, 1024 }, { 1600, 1200 } };
    static const LONG panels[] = { 256, 1024, 4096 };
    for (const auto &screen : screens)
        for (LONG units : panels) {
            AlignmentFigures f;
            if (!MeasureAlignment(screen[0], screen[1], units, &f)) {
                std::printf("%d\t%d\t%ld\tunmappable\n", screen[0], screen[1], (long)units);
                return 1;
            }
            std::printf("%d\t%d\t%ld\t%.2f\t%.2f\t%ld\t%ld\t%ld\t%ld\t%ld\t%ld\t%ld\n", screen[0], screen[1],
                        (long)units, f.pixelsPerUnitX, f.pixelsPerUnitY, (long)f.cornerErrorX, (long)f.cornerErrorY,
                        (long)CornerTolerance(units, screen[0]), (long)CornerTolerance(units, screen[1]),
                        (long)f.mappingError, (long)f.checkError,
                        (long)std::max(MappedBound(units, screen[0], 0), MappedBound(units, screen[1], 0)));
        }
    return 0;
}
