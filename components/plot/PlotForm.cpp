#include "PlotForm.h"
#include "MessageCatalogue.h"

#include "Caption.h"
#include "ChangeActiveLines.h"
#include "ChangeLineNames.h"
#include "DialogFolders.h"
#include "Messages.h"
#include "NumText.h"
#include "PageSet.h"
#include "PrintDialogs.h"
#include "PrintOutput.h"
#include "SaveAttb.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QRadioButton>
#include <QRubberBand>
#include <QShortcut>

#include <algorithm>
#include <cmath>

namespace veldo {

namespace {

constexpr int kDesignLegendFontSize = 11;
constexpr int kDesignLegendWidth = 21;
constexpr int kMaxInitiallyActive = 20;

QString general5(long double v) { return QString::fromStdString(formatGeneral5(v)); }

} // namespace

// ---------------------------------------------------------------- legend box

TLegendBox::TLegendBox(TPlotForm& form, QWidget* parent) : QWidget(parent), form_(form)
{
    setAutoFillBackground(false);
    setCursor(Qt::SizeAllCursor);
}

QString TLegendBox::DisplayText(int entry) const
{
    QString text = Items.at(static_cast<std::size_t>(entry));
    const std::vector<int>& curves = form_.LegendCurves();
    if (static_cast<std::size_t>(entry) < curves.size() && form_.CurveVisible(curves[static_cast<std::size_t>(entry)]))
        text += QStringLiteral(" *");
    return text;
}

int TLegendBox::WidestText() const
{
    const QFontMetrics metrics(font());
    int widest = 0;
    for (const QString& item : Items)
        widest = std::max(widest, metrics.horizontalAdvance(item + QStringLiteral(" *")));
    return widest;
}

void TLegendBox::GrowToFit(int extra)
{
    const int wanted = WidestText() + extra;
    if (wanted > width())
        resize(wanted, height());
}

void TLegendBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    for (int j = 0; j < static_cast<int>(Items.size()); ++j)
        LegendDrawItem(painter, j);
    painter.setPen(Qt::darkGray);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TLegendBox::LegendDrawItem(QPainter& painter, int entry)
{
    const QRect r(1, 1 + entry * ItemHeight, width() - 2, ItemHeight);
    painter.fillRect(r, Qt::white);
    painter.setPen(PlotColor(entry));
    painter.setFont(font());
    painter.drawText(r.adjusted(4, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, DisplayText(entry));
}

void TLegendBox::mousePressEvent(QMouseEvent* event)
{
    if (!Items.empty())
        SelectedIndex = std::clamp((event->position().toPoint().y() - 1) / std::max(ItemHeight, 1), 0,
                                   static_cast<int>(Items.size()) - 1);
    dragging_ = true;
    grab_ = event->position().toPoint();
}

void TLegendBox::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragging_ || !parentWidget())
        return;
    const QPoint to = mapToParent(event->position().toPoint()) - grab_;
    const int maxLeft = std::max(0, parentWidget()->width() - width());
    const int maxTop = std::max(0, parentWidget()->height() - height());
    move(std::clamp(to.x(), 0, maxLeft), std::clamp(to.y(), 0, maxTop));
    form_.LegendMoved();
}

void TLegendBox::mouseReleaseEvent(QMouseEvent*) { dragging_ = false; }

void TLegendBox::mouseDoubleClickEvent(QMouseEvent*)
{
    const std::vector<int>& curves = form_.LegendCurves();
    if (SelectedIndex >= 0 && static_cast<std::size_t>(SelectedIndex) < curves.size())
        form_.ToggleCurve(curves[static_cast<std::size_t>(SelectedIndex)]);
}

// ---------------------------------------------------------------- paint box

TPlotPaintBox::TPlotPaintBox(TPlotForm& form, QWidget* parent) : QWidget(parent), form_(form)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize TPlotPaintBox::sizeHint() const { return {7 * logicalDpiX(), 9 * logicalDpiY() / 2}; }

void TPlotPaintBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    form_.PaintPlot(painter, form_.ScreenGeometry());
}

void TPlotPaintBox::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    form_.FormResize();
}

void TPlotPaintBox::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    form_.FormResize();
}

void TPlotPaintBox::mousePressEvent(QMouseEvent* event)
{
    form_.PaintBoxMouseDown(event->button(), event->position().toPoint());
}

void TPlotPaintBox::mouseMoveEvent(QMouseEvent* event) { form_.PaintBoxMouseMove(event->position().toPoint()); }

void TPlotPaintBox::mouseReleaseEvent(QMouseEvent* event)
{
    form_.FormMouseUp(event->button(), event->position().toPoint());
}

// ---------------------------------------------------------------- window

TPlotForm::TPlotForm(TGraphPlot& plot, const TAreaExtents& extents, QWidget* parent)
    : QMainWindow(parent), Extents(extents), FullExtents(extents), plot_(plot)
{
    setWindowTitle(plot_.Caption);
    paintBox_ = new TPlotPaintBox(*this, this);
    QFont designFont(QStringLiteral("Times New Roman"));
    designFont.setPixelSize(14);
    paintBox_->setFont(designFont);
    setCentralWidget(paintBox_);
    legend_ = new TLegendBox(*this, paintBox_);
    legend_->hide();
    rubberBand_ = new QRubberBand(QRubberBand::Rectangle, paintBox_);
    pageSetup_ = new TPageSetupDialog(this);
    pageSetup_->SetOptions({TPageSetupFlags::poDefaultMinMargins, TPageSetupFlags::poThousandthsOfInches});
    buildMenu();

    for (TLine& line : plot_.Curves)
        line.Active = true;
    if (TGraphPlot::LimitActiveCurves)
        for (std::size_t i = kMaxInitiallyActive; i < plot_.Curves.size(); ++i)
            plot_.Curves[i].Active = false;
    buildLegend();
    plot_.LegendFont = kDesignLegendFontSize;
    QFont legendFont = legend_->font();
    legendFont.setPointSize(plot_.LegendFont);
    legend_->setFont(legendFont);
    legend_->ItemHeight = 3 * plot_.LegendFont / 2;
    resizeLegendBox();
    legend_->setVisible(plot_.CurveCount() > 0 && plot_.ShowLegend);

    // Without a printer, printing writes a PDF file: both commands stay enabled.
    pageSetup_->SetMarginLeft(1000);
    pageSetup_->SetMarginTop(1000);
    pageSetup_->SetMarginRight(1000);
    pageSetup_->SetMarginBottom(1000);
    FormResize();
}

TPlotForm::~TPlotForm() = default;

QAction* TPlotForm::MenuItem(const QString& name) const { return findChild<QAction*>(name); }

QAction* TPlotForm::addItem(QMenu* menu, const QString& name, const QString& caption)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

void TPlotForm::addValueItems(QMenu* menu, QActionGroup* group, const std::vector<std::pair<QString, int>>& items,
                              void (TPlotForm::*handler)(int))
{
    for (const auto& [caption, value] : items) {
        QAction* action = menu->addAction(caption);
        action->setData(value);
        if (group) {
            action->setCheckable(true);
            group->addAction(action);
        }
        ConnectReportingErrors(action, &QAction::triggered, this,
                               [this, handler, value = value] { (this->*handler)(value); });
    }
}

void TPlotForm::buildMenu()
{
    plotMenu_ = menuBar()->addMenu(QStringLiteral("&Plot"));
    plotMenu_->setObjectName(QStringLiteral("PlotMenu"));
    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), this);
    connect(shortcut, &QShortcut::activated, this, [this] { menuBar()->setActiveAction(plotMenu_->menuAction()); });
    ConnectReportingErrors(plotMenu_, &QMenu::aboutToShow, this, &TPlotForm::PlotMenuClick);

    ConnectReportingErrors(addItem(plotMenu_, QStringLiteral("PlotLegend"), QStringLiteral("Show &Legend")),
                           &QAction::triggered, this, &TPlotForm::PlotLegendClick);
    ConnectReportingErrors(addItem(plotMenu_, QStringLiteral("PlotSoilLayer"), QStringLiteral("Show &Soil Layer")),
                           &QAction::triggered, this, &TPlotForm::PlotSoilLayerClick);
    ConnectReportingErrors(
        addItem(plotMenu_, QStringLiteral("ShowWallGeometry"), QStringLiteral("Show &Wall Geometry")),
        &QAction::triggered, this, &TPlotForm::ShowWallGeometryClick);
    for (const char* name : {"PlotLegend", "PlotSoilLayer", "ShowWallGeometry"})
        MenuItem(QString::fromLatin1(name))->setCheckable(true);

    markersMenu_ = plotMenu_->addMenu(QStringLiteral("Show &Markers"));
    markersMenu_->menuAction()->setObjectName(QStringLiteral("PlotMarkers"));
    markerGroup_ = new QActionGroup(this);
    markerGroup_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    addValueItems(markersMenu_, markerGroup_,
                  {{QStringLiteral("&Automatic"), TGraphPlot::kAutomaticMarkers},
                   {QStringLiteral("&Never"), 0},
                   {QStringLiteral("Every &Increment"), 1},
                   {QStringLiteral("Every &2 Increments"), 2},
                   {QStringLiteral("Every &3 Incrments"), 3},
                   {QStringLiteral("Every &5 Increments"), 5},
                   {QStringLiteral("Every &10 Incements"), 10}},
                  &TPlotForm::MarkClick);
    connect(markersMenu_, &QMenu::aboutToShow, this, [this] {
        for (QAction* a : markersMenu_->actions())
            a->setChecked(a->data().toInt() == plot_.Markers);
    });

    QMenu* fontMenu = plotMenu_->addMenu(QStringLiteral("&Font Size"));
    fontMenu->menuAction()->setObjectName(QStringLiteral("FontSize"));
    addValueItems(fontMenu, nullptr,
                  {{QStringLiteral("&Default"), 10},
                   {QStringLiteral("1.5 * Default"), 15},
                   {QStringLiteral("2 * Default"), 20},
                   {QStringLiteral("2.5 * Default"), 25},
                   {QStringLiteral("3 * Default"), 30},
                   {QStringLiteral("4 * Default"), 40}},
                  &TPlotForm::SizeClick);
    QMenu* widthMenu = plotMenu_->addMenu(QStringLiteral("&Line Width"));
    widthMenu->menuAction()->setObjectName(QStringLiteral("LineWidth"));
    addValueItems(widthMenu, nullptr,
                  {{QStringLiteral("&Default"), 1},
                   {QStringLiteral("2 * Default"), 2},
                   {QStringLiteral("4 * Default"), 4},
                   {QStringLiteral("6 * Default"), 6},
                   {QStringLiteral("10 * Default"), 10}},
                  &TPlotForm::WidthClick);

    ConnectReportingErrors(addItem(plotMenu_, QStringLiteral("PlotCaption"), QStringLiteral("&Graph Title")),
                           &QAction::triggered, this, &TPlotForm::PlotCaptionClick);
    ConnectReportingErrors(addItem(plotMenu_, QStringLiteral("mLineName"), QStringLiteral("&Edit Legend")),
                           &QAction::triggered, this, &TPlotForm::mLineNameClick);
    ConnectReportingErrors(addItem(plotMenu_, QStringLiteral("ActiveGraphs"), QStringLiteral("&Active Curves")),
                           &QAction::triggered, this, &TPlotForm::ActiveGraphsClick);
    plotMenu_->addSeparator();
    ConnectReportingErrors(addItem(plotMenu_, QStringLiteral("PlotPrint"), QStringLiteral("&Print...")),
                           &QAction::triggered, this, &TPlotForm::PlotPrintClick);
    ConnectReportingErrors(addItem(plotMenu_, QStringLiteral("PlotPage"), QStringLiteral("P&age Setup")),
                           &QAction::triggered, this, &TPlotForm::PlotPageClick);
    ConnectReportingErrors(addItem(plotMenu_, QStringLiteral("PlotSave"), QStringLiteral("&Save To Disk...")),
                           &QAction::triggered, this, &TPlotForm::PlotSaveClick);
    plotMenu_->addSeparator();
}

// Legend text of curve i: its name, passed through the owner's rewrite.
static QString legendText(TGraphPlot& plot, int i)
{
    QString text = plot.Curves[static_cast<std::size_t>(i)].GetName();
    if (plot.onGetCaption)
        plot.onGetCaption(i, text);
    return text;
}

void TPlotForm::buildLegend()
{
    std::vector<bool> active;
    for (const TLine& line : plot_.Curves)
        active.push_back(line.Active);
    ApplyActiveFlags(active);
}

void TPlotForm::resizeLegendBox()
{
    legend_->resize(kDesignLegendWidth, static_cast<int>(legend_->Items.size()) * legend_->ItemHeight + 3);
    legend_->GrowToFit(paintBox_->logicalDpiX() / 4);
}

void TPlotForm::SetupLegend(int factor)
{
    const int size = std::max(1, factor * plot_.LegendFont / 10);
    QFont f = legend_->font();
    f.setPointSize(size);
    legend_->setFont(f);
    legend_->ItemHeight = 3 * size / 2;
    resizeLegendBox();
}

TLayoutOptions TPlotForm::layoutOptions() const
{
    return {plot_.XOnTop, !plot_.GraphTitle.isEmpty(), plot_.GraphTitleOnTop, plot_.ShowLayers, plot_.ShowThree};
}

int TPlotForm::scaledFontHeight(int ppiY) const { return ScaledFontHeight(CanvasFontHeight(ppiY), plot_.SizeFont); }

void TPlotForm::FormResize()
{
    const int ppiX = paintBox_->logicalDpiX();
    const int ppiY = paintBox_->logicalDpiY();
    const int width = paintBox_->width();
    const int height = paintBox_->height();
    const int sfh = scaledFontHeight(ppiY);
    const bool place = !legendMoved_ && legend_->isVisible();
    screen_ = arrange(
        *paintBox_, [&](const TLayoutOptions& o) { return ScreenLayout(width, height, ppiX, ppiY, sfh, o); },
        legend_->size(), place);
    // Until the user drags it, the legend box follows the layout.
    if (place)
        legend_->move(screen_.LegendRect.Left, screen_.LegendRect.Top);
    keepLegendInside();
    paintBox_->update();
}

std::vector<QPoint> TPlotForm::CurvePixels(const TPlotGeometry& g) const
{
    const TPixelRect& area = plot_.ShowThree ? g.Panels[0] : g.PlotRect;
    std::vector<QPoint> pixels;
    for (const TLine& line : plot_.Curves) {
        if (!line.Active || !line.Visible)
            continue;
        for (const TFloatPoint& p : line.Points)
            if (std::isfinite(p.X) && std::isfinite(p.Y))
                pixels.push_back(FloatToPixel(Extents[0], area, plot_.XOnTop, p));
    }
    return pixels;
}

TPlotGeometry TPlotForm::arrange(const QPaintDevice& device,
                                 const std::function<TPlotGeometry(const TLayoutOptions&)>& layout, QSize legend,
                                 bool placeLegend) const
{
    TLayoutOptions options = layoutOptions();
    TPlotGeometry g = layout(options);
    PlaceTexts(device, g);
    if (!placeLegend)
        return g;
    const int inset = g.PixelsPerInchX / 32;
    const auto area = [&] { return plot_.ShowThree ? g.Panels[0] : g.PlotRect; };
    if (const auto corner = LegendCorner(area(), legend.width(), legend.height(), CurvePixels(g), inset)) {
        g.LegendRect = *corner;
        return g;
    }
    // Every corner hides data: the legend goes outside the frame, to the right.
    const int gap = g.PixelsPerInchX / 16;
    options.ReserveRight = legend.width() + 2 * gap;
    g = layout(options);
    PlaceTexts(device, g);
    const int right = plot_.ShowLayers ? std::max(g.PlotRect.Right, g.LayerStripRect.Right) : g.PlotRect.Right;
    const int top = area().Top;
    g.LegendRect = {right + gap, top, right + gap + legend.width(), top + legend.height()};
    return g;
}

TPlotGeometry TPlotForm::hardCopyGeometry(const QPaintDevice& device,
                                          const std::function<TPlotGeometry(const TLayoutOptions&)>& layout) const
{
    const bool shown = plot_.ShowLegend && plot_.CurveCount() > 0;
    const QSize size = HardCopyLegendSize(device, layout(layoutOptions()));
    if (!shown || !legendMoved_)
        return arrange(device, layout, size, shown);
    // Where the user put it on screen, in proportion to the plot area.
    TPlotGeometry g = arrange(device, layout, size, false);
    const TPixelRect& pr = g.PlotRect;
    const int windowW = std::max(1, paintBox_->width());
    const int windowH = std::max(1, paintBox_->height());
    const int x = pr.Left + static_cast<int>(static_cast<long long>(pr.Width()) * legend_->x() / windowW);
    const int y = pr.Top + static_cast<int>(static_cast<long long>(pr.Height()) * legend_->y() / windowH);
    g.LegendRect = {x, y, x + size.width(), y + size.height()};
    return g;
}

void TPlotForm::keepLegendInside()
{
    QPoint p = legend_->pos();
    if (p.x() + legend_->width() > paintBox_->width())
        p.setX(paintBox_->width() - legend_->width());
    if (p.x() < 0)
        p.setX(0);
    if (p.y() + legend_->height() > paintBox_->height())
        p.setY(paintBox_->height() - legend_->height());
    if (p.y() < 0)
        p.setY(0);
    legend_->move(p);
}

void TPlotForm::repaintAll()
{
    paintBox_->update();
    legend_->update();
}

// ---------------------------------------------------------------- menu commands

void TPlotForm::PlotMenuClick()
{
    MenuItem(QStringLiteral("PlotLegend"))->setChecked(plot_.ShowLegend);
    QAction* layers = MenuItem(QStringLiteral("PlotSoilLayer"));
    layers->setChecked(plot_.ShowLayers);
    layers->setVisible(plot_.LayerCurveCount() > 0);
    QAction* wall = MenuItem(QStringLiteral("ShowWallGeometry"));
    wall->setVisible(plot_.WallLineCount > 0);
    wall->setEnabled(plot_.ShowLayers);
    wall->setChecked(plot_.ShowWall);
    MenuItem(QStringLiteral("FontSize"))->setVisible(plot_.ShowFontWidth);
    MenuItem(QStringLiteral("LineWidth"))->setVisible(plot_.ShowFontWidth);
    for (QAction* a : curveActions_)
        a->setChecked(CurveVisible(a->data().toInt()));
}

void TPlotForm::PlotLegendClick()
{
    plot_.ShowLegend = !plot_.ShowLegend;
    legend_->setVisible(plot_.ShowLegend && plot_.CurveCount() > 0);
}

void TPlotForm::PlotSoilLayerClick()
{
    plot_.ShowLayers = !plot_.ShowLayers;
    FormResize();
}

void TPlotForm::ShowWallGeometryClick()
{
    plot_.ShowWall = !plot_.ShowWall;
    FormResize();
}

void TPlotForm::MarkClick(int markers)
{
    plot_.Markers = markers;
    paintBox_->update();
}

void TPlotForm::SizeClick(int size)
{
    plot_.SizeFont = size;
    SetupLegend(size);
    FormResize();
}

void TPlotForm::WidthClick(int width)
{
    plot_.WidthLine = width;
    paintBox_->update();
}

void TPlotForm::PlotCaptionClick()
{
    TfrmGraphCaption dialog(this);
    dialog.edtCaption->setText(plot_.GraphTitle);
    dialog.rbTop->setChecked(plot_.GraphTitleOnTop);
    dialog.rbBottom->setChecked(!plot_.GraphTitleOnTop);
    dialog.exec();
    plot_.GraphTitle = dialog.edtCaption->text();
    plot_.GraphTitleOnTop = dialog.rbTop->isChecked();
    FormResize();
}

void TPlotForm::mLineNameClick()
{
    std::vector<QString> names;
    for (const TLine& line : plot_.Curves)
        names.push_back(line.GetName());
    TfrmLineNames dialog(this, names);
    if (dialog.exec() == QDialog::Accepted)
        ApplyLineNames(names);
}

void TPlotForm::ApplyLineNames(const std::vector<QString>& names)
{
    for (std::size_t i = 0; i < names.size() && i < plot_.Curves.size(); ++i)
        plot_.Curves[i].Name = names[i];
    for (std::size_t j = 0; j < legendCurves_.size(); ++j) {
        const QString text = legendText(plot_, legendCurves_[j]);
        legend_->Items[j] = text;
        curveActions_[j]->setText(text);
    }
    legend_->GrowToFit(paintBox_->logicalDpiX() / 8);
    repaintAll();
}

void TPlotForm::ActiveGraphsClick()
{
    std::vector<QString> names;
    std::vector<QString> flags;
    for (const TLine& line : plot_.Curves) {
        names.push_back(line.GetName());
        flags.push_back(line.Active ? TfrmActiveLines::kYes : TfrmActiveLines::kNo);
    }
    TfrmActiveLines dialog(this, names, flags);
    if (dialog.exec() != QDialog::Accepted)
        return;
    std::vector<bool> active;
    for (const QString& f : flags)
        active.push_back(f == TfrmActiveLines::kYes);
    ApplyActiveFlags(active);
    resizeLegendBox();
    repaintAll();
}

void TPlotForm::ApplyActiveFlags(const std::vector<bool>& active)
{
    for (std::size_t i = 0; i < active.size() && i < plot_.Curves.size(); ++i)
        plot_.Curves[i].Active = active[i];
    legendCurves_.clear();
    legend_->Items.clear();
    for (int i = 0; i < plot_.CurveCount(); ++i) {
        if (!plot_.Curves[static_cast<std::size_t>(i)].Active)
            continue;
        const std::size_t j = legendCurves_.size();
        const QString text = legendText(plot_, i);
        legendCurves_.push_back(i);
        legend_->Items.push_back(text);
        if (j < curveActions_.size()) {
            curveActions_[j]->setText(text);
            curveActions_[j]->setData(i);
            continue;
        }
        QAction* action = plotMenu_->addAction(text);
        action->setCheckable(true);
        action->setChecked(plot_.Curves[static_cast<std::size_t>(i)].Visible);
        action->setData(i);
        ConnectReportingErrors(action, &QAction::triggered, this,
                               [this, action] { ToggleCurve(action->data().toInt()); });
        curveActions_.push_back(action);
    }
    while (curveActions_.size() > legendCurves_.size()) {
        delete curveActions_.back();
        curveActions_.pop_back();
    }
    legend_->SelectedIndex = std::min(legend_->SelectedIndex, std::max(0, static_cast<int>(legend_->Items.size()) - 1));
}

bool TPlotForm::CurveVisible(int curveIndex) const
{
    return curveIndex >= 0 && curveIndex < plot_.CurveCount() &&
           plot_.Curves[static_cast<std::size_t>(curveIndex)].Visible;
}

void TPlotForm::ToggleCurve(int curveIndex)
{
    if (curveIndex < 0 || curveIndex >= plot_.CurveCount())
        return;
    TLine& line = plot_.Curves[static_cast<std::size_t>(curveIndex)];
    line.Visible = !line.Visible;
    for (QAction* a : curveActions_)
        if (a->data().toInt() == curveIndex)
            a->setChecked(line.Visible);
    legend_->GrowToFit(paintBox_->logicalDpiX() / 8);
    repaintAll();
}

// ---------------------------------------------------------------- printing and bitmaps

bool TPlotForm::PrintTo(QPrinter& printer)
{
    printer.setDocName(plot_.Caption);
    printer.setFullPage(false);
    QPainter painter;
    if (!BeginPrinting(painter, printer))
        return false;
    const QRect paper = printer.paperRect(QPrinter::DevicePixel).toRect();
    const QRect page = printer.pageRect(QPrinter::DevicePixel).toRect();
    TPrintPage pg;
    pg.MarginLeft = pageSetup_->MarginLeft();
    pg.MarginTop = pageSetup_->MarginTop();
    pg.MarginRight = pageSetup_->MarginRight();
    pg.MarginBottom = pageSetup_->MarginBottom();
    pg.PixelsPerInchX = printer.logicalDpiX();
    pg.PixelsPerInchY = printer.logicalDpiY();
    pg.OffsetX = page.left() - paper.left();
    pg.OffsetY = page.top() - paper.top();
    pg.Width = printer.width();
    pg.Height = printer.height();
    const int sfh = scaledFontHeight(pg.PixelsPerInchY);
    PaintPlot(painter, hardCopyGeometry(printer, [&](const TLayoutOptions& o) { return PrintLayout(pg, sfh, o); }));
    const bool ok = EndPrinting(painter, printer);
    paintBox_->update();
    return ok;
}

TPlotGeometry TPlotForm::BitmapGeometry(const QImage& bitmap, int ppi) const
{
    const int sfh = scaledFontHeight(ppi);
    const int width = bitmap.width();
    const int height = bitmap.height();
    return hardCopyGeometry(bitmap,
                            [&](const TLayoutOptions& o) { return BitmapLayout(width, height, ppi, ppi, sfh, o); });
}

bool TPlotForm::WriteBitmap(QImage& bitmap, int ppi, const QString& fileName, TBitmapColors colors) const
{
    const int dotsPerMetre = static_cast<int>(RoundEven(ppi / 0.0254L));
    bitmap.setDotsPerMeterX(dotsPerMetre);
    bitmap.setDotsPerMeterY(dotsPerMetre);
    {
        QPainter painter(&bitmap);
        PaintPlot(painter, BitmapGeometry(bitmap, ppi));
    }
    return SaveBitmapFile(WithBitmapColors(bitmap, colors), fileName);
}

void TPlotForm::PlotPrintClick()
{
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (ChoosePrintTarget(*printer_, this))
        PrintTo(*printer_);
    paintBox_->update();
}

void TPlotForm::PlotPageClick()
{
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    PreparePrinter(*printer_);
    pageSetup_->SetPrinter(printer_.get());
    pageSetup_->Execute(this);
}

void TPlotForm::PlotSaveClick()
{
    QFileDialog files(this, QString(), StartFolder(TFileKind::Bitmap));
    files.setAcceptMode(QFileDialog::AcceptSave);
    files.setFileMode(QFileDialog::AnyFile);
    files.setDefaultSuffix(QStringLiteral("bmp"));
    files.setNameFilter(QStringLiteral("Bitmap (*.bmp)"));
    if (files.exec() != QDialog::Accepted || files.selectedFiles().isEmpty())
        return;
    RememberChosenFile(TFileKind::Bitmap, files.selectedFiles().front());
    QImage bitmap;
    TdlgFormat format(this, &bitmap);
    const int result = format.exec();
    if (result == QDialog::Accepted)
        WriteBitmap(bitmap, format.PixelsPerInch(), files.selectedFiles().front(), format.Colors());
    else if (result == TdlgFormat::kNoMemory)
        Messages().Information(Msg(TMsg::NotEnoughMemory));
    paintBox_->update();
}

// ---------------------------------------------------------------- zoom and read-out

QPoint TPlotForm::clampPixel(QPoint pixel) const
{
    const TPixelRect& r = screen_.PlotRect;
    return {std::clamp(pixel.x(), r.Left, std::max(r.Left, r.Right)),
            std::clamp(pixel.y(), r.Top, std::max(r.Top, r.Bottom))};
}

TFloatPoint TPlotForm::valueAt(QPoint pixel) const
{
    return PixelToFloat(Extents[0], screen_.PlotRect, plot_.XOnTop, pixel);
}

static bool inside(const TPixelRect& r, QPoint p)
{
    return p.x() >= r.Left && p.x() <= r.Right && p.y() >= r.Top && p.y() <= r.Bottom;
}

void TPlotForm::PaintBoxMouseDown(Qt::MouseButton button, QPoint pixel)
{
    if (!inside(screen_.PlotRect, pixel))
        return;
    if (button == Qt::LeftButton && !plot_.ShowThree) {
        dragging_ = true;
        dragStart_ = pixel;
        rubberBand_->setGeometry(QRect(pixel, QSize()));
        rubberBand_->show();
    } else if (button == Qt::RightButton) {
        const TFloatPoint at = valueAt(pixel);
        TExtents& e = Extents[0];
        const TExtents& full = FullExtents[0];
        const TRange x = ZoomOutAxis({e.MinX, e.MaxX}, {full.MinX, full.MaxX}, at.X);
        const TRange y = ZoomOutAxis({e.MinY, e.MaxY}, {full.MinY, full.MaxY}, at.Y);
        e = {x.Min, x.Max, y.Min, y.Max};
        paintBox_->update();
    }
}

void TPlotForm::PaintBoxMouseMove(QPoint pixel)
{
    const QPoint p = clampPixel(pixel);
    if (dragging_)
        rubberBand_->setGeometry(QRect(dragStart_, p).normalized());
    showReadout(p);
}

void TPlotForm::showReadout(QPoint pixel)
{
    TFloatPoint v;
    if (plot_.ShowThree) {
        for (std::size_t a = 0; a < 3; ++a) {
            const TPixelRect& panel = screen_.Panels[a];
            if (pixel.x() >= panel.Left && pixel.x() <= panel.Right)
                v = PixelToFloat(Extents[a], panel, plot_.XOnTop, pixel);
        }
    } else {
        v = valueAt(pixel);
    }
    setWindowTitle(plot_.Caption + QStringLiteral(" X: ") + general5(v.X) + QStringLiteral(" Y: ") + general5(v.Y));
}

void TPlotForm::FormMouseUp(Qt::MouseButton button, QPoint pixel)
{
    if (button != Qt::LeftButton || !dragging_)
        return;
    dragging_ = false;
    rubberBand_->hide();
    if (pixel.x() == dragStart_.x() || pixel.y() == dragStart_.y())
        return;
    const TFloatPoint a = valueAt(dragStart_);
    const TFloatPoint b = valueAt(clampPixel(pixel));
    const TExtents& full = FullExtents[0];
    const TRange x = ZoomInAxis(a.X, b.X, {full.MinX, full.MaxX});
    const TRange y = ZoomInAxis(a.Y, b.Y, {full.MinY, full.MaxY});
    Extents[0] = {x.Min, x.Max, y.Min, y.Max};
    paintBox_->update();
}

} // namespace veldo
