// The Elevation View: the pile and the soil layers of the open project drawn to
// scale, the depth under the mouse in the caption, and a printed landscape page.
// The window reads the project and the soil-layer table and changes neither.
#pragma once

#include "InputWindow.h"

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>

#include <array>
#include <functional>
#include <optional>
#include <stdexcept>
#include <vector>

class QFont;
class QLabel;
class QPainter;
class QPrinter;
class QPushButton;

namespace veldo {

class TGridTable;

// A point of the drawing in world units (feet or metres); y grows downward and
// y = 0 is the ground surface.
struct TWorldPoint {
    long double x = 0;
    long double y = 0;
    friend bool operator==(const TWorldPoint&, const TWorldPoint&) = default;
};

// Four corners in the order top-left, top-right, bottom-left, bottom-right.
struct TOutlineQuad {
    std::array<TWorldPoint, 4> corners{};
};

struct TWorldRect {
    long double xmin = -10;
    long double xmax = 10;
    long double ymin = 0;
    long double ymax = 10;
    long double Width() const { return xmax - xmin; }
    long double Height() const { return ymax - ymin; }
    friend bool operator==(const TWorldRect&, const TWorldRect&) = default;
};

// One row of the soil-layer table: from the previous row's bottom (0 for the first)
// to its own bottom.
struct TSoilBand {
    long double top = 0;
    long double bottom = 0;
    int soilType = 0;
};

// What the view draws: the pile outline, the layers and the world rectangle.
struct TElevationScene {
    std::vector<TOutlineQuad> outline;
    std::vector<TSoilBand> layers;
    TWorldRect world; // the initial rectangle until a pile has been laid out
};

// The outline could not be built from the project's values.
class EOutlineError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Width of the pile in world units: the outside diameter, or a quarter of the
// perimeter when the diameter is below 1e-4; inches to feet or mm to metres.
long double PileWidth(const TProgramData& data);

// The pile from its head (y = -stickup) to its tip (y = total length below ground);
// for a tapered pile type each bottom corner moved inward by tan(taper) x (stickup +
// total length), as the engine narrows the tip. Throws EOutlineError when
// a corner is not a finite number.
TOutlineQuad PileOutline(const TProgramData& data);

// The rows of the soil-layer table as bands.
std::vector<TSoilBand> SoilBands(const TGridTable& d);

// Lays out the scene on activation: without soil rows, no outline and the previous
// world rectangle; otherwise the pile outline and the world rectangle around it and
// the deepest layer, each bound times 1.05. Throws EOutlineError.
TElevationScene BuildElevation(const TProgramData& data, const TGridTable& d, const TWorldRect& previous);

// The world rectangle widened to the aspect ratio of a client area: x widened for a
// narrow world, y otherwise. Nothing when the view is degenerate (empty client area,
// zero or non-finite span).
std::optional<TWorldRect> FitView(const TWorldRect& world, int width, int height);

// Screen mapping of a fitted view over a client area of the given size.
class TViewMapping {
public:
    TViewMapping(const TWorldRect& view, int width, int height);
    QPoint ToScreen(const TWorldPoint& p) const;
    int ScreenX(long double x) const;
    int ScreenY(long double y) const;
    TWorldPoint ToWorld(QPoint pixel) const;
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    TWorldRect view_;
    int width_;
    int height_;
};

// "depth= " + top + " - " + bottom + "; Sand" (type 1), "; Clay" (2), "; Silt" (3);
// empty for other codes.
QString LayerLabel(const TSoilBand& band);

// "  Depth: " + the depth with one decimal.
QString DepthCaption(long double depth);

struct TElevationColors {
    QColor window = Qt::white; // the background
    QColor lines = Qt::black;  // ground, hatch, layer boundaries, labels
    QColor frame = Qt::black;  // the pile's fill
};

// Paints the screen view: background, ground line with 20 hatch strokes, a line
// at the bottom of every layer with its label, the pile filled.
void PaintElevation(QPainter& painter, const TElevationScene& scene, const TViewMapping& mapping,
                    const TElevationColors& colors);

// The paper mapping: world y to 10 %..90 % of the page height; world x at the same
// scale as y (corrected for the device's pixel aspect), centred on the page.
class TPageMapping {
public:
    TPageMapping(const TWorldRect& world, QRect page, double pixelAspect);
    int PageX(long double x) const;
    int PageY(long double y) const;
    int Fraction(double ofWidth) const; // a fraction of the page width, in pixels
    int Left() const { return Fraction(0.10); }
    int Right() const { return Fraction(0.90); }
    const QRect& Page() const { return page_; }

private:
    TWorldRect world_;
    QRect page_;
    long double yScale_;
    long double xScale_;
};

// Draws the printed page in black on a clear brush with the given font: ground line
// with 10 hatch strokes, layer lines from 10 % to 90 % of the width with labels at
// 15 %, and the pile outline as a closed line.
void PrintElevation(QPainter& painter, const TElevationScene& scene, const TPageMapping& mapping, const QFont& font);

class TDlgSideView final : public TInputWindow {
    Q_OBJECT
public:
    explicit TDlgSideView(TMainForm& main);
    ~TDlgSideView() override;

    static const QString Caption;        // "Elevation View"
    static const QString PrintTitle;     // "Soil-Pile Profile"
    static const QString NoSectionsText; // "One or more Pile Types does not have any sections"

    const TElevationScene& Scene() const { return scene_; }
    // The fitted view; nothing while the view is degenerate (the disabled state).
    const std::optional<TWorldRect>& View() const { return view_; }
    bool Disabled() const { return !view_.has_value(); }

    QWidget& PaintBox() const { return *paintBox_; }
    QPushButton& Button1() const { return *print_; }
    QLabel& Label1() const { return *geometry_; }

    // The "Print" button: the print dialog (without a printer, a PDF file), then one
    // page on the chosen printer.
    void Button1Click();
    // Sets the printer to landscape and the document title, then draws one page.
    bool PrintTo(QPrinter& printer);

    // Handlers of the drawing area.
    void FormResize();
    void FormPaint(QPainter& painter);
    void FormMouseMove(QPoint pixel);

protected:
    // Lays the pile and the layers out again (the activation).
    void LoadFromProject() override;
    // The view edits nothing.
    void CommitToProject() override {}

private:
    TGridTable& D() const;
    TElevationColors Colors() const;
    // The outline could not be built: the message, then the window closes.
    void RefuseLayout();

    QWidget* paintBox_ = nullptr;
    QPushButton* print_ = nullptr;
    QLabel* geometry_ = nullptr;
    TElevationScene scene_;
    std::optional<TWorldRect> view_;
};

} // namespace veldo
