#include "PlotData.h"

#include <algorithm>
#include <charconv>

#include "CommonSteps.h"

namespace veldo {

std::vector<int> printedNodes(const EngineState& S)
{
    const int last = lastNode(S); // point P is node N
    const int step = std::max(S.PRINT_STEP, 1);
    std::vector<int> nodes;
    for (int k = 0; k <= last; k += step)
        nodes.push_back(k);
    if (nodes.back() != last)
        nodes.push_back(last);
    return nodes;
}

std::string freeFormatIntegers(const std::vector<int>& values)
{
    std::string text;
    for (int v : values) {
        char buf[16];
        const auto r = std::to_chars(buf, buf + sizeof buf, v);
        text += ' ';
        text.append(buf, r.ptr);
    }
    return text;
}

void WRITE_PLOT_HEADER(EngineState& S, int seriesCount)
{
    const int rows = static_cast<int>(printedNodes(S).size());
    S.plot.line(freeFormatIntegers({seriesCount, rows, S.UNIT_SYSTEM, S.SELECTED_METHOD}));
}

void WRITE_PLOT_ROW(EngineState& S, int index, int k)
{
    const auto col = static_cast<size_t>(index);
    const auto node = static_cast<size_t>(k);
    // A number too wide for its field widens it: the plot data never holds asterisks.
    S.plot.line(fmt("2X,F7.2,2X,F8.1,2X,F8.1,2X,F9.1,2X,F9.3",
                    {k * S.INCREMENT, S.METHOD_SKIN[col][node], S.METHOD_END_BEARING[col][node],
                     S.METHOD_ULTIMATE[col][node], S.METHOD_UNIT_FRICTION[col][node]},
                    Overflow::Widen));
}

} // namespace veldo
