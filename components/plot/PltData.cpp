#include "PltData.h"

#include "NumText.h"
#include "PlotForm.h"
#include "PlotScale.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <algorithm>
#include <stdexcept>

namespace veldo {

namespace {

void checkIndex(int i, std::size_t size)
{
    if (i < 0 || static_cast<std::size_t>(i) >= size)
        throw std::out_of_range("List index out of bounds (" + std::to_string(i) + ")");
}

} // namespace

TLine::TLine(const TGraphPlot* owner, long double number) : Number(number), owner_(owner) {}

TFloatPoint& TLine::Point(int j)
{
    checkIndex(j, Points.size());
    return Points[static_cast<std::size_t>(j)];
}

const TFloatPoint& TLine::Point(int j) const
{
    checkIndex(j, Points.size());
    return Points[static_cast<std::size_t>(j)];
}

void TLine::SetPointCount(int n) { Points.resize(static_cast<std::size_t>(std::max(n, 0))); }

QString TLine::GetName() const
{
    if (!Name.isEmpty())
        return Name;
    const QString prefix = owner_ ? owner_->CurveName : QString();
    return prefix + QString::fromStdString(formatGeneral18(Number));
}

TGraphPlot::TGraphPlot(QObject* owner) : QObject(owner) {}

TGraphPlot::~TGraphPlot()
{
    if (subWindow_)
        delete subWindow_.data();
    else if (plotWindow_)
        delete plotWindow_.data();
}

void TGraphPlot::SetUnits(TUnitSystem v) { units_ = std::clamp(v, UnitSystem::English, kRawUnits); }

TLine& TGraphPlot::at(TLineList& list, int i)
{
    checkIndex(i, list.size());
    return list[static_cast<std::size_t>(i)];
}

void TGraphPlot::setCount(TLineList& list, int n)
{
    const auto wanted = static_cast<std::size_t>(std::max(n, 0));
    if (list.size() > wanted)
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(wanted), list.end());
    while (list.size() < wanted) {
        TLine line(this, static_cast<long double>(CurveCount()) + 1);
        line.SetPointCount(PointCount());
        list.push_back(std::move(line));
    }
}

void TGraphPlot::setPoints(TLineList& list, int n)
{
    for (TLine& line : list)
        line.SetPointCount(n);
}

void TGraphPlot::SetMdiArea(QMdiArea* area) { mdiArea_ = area; }

bool TGraphPlot::WindowCreated() const { return !plotWindow_.isNull(); }

TPlotForm* TGraphPlot::PlotWindow() const { return plotWindow_.data(); }

QMdiArea* TGraphPlot::targetArea() const
{
    if (mdiArea_)
        return mdiArea_.data();
    if (const auto* main = qobject_cast<const QMainWindow*>(parent()))
        return qobject_cast<QMdiArea*>(main->centralWidget());
    return nullptr;
}

bool TGraphPlot::Execute()
{
    if (!plotWindow_) {
        const auto extents = PlotExtents(*this);
        if (!extents)
            return false;
        QMdiArea* area = targetArea();
        auto* form = new TPlotForm(*this, *extents);
        plotWindow_ = form;
        if (area) {
            subWindow_ = area->addSubWindow(form);
            subWindow_->setAttribute(Qt::WA_DeleteOnClose);
        } else {
            form->setAttribute(Qt::WA_DeleteOnClose);
        }
    }
    QWidget* window = subWindow_ ? static_cast<QWidget*>(subWindow_.data()) : plotWindow_.data();
    if (window->isMinimized())
        window->showNormal();
    else if (!window->isVisible())
        window->showMaximized();
    window->raise();
    window->activateWindow();
    // Shown again, the plot takes the activation (and the commands) from whichever
    // child had it.
    if (subWindow_ && subWindow_->mdiArea())
        subWindow_->mdiArea()->setActiveSubWindow(subWindow_);
    return true;
}

} // namespace veldo
