// Drawing without steps or marks: the segments between two chances for events to run go to
// the surface in one call, which paints them exactly as it would one by one. Host code runs
// only between such calls, so what it paints still lands between the same segments.
#include <algorithm>

#include "chart/plot/clsInterpol.h"
#include "chart/ucKarvex.h"

namespace karvex {

namespace {
// Segments per call. The clock is looked at on every few chances for events to run, so a
// call of long segments across a large surface must stay well under a time slice.
constexpr size_t kRunSegments = 128;
}  // namespace

size_t ucKarvex::DrawSegmentRun(const std::vector<double>& xs, const std::vector<double>& ys,
                                size_t first) {
    if (m_Delay != 0 || m_ViewPoints) return 0;
    const size_t n = std::min(xs.size(), ys.size());
    const size_t limit = std::min(n - 1, first + kRunSegments);
    // A segment whose line fit could fail is left to the careful path, which stops there.
    size_t last = first;
    while (last < limit &&
           clsInterpol::SegmentFitCannotFail(xs[last], ys[last], xs[last + 1], ys[last + 1]))
        ++last;
    if (last == first) return 0;
    ApplySegmentPen();
    pic_main->Polyline(&xs[first], &ys[first], last - first + 1, SegmentColor());
    return last - first;
}

}  // namespace karvex
