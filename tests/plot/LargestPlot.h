// The largest result plot of the program: 9 load-distribution curves of 501 points
// (depth down to 80 ft, load falling from the head, x axis on top) and 40 layer bands
// (strip not shown). Used by the plot tests and the redraw benchmark.
#pragma once

#include "PltData.h"

namespace veldo {

inline void FillLargestPlot(TGraphPlot& plot)
{
    plot.Caption = "Load Distribution";
    plot.XCaption = "Axial Load";
    plot.XUnits = "F1";
    plot.YCaption = "Depth";
    plot.YUnits = "L2";
    plot.SetCurveCount(9);
    plot.SetPointCount(501);
    for (int i = 0; i < 9; ++i) {
        plot.Curve(i).Name = QStringLiteral("Tip Movement %1 in").arg(0.1 * (i + 1));
        for (int j = 0; j <= 500; ++j)
            plot.CurvePoint(i, j) = {100.0L * (i + 1) * (1 - j / 1000.0L), 80.0L * j / 500};
    }
    plot.SetLayerCurveCount(40);
    plot.SetLayerPointCount(1);
    for (int i = 0; i < 40; ++i) {
        plot.LayerCurve(i).Name = i % 2 ? QStringLiteral(" CLAY ") : QStringLiteral(" SAND ");
        plot.LayerPoint(i, 0) = {i % 2 ? 1.0L : 7.0L, 2.0L * (i + 1)};
    }
}

} // namespace veldo
