// The window of one plot: menu, legend box, zoom and read-out, printing, page
// setup and bitmap export. Geometry comes from PlotScale, drawing from PlotDraw.
#pragma once

#include "PlotScale.h"
#include "PrintOutput.h"

#include <QMainWindow>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QAction;
class QActionGroup;
class QImage;
class QMenu;
class QPrinter;
class QRubberBand;

namespace veldo {

class TPageSetupDialog;
class TPlotForm;

// The draggable legend box: one entry per active curve, in the curve's colour,
// marked " *" while the curve is visible.
class TLegendBox : public QWidget {
    Q_OBJECT
public:
    TLegendBox(TPlotForm& form, QWidget* parent);

    std::vector<QString> Items;
    int ItemHeight = 16;
    int SelectedIndex = 0;

    // Item text as drawn, with " *" when the entry's curve is visible.
    QString DisplayText(int entry) const;
    // Widens the box to the widest displayed text plus `extra` pixels (never narrows).
    void GrowToFit(int extra);
    int WidestText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void LegendDrawItem(QPainter& painter, int entry);
    TPlotForm& form_;
    bool dragging_ = false;
    QPoint grab_;
};

// The client area that the plot is painted on and that takes the mouse.
class TPlotPaintBox : public QWidget {
    Q_OBJECT
public:
    TPlotPaintBox(TPlotForm& form, QWidget* parent);

    // The plot's size when its window is not maximized (restored or cascaded):
    // 7 by 4.5 inches of the screen.
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TPlotForm& form_;
};

class TPlotForm : public QMainWindow {
    Q_OBJECT
public:
    TPlotForm(TGraphPlot& plot, const TAreaExtents& extents, QWidget* parent = nullptr);
    ~TPlotForm() override;

    TGraphPlot& Plot() const { return plot_; }

    // Ranges shown (zoom changes area 1's) and the bounds for zooming.
    TAreaExtents Extents;
    TAreaExtents FullExtents;
    const TPlotGeometry& ScreenGeometry() const { return screen_; }

    TLegendBox* Legend() const { return legend_; }
    TPlotPaintBox* PaintBox() const { return paintBox_; }
    QMenu* PlotMenu() const { return plotMenu_; }
    // Curve index (in Curves) of each legend entry.
    const std::vector<int>& LegendCurves() const { return legendCurves_; }
    QAction* CurveAction(int entry) const { return curveActions_.at(static_cast<std::size_t>(entry)); }
    QAction* MenuItem(const QString& name) const;
    TPageSetupDialog& PageSetupDialog() const { return *pageSetup_; }

    // Geometry of the client area (run on creation, resize and layout commands).
    void FormResize();
    // Draws the whole plot on a surface with the given geometry.
    void PaintPlot(QPainter& painter, const TPlotGeometry& geometry) const;
    // Draws one printed page on the printer (the page-setup margins apply).
    bool PrintTo(QPrinter& printer);
    // Geometry of a bitmap of the given size at `ppi` pixels per inch: text keeps its
    // physical size, titles and legend have their room.
    TPlotGeometry BitmapGeometry(const QImage& bitmap, int ppi) const;
    // Draws into a bitmap of its own size at `ppi` and writes it as BMP in the colours
    // chosen (the file records the resolution).
    bool WriteBitmap(QImage& bitmap, int ppi, const QString& fileName,
                     TBitmapColors colors = TBitmapColors::TrueColor) const;
    // Title rectangles on a surface; the plot area gives way so that tick labels
    // clear the x title.
    void PlaceTexts(const QPaintDevice& device, TPlotGeometry& geometry) const;
    // Size of the legend box drawn on a printed page or bitmap.
    QSize HardCopyLegendSize(const QPaintDevice& device, const TPlotGeometry& geometry) const;
    // Pixels of the visible curves' points in the single area (panel 1).
    std::vector<QPoint> CurvePixels(const TPlotGeometry& geometry) const;

    // Commands of the "&Plot" menu.
    void PlotMenuClick();
    void PlotLegendClick();
    void PlotSoilLayerClick();
    void ShowWallGeometryClick();
    void MarkClick(int markers);
    void SizeClick(int size);
    void WidthClick(int width);
    void PlotCaptionClick();
    void mLineNameClick();
    void ActiveGraphsClick();
    void PlotPrintClick();
    void PlotPageClick();
    void PlotSaveClick();
    // Applies edited legend texts (one per curve) and active flags (one per curve).
    void ApplyLineNames(const std::vector<QString>& names);
    void ApplyActiveFlags(const std::vector<bool>& active);
    // Legend font scaled by factor/10, box resized.
    void SetupLegend(int factor);
    // The user dragged the legend box: layouts keep it where it is from now on.
    void LegendMoved() { legendMoved_ = true; }
    // Visible flag of a curve of the main list; false for an index the list no longer has.
    bool CurveVisible(int curveIndex) const;
    // Toggles a curve's Visible and repaints window and legend.
    void ToggleCurve(int curveIndex);

    // Mouse handling of the paint box (pixels in client coordinates).
    void PaintBoxMouseDown(Qt::MouseButton button, QPoint pixel);
    void PaintBoxMouseMove(QPoint pixel);
    void FormMouseUp(Qt::MouseButton button, QPoint pixel);

private:
    void buildMenu();
    QAction* addItem(QMenu* menu, const QString& name, const QString& caption);
    void addValueItems(QMenu* menu, QActionGroup* group, const std::vector<std::pair<QString, int>>& items,
                       void (TPlotForm::*handler)(int));
    void buildLegend();
    void resizeLegendBox();
    void keepLegendInside();
    TLayoutOptions layoutOptions() const;
    // Lays a surface out with its texts and puts a legend of `legend` size in the
    // corner that hides the fewest points, or outside the frame at the right.
    TPlotGeometry arrange(const QPaintDevice& device, const std::function<TPlotGeometry(const TLayoutOptions&)>& layout,
                          QSize legend, bool placeLegend) const;
    // A hard copy's geometry: the legend by the corner rule, or where the user
    // dragged it on screen.
    TPlotGeometry hardCopyGeometry(const QPaintDevice& device,
                                   const std::function<TPlotGeometry(const TLayoutOptions&)>& layout) const;
    int scaledFontHeight(int ppiY) const;
    QPoint clampPixel(QPoint pixel) const;
    TFloatPoint valueAt(QPoint pixel) const;
    void showReadout(QPoint pixel);
    void repaintAll();

    TGraphPlot& plot_;
    TPlotGeometry screen_;
    TPlotPaintBox* paintBox_ = nullptr;
    TLegendBox* legend_ = nullptr;
    QMenu* plotMenu_ = nullptr;
    QMenu* markersMenu_ = nullptr;
    QActionGroup* markerGroup_ = nullptr;
    std::vector<QAction*> curveActions_;
    std::vector<int> legendCurves_;
    std::unique_ptr<QPrinter> printer_;
    TPageSetupDialog* pageSetup_ = nullptr;
    QRubberBand* rubberBand_ = nullptr;
    bool dragging_ = false;
    QPoint dragStart_;
    bool legendMoved_ = false;
};

} // namespace veldo
