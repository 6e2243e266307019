// The main window's result plots and the reader that fills them from the
// engine's plot-data file (".vd7p"): capacity profiles per design method, the
// selected method's combined plot, load distribution, load-settlement, the tip
// Q-w curve and the t-z curves.
#pragma once

#include "InputCodes.h"
#include "PltData.h"

#include <QObject>

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class QMdiArea;

namespace veldo {

class TWordReader;

// One row of the soil-layer table `D` as the layer bands need it.
struct TLayerBand {
    int soilType = SoilType::Sand;
    long double bottomDepth = 0; // depth at the bottom of the layer
};

// What the reader takes from the project besides the file itself.
struct TPlotFileContext {
    std::array<bool, Method::Last + 1> ticked{}; // capacity method ticked, indexed by method number
    int offshoreMethods = Flag::On;              // the offshore methods take part
    int loading = Loading::Compression;
    int printTzAtDepths = Flag::Off; // on: the file ends with the extra t-z block
    int units = 0;                   // the project's unit system, that of the layer depths
    long double stickup = 0;         // pile stick-up length: the load distribution's depths
                                     // start at the pile head, the layers' at the ground
    std::vector<TLayerBand> layers;
};

// The selected method's profile, kept for the wave-equation file.
struct TSelectedProfile {
    static constexpr int MaxPoints = 501;
    int pointCount = 0;                // the file's point count (integer table entry 11)
    std::vector<long double> depth;    // result table entries 1 + j
    std::vector<long double> unitSkin; // entries 502 + j
    std::vector<long double> tip;      // entries 1003 + j (self weight under tension)
};

// One design method's curve in the capacity plots.
struct TMethodCurve {
    int method = 0; // design method number 1..9
    QString name;   // the curve name shown in the legend (see MethodCurveName)
};

// Curves of the capacity plots in file order for the ticked methods: 5, 1, 2, 3, 4
// and, with the offshore flag 1, 6, 7, 8, 9.
std::vector<TMethodCurve> MethodCurves(const TPlotFileContext& context);
// The word of a design method in the curve names ("FHWA" for 1 ...), empty outside 1..9.
QString MethodCurveName(int method);

// Indexes of the result plots, in the order of the Graphics menu.
enum class TResultPlot { USkin, Skin, Tip, Total, Load, Combine, Axial, TZcurves, ExtraTZ, Qw };
inline constexpr int ResultPlotCount = 10;

// Holds the ten result plots (children of this object) with their names, captions
// and axis titles, and fills them from a plot-data file.
class TResultPlots : public QObject {
    Q_OBJECT
public:
    explicit TResultPlots(QObject* owner = nullptr);

    TGraphPlot& Plot(TResultPlot which) const;
    TGraphPlot& pltSkin() const { return Plot(TResultPlot::Skin); }
    TGraphPlot& pltUSkin() const { return Plot(TResultPlot::USkin); }
    TGraphPlot& pltTip() const { return Plot(TResultPlot::Tip); }
    TGraphPlot& pltTotal() const { return Plot(TResultPlot::Total); }
    TGraphPlot& pltCombine() const { return Plot(TResultPlot::Combine); }
    TGraphPlot& pltLoad() const { return Plot(TResultPlot::Load); }
    TGraphPlot& pltAxial() const { return Plot(TResultPlot::Axial); }
    TGraphPlot& PltQw() const { return Plot(TResultPlot::Qw); }
    TGraphPlot& pltTZcurves() const { return Plot(TResultPlot::TZcurves); }
    TGraphPlot& PltExtraTZ() const { return Plot(TResultPlot::ExtraTZ); }

    // Every plot window opens as a child of this area.
    void SetMdiArea(QMdiArea* area);
    // Closes every plot window that is open.
    void CloseWindows();

    // Fills the plots from the file. A missing or unreadable number ends the reading
    // (what was read stays): with messages on "An error occurred in running the main
    // program." is shown; the result is false. A file whose series count does not
    // match the ticked methods, or whose selected method is not among them, is
    // stale: the same message, false, and the plots are left as they were.
    // Errors other than reading go to the caller.
    bool ReadPlotFile(const std::filesystem::path& plotFile, const TPlotFileContext& context, bool showMessages);
    // The same for the text of a plot-data file (the fuzz harness reads from memory).
    bool ReadPlotText(const std::string& text, const TPlotFileContext& context, bool showMessages);

    // Soil layers as bands of the plot's layer strip (only when the plot has curves
    // and points): "LAYER i", a sand layer " SAND " at X 7, a clay layer " CLAY " at
    // X 1; Y is the depth at the bottom of the layer.
    static void AddLayersGraphPlot(TGraphPlot& plot, const std::vector<TLayerBand>& layers);

    // The selected method's profile from the last read (also after a failed one:
    // what was read).
    const TSelectedProfile& SelectedProfile() const { return profile_; }
    // The unit system of the last file read (0 before any); the caller gives it to
    // the window's other plots.
    int FileUnits() const { return fileUnits_; }
    // True when the last read got past the file's header (the plots were touched).
    bool HeaderRead() const { return headerRead_; }

private:
    class TReader;

    void setUpLayout();
    // Reads from the reader `open` makes; a file that cannot be opened is a read error.
    bool read(const std::function<TWordReader()>& open, const TPlotFileContext& context, bool showMessages);
    bool sane(int seriesCount, int selected, const TPlotFileContext& context) const;

    std::array<TGraphPlot*, ResultPlotCount> plots_{}; // children of this object
    TSelectedProfile profile_;
    int fileUnits_ = 0;
    bool headerRead_ = false;
};

} // namespace veldo
