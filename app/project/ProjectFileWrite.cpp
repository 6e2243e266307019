// Writing the project file (generation 1) and its companion CPT file.
#include "DataUnit.h"
#include "MessageCatalogue.h"

#include "NumberFormats.h"
#include "PltData.h"
#include "Table.h"

#include "FilePaths.h"
#include "SafeWrite.h"

#include <algorithm>
#include <optional>
#include <string>

namespace veldo {
namespace {

std::string Num(long double value) { return FormatGeneral10(value); }
std::string Int(int value) { return std::to_string(value); }

// Builds the text line by line: every value is followed by one blank unless it is
// written as the last value of a record without one; lines end with CR LF.
class TRecordText {
public:
    TRecordText& operator<<(const std::string& value)
    {
        line_ += value;
        line_ += ' ';
        return *this;
    }
    // The last value of a record that ends without a blank; ends the line.
    void Last(const std::string& value)
    {
        line_ += value;
        EndLine();
    }
    void EndLine()
    {
        text_ += line_ + "\r\n";
        line_.clear();
    }
    const std::string& Text() const { return text_; }

private:
    std::string line_;
    std::string text_;
};

// A title line as one line: line breaks would shift every record after it.
QString OneLine(QString text)
{
    text.remove(QLatin1Char('\r'));
    text.remove(QLatin1Char('\n'));
    return text;
}

std::string Float(const TGridTable& table, int column, int row) { return Num(table.Cell(column, row).AsFloat()); }

std::string Integer(const TGridTable& table, int column, int row) { return Int(table.Cell(column, row).AsInteger()); }

// Depth of the layer-end record: the top of the first layer is 0, the top of a later
// layer the bottom of the layer above, the bottom the layer's own bottom.
std::string LayerEndDepth(const TGridTable& d, int row, int end)
{
    if (end == 1)
        return Float(d, kLayerBottom, row);
    return row == 0 ? std::string("0.0") : Float(d, kLayerBottom, row - 1);
}

const std::string kZero = "0.0";

// Line A and line B of one layer end of a sand, clay or silt layer (any other type in
// the sand layout). A property the project file does not keep is written as zero.
void WriteLayerEnd(TRecordText& out, const TProgramData& data, const TGridTable& d, int row, int end)
{
    const int type = d.Cell(kLayerSoilType, row).AsInteger();
    const TGridTable* p = d.Cell(kLayerProperties, row).AsTable();
    if (!p)
        throw EWriteError(MsgStd(TMsg::LayerWithoutProperties, QString::number(row + 1)));
    const int layout = type == SoilType::Clay || type == SoilType::Silt ? type : int{SoilType::Sand};
    const int j = end;
    const auto value = [&](int column) {
        return SoilPropertyUse(data, layout, column).saved ? Float(*p, column, j) : kZero;
    };
    const auto count = [&](int column) {
        return SoilPropertyUse(data, layout, column).saved ? Integer(*p, column, j) : std::string("0");
    };
    out << LayerEndDepth(d, row, end) << Int(type);
    if (layout == SoilType::Clay)
        out << kZero << value(kClayUnitWeight) << kZero << kZero;
    else if (layout == SoilType::Silt)
        out << value(kSiltKo) << value(kSiltUnitWeight) << value(kSiltFriction) << kZero;
    else
        out << value(kSandKo) << value(kSandUnitWeight) << value(kSandFriction) << value(kSandNq);
    out.EndLine();

    out << Float(d, kLayerMaxSide, row) << Float(d, kLayerMaxEnd, row);
    if (layout == SoilType::Clay)
        out << value(kClayUndrained) << value(kClayRemolded) << value(kClayYsr) << value(kClayPI) << value(kClayQc);
    else if (layout == SoilType::Silt)
        out << value(kSiltUndrained) << count(kSiltBlowCount) << kZero << kZero << kZero;
    else
        out << kZero << count(kSandBlowCount) << kZero << kZero << value(kSandQc);
    out << value(UserSkinColumn(layout)) << value(UserBearingColumn(layout));
    out << Float(d, kLayerSideFactor, row) << Float(d, kLayerEndFactor, row)
        << (layout == SoilType::Clay ? count(kClayAdhesion) : std::string("0"));
    out.EndLine();
}

void WritePileRecords(TRecordText& out, const TProgramData& data, const TGridTable& d)
{
    out.Last(OneLine(data.Title).toStdString());
    out.Last(OneLine(data.Designer).toStdString());
    out.Last(OneLine(data.JobNumber).toStdString());
    out << Int(data.UnitSystem) << Int(data.PrintInterval) << Int(2 * d.RowCount())
        << Int(data.ClosedEnded ? PileEnd::Closed : PileEnd::Open);
    out.EndLine();
    out << (data.Circular ? std::string("0") : Num(data.Perimeter)) << Num(data.TipArea) << Num(data.OutsideDiameter)
        << Num(data.InsideDiameter) << Num(data.Modulus) << Num(data.TotalLength);
    out.Last(Num(data.StickupLength));
    out << Num(data.EndSectionLength);
    out.Last(Num(data.EndSectionInnerDiameter));
    out << Num(data.ZeroFrictionLength) << Num(data.IncrementLength) << Int(data.PileType) << Num(data.TaperAngle)
        << Int(data.SelectedMethod) << Int(data.OffshoreMethods);
    out.Last(Int(data.TzFactors));
    for (int m = Method::First; m <= Method::Last; ++m)
        out << Int(data.MethodTicked(m) ? Flag::On : Flag::Off);
    out.EndLine();
    out << Num(data.DeepestDepth);
    out.Last(Num(data.ConstantArea));
}

void WriteOptionRecords(TRecordText& out, const TProgramData& data, const TProjectTables& tables)
{
    out.Last(Int(data.PrintTzAtDepths));
    if (data.PrintTzAtDepths == Flag::On) {
        const TGridTable& tz = tables.TblTZDepth();
        out.Last(Int(tz.RowCount()));
        for (int r = 0; r < tz.RowCount(); ++r) {
            out << Float(tz, 0, r); // a depth line ends with its blank, as every value
            out.EndLine();
        }
    }
    out << Num(data.Loading);
    out.Last(Num(data.TensionFactor));
    out << Num(data.ClayCondition);
    out.Last(Num(data.PlugCondition));
    const TGridTable& sections = tables.Sectionaldata();
    out << Num(sections.RowCount());
    out.Last(Num(data.AreaMode));
    if (sections.RowCount() > 1)
        for (int r = 0; r < sections.RowCount(); ++r) {
            out << Float(sections, 0, r);
            out.Last(Float(sections, 1, r));
        }
    out << Num(data.CriticalDepthOption);
    out.Last(Num(data.UserCriticalDepth));
}

// The CPT file: the unit system and the point count, then depth and cone resistance
// of each point at 10 significant digits (the file is the profile's only store).
std::string CptFileText(const TProgramData& data, const TGraphPlot& plot)
{
    // English profiles are kept in ksf and written in psf, as the engine reads them.
    const long double cone = data.UnitSystem == UnitSystem::English ? 1000.0L : 1.0L;
    const int available = plot.Curves.empty() ? 0 : plot.Curves.front().PointCount();
    const int count = std::max(0, std::min(data.CptPointCount(), available));
    TRecordText out;
    out.Last(" " + Int(data.UnitSystem) + " " + Int(count));
    for (int j = 0; j < count; ++j) {
        const TFloatPoint& point = plot.Curves.front().Point(j);
        out.Last("  " + FormatExp(point.Y, 10, 2) + "  " + FormatExp(point.X * cone, 10, 2));
    }
    return out.Text();
}

} // namespace

void TProgramData::SaveToFile(TProjectTables& tables)
{
    // A project named like its CPT file would be overwritten by the profile.
    if (ReplaceExtension(ProjectPath, QStringLiteral(".cpt")) == ProjectPath)
        throw EWriteError(ProjectPath, MsgStd(TMsg::ProjectWouldBeReplaced));
    // Values the file cannot hold as they stand.
    if (PrintInterval == 0)
        PrintInterval = 1;
    if (IncrementLength == 0)
        IncrementLength = 1.0L;
    if (Circular)
        TipArea = 0;
    Title = OneLine(Title);
    Designer = OneLine(Designer);
    JobNumber = OneLine(JobNumber);
    TGridTable& sections = tables.Sectionaldata();
    if (sections.RowCount() < sections.MinRows())
        sections.SetRowCount(sections.MinRows());
    // The file's deepest depth is the bottom of the last layer, whatever was read.
    const TGridTable& d = tables.D();
    DeepestDepth = d.RowCount() > 0 ? d.Cell(kLayerBottom, d.RowCount() - 1).AsFloat() : 0;

    TRecordText out;
    WritePileRecords(out, *this, d);
    for (int row = 0; row < d.RowCount(); ++row)
        for (int end = 0; end < 2; ++end)
            WriteLayerEnd(out, *this, d, row, end);
    WriteOptionRecords(out, *this, tables);

    // Both files or neither: the engine reads the CPT file in the project's units.
    const QString cptPath = ReplaceExtension(ProjectPath, QStringLiteral(".cpt"));
    const std::optional<TWriteFailure> failure =
        WriteFilesTogether({{FileSystemPath(ProjectPath), out.Text()},
                            {FileSystemPath(cptPath), CptFileText(*this, tables.MotionInput())}});
    if (failure)
        throw EWriteError(PathText(failure->path), failure->reason);
    CptPath = cptPath;
    tables.ResetChanged();
}

} // namespace veldo
