#include "ProjectTestSupport.h"

#include <array>
#include <sstream>

namespace veldo::test {
namespace {

std::string Number(long double value, int digits) { return formatGeneral(value, digits); }

void DumpTable(std::string& out, const std::string& name, const TGridTable& table, int digits)
{
    out += name + " rows " + std::to_string(table.RowCount()) + "\n";
    for (int r = 0; r < table.RowCount(); ++r)
        for (int c = 0; c < table.ColumnCount(); ++c) {
            const TColumn& column = table.Column(c);
            const std::string cell = name + "[" + std::to_string(r) + "," + std::to_string(c) + "] ";
            if (dynamic_cast<const TFloatColumn*>(&column))
                out += cell + Number(column.AsFloat(r), digits) + "\n";
            else if (dynamic_cast<const TTableColumn*>(&column)) {
                if (const TGridTable* nested = column.AsTable(r))
                    DumpTable(out, cell, *nested, digits);
            } else
                out += cell + std::to_string(column.AsInteger(r)) + "\n";
        }
}

QString InFolder(const QString& folder, const QString& name) { return QDir(folder).filePath(name); }

// The texts of a saved project file and its CPT file.
std::string SaveAs(TProgramData& data, TProjectTables& tables, const QString& path)
{
    data.ProjectPath = path;
    data.SaveToFile(tables);
    return ReadBytes(path) + "\n--- CPT ---\n" + ReadBytes(ReplaceExtension(path, QStringLiteral(".cpt")));
}

std::string FirstDifference(const std::string& expected, const std::string& actual)
{
    std::istringstream a(expected), b(actual);
    std::string x, y;
    while (std::getline(a, x) && std::getline(b, y))
        if (x != y)
            break;
    return "expected: " + x + "\nactual:   " + y;
}

} // namespace

std::string DumpProject(const TProgramData& d, const TProjectTables& tables, int digits)
{
    std::string out;
    const auto text = [&](const char* name, const QString& value) {
        out += std::string(name) + " " + value.toStdString() + "\n";
    };
    const auto real = [&](const char* name, long double value) {
        out += std::string(name) + " " + Number(value, digits) + "\n";
    };
    const auto integer = [&](const char* name, long long value) {
        out += std::string(name) + " " + std::to_string(value) + "\n";
    };
    text("title", d.Title);
    text("designer", d.Designer);
    text("job", d.JobNumber);
    integer("units", d.UnitSystem);
    integer("print", d.PrintInterval);
    real("perimeter", d.Perimeter);
    real("constant area", d.ConstantArea);
    real("tip area", d.TipArea);
    real("od", d.OutsideDiameter);
    real("id", d.InsideDiameter);
    real("modulus", d.Modulus);
    real("stickup", d.StickupLength);
    real("total", d.TotalLength);
    real("end section", d.EndSectionLength);
    real("end section id", d.EndSectionInnerDiameter);
    real("zero friction", d.ZeroFrictionLength);
    real("increment", d.IncrementLength);
    real("deepest", d.DeepestDepth);
    real("taper", d.TaperAngle);
    integer("selected", d.SelectedMethod);
    integer("print tz", d.PrintTzAtDepths);
    integer("pile type", d.PileType);
    integer("loading", d.Loading);
    integer("clay condition", d.ClayCondition);
    integer("plug", d.PlugCondition);
    integer("area mode", d.AreaMode);
    real("tension factor", d.TensionFactor);
    integer("circular", d.Circular);
    integer("closed", d.ClosedEnded);
    integer("offshore", d.OffshoreMethods);
    integer("tz factors", d.TzFactors);
    integer("critical option", d.CriticalDepthOption);
    real("critical depth", d.UserCriticalDepth);
    for (int m = 1; m <= 9; ++m)
        integer(("method " + std::to_string(m)).c_str(), d.Integers[static_cast<std::size_t>(m)]);
    integer("cpt count", d.CptPointCount());
    DumpTable(out, "D", tables.D(), digits);
    DumpTable(out, "TZ", tables.TblTZDepth(), digits);
    DumpTable(out, "Sections", tables.Sectionaldata(), digits);
    const TGraphPlot& plot = tables.MotionInput();
    for (const TLine& curve : plot.Curves)
        for (const TFloatPoint& p : curve.Points)
            out += "cpt " + Number(p.Y, digits) + " " + Number(p.X, digits) + "\n";
    return out;
}

std::string SaveReopenMismatch(const QString& folder, int generation, const std::string& projectText,
                               const std::string& cptText)
{
    static const std::array<QString, 3> extensions = {QStringLiteral(".vd7d"), QStringLiteral(".vd6d"),
                                                      QStringLiteral(".vdd")};
    const QString extension = extensions.at(static_cast<std::size_t>(generation - 1));
    const QString path = InFolder(folder, QStringLiteral("input") + extension);
    WriteBytes(path, projectText);
    QFile::remove(InFolder(folder, QStringLiteral("input.cpt")));
    if (!cptText.empty())
        WriteBytes(InFolder(folder, QStringLiteral("input.cpt")), cptText);

    TProjectRead first = TProgramData::CreateFromFile(path, generation);
    const std::string firstText = SaveAs(first.data, *first.tables, InFolder(folder, QStringLiteral("first.vd7d")));
    const std::string saved = DumpProject(first.data, *first.tables, 10);
    TProjectRead second = TProgramData::CreateFromFile(InFolder(folder, QStringLiteral("first.vd7d")), 1);
    if (!second.Complete())
        return "the saved project does not read back: " + second.error.toStdString();
    const std::string reopened = DumpProject(second.data, *second.tables, 10);
    if (reopened != saved)
        return "the reopened project differs from the saved one\n" + FirstDifference(saved, reopened);
    const std::string secondText = SaveAs(second.data, *second.tables, InFolder(folder, QStringLiteral("second.vd7d")));
    if (secondText != firstText)
        return "the second save writes other bytes\n" + FirstDifference(firstText, secondText);
    return {};
}

TProgramData MakeLayeredProject(TProjectTables& tables)
{
    TProgramData d = TProgramData::CreateDefault(tables);
    d.Title = QStringLiteral("LAYERED TEST PILE");
    d.Designer = QStringLiteral("Q. A. Tester");
    d.JobNumber = QStringLiteral("T-11");
    d.PrintInterval = 2;
    d.ClosedEnded = true;
    d.OutsideDiameter = 18;
    d.InsideDiameter = 17.25L;
    d.Modulus = 29000000;
    d.TotalLength = 60;
    d.StickupLength = 1.5L;
    d.EndSectionLength = 3;
    d.EndSectionInnerDiameter = 16.5L;
    d.ZeroFrictionLength = 2;
    d.IncrementLength = 0.5L;
    d.SelectedMethod = 5;
    d.TzFactors = 1;
    for (int m = 1; m <= 9; ++m)
        d.SetMethodTicked(m, m == 1 || m == 2 || m == 4 || m == 5 || m == 7);
    d.ConstantArea = 12.5L;
    d.DeepestDepth = 90; // what reading gives: the bottom of the last layer
    d.PrintTzAtDepths = 1;
    d.Loading = 1;
    d.TensionFactor = 0.7L;
    d.ClayCondition = 1;
    d.PlugCondition = 2;
    d.AreaMode = 2;
    d.CriticalDepthOption = 2;
    d.UserCriticalDepth = 35;

    TGridTable& D = tables.D();
    D.SetRowCount(3);
    const auto layer = [&](int row, int type, long double bottom, long double side, long double end,
                           long double sideFactor, long double endFactor) {
        D.Cell(kLayerSoilType, row).SetInteger(type);
        D.Cell(kLayerBottom, row).SetFloat(bottom);
        D.Cell(kLayerMaxSide, row).SetFloat(side);
        D.Cell(kLayerMaxEnd, row).SetFloat(end);
        D.Cell(kLayerSideFactor, row).SetFloat(sideFactor);
        D.Cell(kLayerEndFactor, row).SetFloat(endFactor);
        return tables.LayerTable(row);
    };
    const auto set = [](TGridTable* p, int j, std::initializer_list<long double> values) {
        int c = 0;
        for (long double v : values) {
            if (dynamic_cast<TIntColumn*>(&p->Column(c)))
                p->Cell(c, j).SetInteger(static_cast<int>(v));
            else
                p->Cell(c, j).SetFloat(v);
            ++c;
        }
    };
    TGridTable* sand = layer(0, SoilType::Sand, 20, 2000, 80000, 0.9L, 0.8L);
    set(sand, 0, {115, 30, 12, 0.8L, 20, 150000, 500, 60000});
    set(sand, 1, {118, 32, 15, 0.85L, 25, 160000, 600, 70000});
    TGridTable* clay = layer(1, SoilType::Clay, 45, 0, 0, 1, 0.95L);
    set(clay, 0, {55, 800, 400, 25, 1.5L, 20000, 300, 9000, 2});
    set(clay, 1, {58, 1200, 600, 30, 1.3L, 25000, 350, 9500, 2});
    TGridTable* silt = layer(2, SoilType::Silt, 90, 1500, 40000, 0.7L, 0.75L);
    set(silt, 0, {60, 28, 8, 1.25L, 500});
    set(silt, 1, {62, 29, 10, 1.2L, 650});

    TGridTable& tz = tables.TblTZDepth();
    tz.SetRowCount(3);
    tz.Cell(0, 0).SetFloat(10);
    tz.Cell(0, 1).SetFloat(25.5L);
    tz.Cell(0, 2).SetFloat(40);

    TGridTable& sections = tables.Sectionaldata();
    sections.SetRowCount(3);
    const long double rows[3][2] = {{0, 50.5L}, {30, 45.25L}, {60, 40}};
    for (int r = 0; r < 3; ++r) {
        sections.Cell(0, r).SetFloat(rows[r][0]);
        sections.Cell(1, r).SetFloat(rows[r][1]);
    }

    TGraphPlot& plot = tables.MotionInput();
    plot.SetCurveCount(1);
    plot.Curve(0).Points = {{0, 0}, {40.5L, 5}, {85.125L, 10.25L}};
    d.Integers[kCptPointCountEntry] = 3;
    return d;
}

} // namespace veldo::test
