// The XY plot component: curves of points with captions, unit codes and display
// settings, and the window that shows them.
#pragma once

#include "UnitWords.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <vector>

class QMdiArea;
class QMdiSubWindow;

namespace veldo {

class TGraphPlot;
class TPlotForm;

// One point of a curve. A new point is (0, 0).
struct TFloatPoint {
    long double X = 0;
    long double Y = 0;
};

// One curve: its points, its number (legend default), name and flags.
class TLine {
public:
    explicit TLine(const TGraphPlot* owner, long double number);

    std::vector<TFloatPoint> Points;
    long double Number = 0;
    QString Name;
    bool Visible = true;
    bool Active = true;

    const TGraphPlot* Owner() const { return owner_; }
    int PointCount() const { return static_cast<int>(Points.size()); }
    // Point j; an index outside the list throws std::out_of_range.
    TFloatPoint& Point(int j);
    const TFloatPoint& Point(int j) const;
    // Sets the number of points (negative counts as 0); kept points keep their values.
    void SetPointCount(int n);
    // Legend text: Name, else the plot's CurveName followed by Number.
    QString GetName() const;

private:
    const TGraphPlot* owner_;
};

using TLineList = std::vector<TLine>;

// Lets the owner rewrite the legend text of curve `index` before it enters the legend.
using TGetCaptionEvent = std::function<void(int index, QString& value)>;

// Holds the data and display settings of one XY plot and opens its window.
class TGraphPlot : public QObject {
    Q_OBJECT
public:
    explicit TGraphPlot(QObject* owner = nullptr);
    ~TGraphPlot() override;
    TGraphPlot(const TGraphPlot&) = delete;
    TGraphPlot& operator=(const TGraphPlot&) = delete;

    // Settings, all kept for the life of the component.
    QString CurveName = QStringLiteral("Curve #");
    QString Caption;
    bool ShowLegend = true;
    bool ShowLayers = false;
    bool ShowWall = false;
    bool ShowThree = false;
    bool ShowFontWidth = true;
    int WallLineCount = 0;
    // A marker at every n-th point; 0 none; kAutomaticMarkers about 25 per curve.
    static constexpr int kAutomaticMarkers = -1;
    int Markers = kAutomaticMarkers;
    int SizeFont = 10;
    int LegendFont = 11;
    int WidthLine = 1;
    QString XCaption, XUnits;
    bool XOnTop = true;
    QString YCaption, YUnits;
    QString XCaption2, XUnits2, YCaption2, YUnits2;
    QString XCaption3, XUnits3, YCaption3, YUnits3;
    TGetCaptionEvent onGetCaption;

    QString GraphTitle;
    bool GraphTitleOnTop = false;
    long double LayerTop = 0;
    // Curves after the 20th start inactive when the window is created.
    static constexpr bool LimitActiveCurves = true;

    TUnitSystem Units() const { return units_; }
    // Clamps to UnitSystem::English..kRawUnits.
    void SetUnits(TUnitSystem v);

    // Curves of the single plot area and of panel 1.
    int CurveCount() const { return count(Curves); }
    TLine& Curve(int i) { return at(Curves, i); }
    int PointCount() const { return firstCount(Curves); }
    TFloatPoint& CurvePoint(int i, int j) { return at(Curves, i).Point(j); }
    void SetCurveCount(int n) { setCount(Curves, n); }
    void SetPointCount(int n) { setPoints(Curves, n); }

    // The soil-layer strip (and the wall).
    int LayerCurveCount() const { return count(LayerCurves); }
    TLine& LayerCurve(int i) { return at(LayerCurves, i); }
    int LayerPointCount() const { return firstCount(LayerCurves); }
    TFloatPoint& LayerPoint(int i, int j) { return at(LayerCurves, i).Point(j); }
    void SetLayerCurveCount(int n) { setCount(LayerCurves, n); }
    void SetLayerPointCount(int n) { setPoints(LayerCurves, n); }

    // Panels 2 and 3 of the three-panel layout.
    int Panel2CurveCount() const { return count(CurvesPanel2); }
    TLine& Panel2Curve(int i) { return at(CurvesPanel2, i); }
    int Panel2PointCount() const { return firstCount(CurvesPanel2); }
    TFloatPoint& Panel2Point(int i, int j) { return at(CurvesPanel2, i).Point(j); }
    int Panel3CurveCount() const { return count(CurvesPanel3); }
    TLine& Panel3Curve(int i) { return at(CurvesPanel3, i); }
    int Panel3PointCount() const { return firstCount(CurvesPanel3); }
    TFloatPoint& Panel3Point(int i, int j) { return at(CurvesPanel3, i).Point(j); }

    TLineList Curves, LayerCurves, CurvesPanel2, CurvesPanel3;

    // Area where the window opens as a child; when none is set, the owner's
    // central MDI area is used if it has one, else the window is top-level.
    void SetMdiArea(QMdiArea* area);

    // Creates the window once and shows it (a minimized window is restored).
    // Returns false when the data give no drawable range (the window then does not open).
    bool Execute();
    bool WindowCreated() const;
    TPlotForm* PlotWindow() const;

private:
    static int count(const TLineList& list) { return static_cast<int>(list.size()); }
    static TLine& at(TLineList& list, int i);
    static int firstCount(const TLineList& list) { return list.empty() ? 0 : list.front().PointCount(); }
    void setCount(TLineList& list, int n);
    static void setPoints(TLineList& list, int n);
    QMdiArea* targetArea() const;

    TUnitSystem units_ = UnitSystem::English;
    QPointer<QMdiArea> mdiArea_;
    QPointer<TPlotForm> plotWindow_;
    QPointer<QMdiSubWindow> subWindow_;
};

} // namespace veldo
