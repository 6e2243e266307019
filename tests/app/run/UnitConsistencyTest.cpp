// The same pile and soil in English and in SI units give the same results through the
// whole chain: the project is opened, saved and run by the engine, a copy is switched
// to the other unit system, saved and run, and every curve of the two plot-data files
// is compared point by point after unit conversion.
#include "ProjectTestSupport.h"

#include "EngineState.h"
#include "PlotResults.h"
#include "RunProject.h"
#include "TzCurves.h"

#include <QDir>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>

namespace veldo {
int RunEngine(int request);
} // namespace veldo

namespace veldo::test {
namespace {

// Exact unit relations.
constexpr double kMetrePerFoot = 0.3048;
constexpr double kMetrePerInch = 0.0254;
constexpr double kKnPerKip = 4.4482216152605;
constexpr double kKpaPerKsf = kKnPerKip / (kMetrePerFoot * kMetrePerFoot);
constexpr double kKpaPerPsi = kKpaPerKsf * 144.0 / 1000.0;

// One t-z curve of the plot-data file: its depth below the ground and 10 points.
struct TzCurve {
    double depth = 0;
    std::array<double, 10> t{}, z{};
};

// Every number of a plot-data file, by block.
struct PlotFile {
    int series = 0, rows = 0, units = 0, selected = 0;
    std::vector<std::vector<std::array<double, 5>>> methods;
    std::vector<TzCurve> tz;
    std::vector<std::vector<std::array<double, 3>>> loadDistribution;
    std::vector<std::array<double, 4>> loadSettlement;
    std::vector<TzCurve> extraTz;
};

class NumberStream {
public:
    explicit NumberStream(const std::string& text)
    {
        std::istringstream in(text);
        for (std::string word; in >> word;)
            words_.push_back(word);
    }
    double next()
    {
        if (pos_ >= words_.size())
            throw std::runtime_error("plot-data file ends early");
        const std::string& w = words_[pos_++];
        double v = 0;
        const auto r = std::from_chars(w.data(), w.data() + w.size(), v);
        if (r.ec != std::errc() || r.ptr != w.data() + w.size())
            throw std::runtime_error("not a number: " + w);
        return v;
    }
    int integer() { return static_cast<int>(next()); }
    bool atEnd() const { return pos_ >= words_.size(); }

private:
    std::vector<std::string> words_;
    std::size_t pos_ = 0;
};

std::vector<TzCurve> ReadTzBlock(NumberStream& in)
{
    std::vector<TzCurve> curves(static_cast<std::size_t>(in.integer()));
    for (TzCurve& c : curves) {
        in.next(); // curve number
        EXPECT_EQ(in.integer(), 10);
        c.depth = in.next();
        for (int j = 0; j < 10; ++j) {
            c.t[static_cast<std::size_t>(j)] = in.next();
            c.z[static_cast<std::size_t>(j)] = in.next();
        }
    }
    return curves;
}

PlotFile ParsePlotFile(const std::string& text)
{
    NumberStream in(text);
    PlotFile f;
    f.series = in.integer();
    f.rows = in.integer();
    f.units = in.integer();
    f.selected = in.integer();
    for (int s = 0; s < f.series; ++s) {
        auto& block = f.methods.emplace_back(static_cast<std::size_t>(f.rows));
        for (auto& row : block)
            for (double& v : row)
                v = in.next();
    }
    f.tz = ReadTzBlock(in);
    for (int step = 0; step < 9; ++step) {
        auto& curve = f.loadDistribution.emplace_back(static_cast<std::size_t>(f.rows));
        for (auto& row : curve)
            for (double& v : row)
                v = in.next();
    }
    f.loadSettlement.resize(9);
    for (auto& row : f.loadSettlement)
        for (double& v : row)
            v = in.next();
    if (!in.atEnd())
        f.extraTz = ReadTzBlock(in);
    EXPECT_TRUE(in.atEnd()) << "numbers after the last block";
    return f;
}

// Half a unit of the last printed digit of a number written with `digits` significant
// digits (the E descriptors of the plot-data file).
double LastDigit(double v, int digits)
{
    if (v == 0)
        return 0;
    return 0.5 * std::pow(10.0, std::floor(std::log10(std::abs(v))) + 1 - digits);
}

// Compares one column of numbers, English converted to SI against SI. A point agrees
// when it differs by at most `relative` of its value plus `allowance` (print
// resolution) plus half a unit of the last digit of both numbers when they are written
// with `digits` significant digits, plus 0.2 % of the column's largest magnitude (so
// that values near zero, where a rounded last digit is a large share, do not count).
class Comparer {
public:
    explicit Comparer(std::string caseName) : case_(std::move(caseName)) {}

    void column(const std::string& what, const std::vector<double>& english, const std::vector<double>& si,
                double factor, double allowance, double relative = kRelative, int digits = 0)
    {
        ASSERT_EQ(english.size(), si.size()) << case_ << " " << what;
        double largest = 0;
        for (double v : si)
            largest = std::max(largest, std::abs(v));
        int reported = 0;
        for (std::size_t i = 0; i < si.size(); ++i) {
            const double expected = english[i] * factor;
            const double diff = std::abs(expected - si[i]);
            double allowed = relative * std::abs(expected) + 0.002 * largest + allowance;
            if (digits > 0)
                allowed += LastDigit(english[i], digits) * factor + LastDigit(si[i], digits);
            if (diff <= allowed)
                continue;
            if (++reported <= 5)
                ADD_FAILURE() << case_ << ", " << what << ", point " << i << ": English " << english[i] << " x "
                              << factor << " = " << expected << ", SI " << si[i] << " ("
                              << 100 * diff / std::max(std::abs(expected), 1e-12) << " %)";
        }
    }

    static constexpr double kRelative = 0.005;

private:
    std::string case_;
};

// What a case may differ in beyond 0.5 % because the engine uses different constants in
// the two unit systems.
struct Allowances {
    // Design method of each method block, in file order.
    std::vector<int> blockMethods;
    int selected = 0;
    // The t-z nodes inside a layer lie at unit-specific places: just above the layer's
    // bottom 0.5 inch (English) or 0.1 m (SI) up; near its middle with 1.1 inch (English)
    // or 0.1 m (SI) added before halving. A node near a layer boundary then reads the
    // side resistance of a different depth, and the solver interpolates between the
    // curves of two layers over a different height, so in a layered profile the
    // load-distribution and load-settlement loads differ by up to a few per cent. With
    // the pile tip inside one layer the nodes that matter lie at the same depths.
    bool layered = true;
};

// Offshore rules (NGI, ICP/MTD, Fugro, UWA) and their load-settlement: the atmospheric
// pressure of the common capacity steps is 2.1168 ksf (English) but 100 kPa (SI), 1.35 %
// apart: the cone resistance estimated from a blow count (2.8 x Pa x N) and the Fugro
// end bearing (8.5 Pa sqrt(qc / Pa)) carry that difference or its square root.
constexpr double kAtmosphericShare = 0.014;
// Node offsets of a layered profile (see Allowances::layered).
constexpr double kNodeOffsetShare = 0.07;

std::vector<double> MethodColumn(const PlotFile& f, std::size_t c, const std::vector<int>& methods,
                                 const std::vector<int>& blockMethods)
{
    std::vector<double> out;
    for (std::size_t b = 0; b < f.methods.size(); ++b) {
        const int method = b < blockMethods.size() ? blockMethods[b] : 0;
        if (std::find(methods.begin(), methods.end(), method) == methods.end())
            continue;
        for (const auto& row : f.methods[b])
            out.push_back(row[c]);
    }
    return out;
}

std::vector<double> TzColumn(const std::vector<TzCurve>& curves, int what)
{
    std::vector<double> out;
    for (const TzCurve& c : curves) {
        if (what == 0) {
            out.push_back(c.depth);
            continue;
        }
        for (std::size_t j = 0; j < 10; ++j)
            out.push_back(what == 1 ? c.t[j] : c.z[j]);
    }
    return out;
}

// The t-z curves of both files whose depths agree (within their 4 printed digits and
// 0.5 mm).
std::pair<std::vector<TzCurve>, std::vector<TzCurve>> SameDepthCurves(const std::vector<TzCurve>& en,
                                                                      const std::vector<TzCurve>& si)
{
    std::pair<std::vector<TzCurve>, std::vector<TzCurve>> out;
    for (std::size_t i = 0; i < en.size() && i < si.size(); ++i)
        if (std::abs(en[i].depth * kMetrePerFoot - si[i].depth) <=
            LastDigit(en[i].depth, 4) * kMetrePerFoot + LastDigit(si[i].depth, 4) + 5e-4) {
            out.first.push_back(en[i]);
            out.second.push_back(si[i]);
        }
    return out;
}

template <std::size_t N> std::vector<double> RowColumn(const std::vector<std::array<double, N>>& rows, std::size_t c)
{
    std::vector<double> out;
    for (const auto& row : rows)
        out.push_back(row[c]);
    return out;
}

std::vector<double> LoadDistributionColumn(const PlotFile& f, std::size_t c)
{
    std::vector<double> out;
    for (const auto& curve : f.loadDistribution)
        for (double v : RowColumn(curve, c))
            out.push_back(v);
    return out;
}

void CompareMethodBlocks(Comparer& cmp, const PlotFile& en, const PlotFile& si, const Allowances& allow)
{
    const std::vector<int> classic{1, 2, 3, 4, 5}, offshore{6, 7, 8, 9}, all{1, 2, 3, 4, 5, 6, 7, 8, 9};
    const auto& blocks = allow.blockMethods;
    // Depth F7.2, forces F8.1 / F9.1, unit side friction F9.3: the allowance is the last
    // printed digit of both files.
    const double force = 0.05 * kKnPerKip + 0.05;
    cmp.column("method depth", MethodColumn(en, 0, all, blocks), MethodColumn(si, 0, all, blocks), kMetrePerFoot,
               0.005 * kMetrePerFoot + 0.005);
    cmp.column("method skin friction", MethodColumn(en, 1, all, blocks), MethodColumn(si, 1, all, blocks), kKnPerKip,
               force);
    cmp.column("method unit side friction", MethodColumn(en, 4, all, blocks), MethodColumn(si, 4, all, blocks),
               kKpaPerKsf, 0.0005 * kKpaPerKsf + 0.0005);
    for (std::size_t c : {2, 3}) {
        const std::string name = c == 2 ? "end bearing" : "ultimate";
        cmp.column("method " + name, MethodColumn(en, c, classic, blocks), MethodColumn(si, c, classic, blocks),
                   kKnPerKip, force);
        cmp.column("offshore method " + name, MethodColumn(en, c, offshore, blocks),
                   MethodColumn(si, c, offshore, blocks), kKnPerKip, force, kAtmosphericShare);
    }
}

// Every curve of the two plot-data files of one case.
void CompareFiles(const std::string& name, const PlotFile& en, const PlotFile& si, const Allowances& allow)
{
    ASSERT_EQ(en.units, UnitSystem::English) << name;
    ASSERT_EQ(si.units, UnitSystem::SI) << name;
    ASSERT_EQ(en.series, si.series) << name;
    ASSERT_EQ(static_cast<std::size_t>(en.series), allow.blockMethods.size()) << name;
    ASSERT_EQ(en.rows, si.rows) << name;
    ASSERT_EQ(en.selected, si.selected) << name;
    ASSERT_EQ(en.tz.size(), si.tz.size()) << name;
    ASSERT_EQ(en.extraTz.size(), si.extraTz.size()) << name;
    Comparer cmp(name);
    CompareMethodBlocks(cmp, en, si, allow);
    // Load-settlement of an offshore rule carries its end bearing's difference.
    const double tip = allow.selected >= 6 ? kAtmosphericShare : Comparer::kRelative;
    const double solver = allow.layered ? kNodeOffsetShare : tip;

    // t-z curves (E16.4): the depths may differ by the node offsets, at most
    // 0.1 m - 0.5 in = 0.0873 m; the load transfer is compared where the depths agree.
    cmp.column("t-z depth", TzColumn(en.tz, 0), TzColumn(si.tz, 0), kMetrePerFoot, 0.1 - 0.5 * kMetrePerInch, 0, 4);
    const auto [enSame, siSame] = allow.layered ? SameDepthCurves(en.tz, si.tz) : std::pair{en.tz, si.tz};
    cmp.column("t-z load transfer", TzColumn(enSame, 1), TzColumn(siSame, 1), kKpaPerPsi, 0, tip, 4);
    cmp.column("t-z movement", TzColumn(en.tz, 2), TzColumn(si.tz, 2), kMetrePerInch, 0, Comparer::kRelative, 4);
    // Load distribution (E10.3): depth in ft / m, load in kips / kN, movement in inch / m.
    cmp.column("load distribution depth", LoadDistributionColumn(en, 0), LoadDistributionColumn(si, 0), kMetrePerFoot,
               0, Comparer::kRelative, 3);
    cmp.column("load distribution load", LoadDistributionColumn(en, 1), LoadDistributionColumn(si, 1), kKnPerKip, 0,
               solver, 3);
    cmp.column("load distribution movement", LoadDistributionColumn(en, 2), LoadDistributionColumn(si, 2),
               kMetrePerInch, 0, solver, 3);
    // Load-settlement (E16.4): loads in kips / kN, movements in inch / m; the tip
    // movements are the assumed ones.
    cmp.column("head load", RowColumn(en.loadSettlement, 0), RowColumn(si.loadSettlement, 0), kKnPerKip, 0, solver, 4);
    cmp.column("head movement", RowColumn(en.loadSettlement, 1), RowColumn(si.loadSettlement, 1), kMetrePerInch, 0,
               solver, 4);
    cmp.column("tip load", RowColumn(en.loadSettlement, 2), RowColumn(si.loadSettlement, 2), kKnPerKip, 0, tip, 4);
    cmp.column("tip movement", RowColumn(en.loadSettlement, 3), RowColumn(si.loadSettlement, 3), kMetrePerInch, 0,
               Comparer::kRelative, 4);
    // Extra t-z curves at the user's depths: the same depths in both files.
    cmp.column("extra t-z depth", TzColumn(en.extraTz, 0), TzColumn(si.extraTz, 0), kMetrePerFoot, 0,
               Comparer::kRelative, 4);
    cmp.column("extra t-z load transfer", TzColumn(en.extraTz, 1), TzColumn(si.extraTz, 1), kKpaPerPsi, 0, tip, 4);
    cmp.column("extra t-z movement", TzColumn(en.extraTz, 2), TzColumn(si.extraTz, 2), kMetrePerInch, 0,
               Comparer::kRelative, 4);
}

// Design methods of the blocks of the plot-data file: the ticked ones in the order
// 5, 1, 2, 3, 4 and, with the offshore flag 1, 6, 7, 8, 9.
std::vector<int> BlockMethods(const TProgramData& d)
{
    std::vector<int> methods;
    for (int m : {5, 1, 2, 3, 4, 6, 7, 8, 9})
        if (d.MethodTicked(m) && (m < 6 || d.OffshoreMethods == 1))
            methods.push_back(m);
    return methods;
}

// Runs the engine on a saved project in its folder and returns the plot-data file.
std::string RunSaved(const TProgramData& data)
{
    const auto file = [&](const char* extension) {
        return ReplaceExtension(data.ProjectPath, QString::fromLatin1(extension)).toStdString();
    };
    const std::filesystem::path folder = std::filesystem::path(file(".vd7d")).parent_path();
    WriteBytes(QString::fromStdString((folder / "names.dat").string()),
               "2015.7.7\r\n\r\n\r\n0\r\n" + file(".vd7d") + "\r\n" + file(".vd7o") + "\r\n" + file(".vd7p") + "\r\n" +
                   file(".cpt") + "\r\n");
    const auto old = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    const int status = RunEngine(7);
    std::filesystem::current_path(old);
    EXPECT_EQ(status, 0) << data.ProjectPath.toStdString();
    return ReadBytes(QString::fromStdString(file(".vd7p")));
}

// The program's reader takes the file (its counts match the project).
void ExpectProgramReads(const TProgramData& data, const TProjectTables& tables)
{
    TResultPlots plots;
    TProgramData copy = data;
    EXPECT_TRUE(ReadProjectPlotFile(plots, copy, tables,
                                    ReplaceExtension(data.ProjectPath, QStringLiteral(".vd7p")).toStdString(), false))
        << data.ProjectPath.toStdString();
}

using Variation = std::function<void(TProgramData&, TProjectTables&)>;

class UnitConsistencyTest : public ProjectFileTest {
protected:
    // Opens an example project (a path below the examples folder).
    static TProjectRead Open(const char* name)
    {
        TProjectRead read = TProgramData::CreateFromFile(QString::fromLatin1(VELDO_EXAMPLES_DIR) + "/" + name, 1);
        EXPECT_TRUE(read.Complete()) << read.error.toStdString();
        return read;
    }

    // Saves and runs one unit system of the project; returns its plot-data file.
    PlotFile SaveAndRun(TProjectRead& project, const std::string& name)
    {
        std::string base = name;
        std::replace_if(
            base.begin(), base.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
        const char* suffix = project.data.UnitSystem == UnitSystem::English ? "_en.vd7d" : "_si.vd7d";
        project.data.ProjectPath = Path(QString::fromStdString(base + suffix));
        project.data.SaveToFile(*project.tables);
        const std::string text = RunSaved(project.data);
        ExpectProgramReads(project.data, *project.tables);
        try {
            return ParsePlotFile(text);
        } catch (const std::exception& e) {
            ADD_FAILURE() << name << ": " << e.what();
            return {};
        }
    }

    // Opens the example, applies the variation, saves and runs it, switches it to the
    // other unit system, saves and runs it again, and compares the two results; returns
    // the English and the SI plot-data files.
    std::pair<PlotFile, PlotFile> Check(const char* example, const std::string& name, const Variation& vary = {},
                                        bool layered = true)
    {
        SCOPED_TRACE(name);
        TProjectRead project = Open(example);
        if (!project.tables) {
            ADD_FAILURE() << "no tables for " << example;
            return {};
        }
        if (vary)
            vary(project.data, *project.tables);
        const int first = project.data.UnitSystem;
        const Allowances allow{BlockMethods(project.data), project.data.SelectedMethod, layered};
        const PlotFile a = SaveAndRun(project, name);
        project.data.SetUnits(first == UnitSystem::English ? UnitSystem::SI : UnitSystem::English, *project.tables);
        const PlotFile b = SaveAndRun(project, name);
        const auto files = first == UnitSystem::English ? std::pair{a, b} : std::pair{b, a};
        CompareFiles(name, files.first, files.second, allow);
        return files;
    }
};

constexpr const char* kPipe = "PipeSandClay_English.vd7d";
constexpr const char* kOffshore = "OffshoreCpt_SI.vd7d";
constexpr const char* kLarge = "large/Large40Layers_English.vd7d";

void TickAll(TProgramData& d)
{
    for (int m = 1; m <= 9; ++m)
        d.SetMethodTicked(m, true);
    d.OffshoreMethods = 1;
}

TEST_F(UnitConsistencyTest, ExampleProjects)
{
    // English pipe: FHWA, USACE, Revised Lambda and API RP-2A, 17 printed points, 12
    // t-z curves below the ground (4 layers), 3 extra t-z curves.
    const auto [pipeEn, pipeSi] = Check(kPipe, "English pipe example");
    EXPECT_EQ(pipeSi.series, 4);
    EXPECT_EQ(pipeSi.rows, 17);
    EXPECT_EQ(pipeSi.tz.size(), 12u);
    EXPECT_EQ(pipeSi.extraTz.size(), 3u);
    const auto [offshoreEn, offshoreSi] = Check(kOffshore, "SI offshore example");
    EXPECT_EQ(offshoreEn.series, 5);
    EXPECT_EQ(offshoreEn.selected, 7);
    Check(kLarge, "40-layer example");
}

// The English pipe in sand and clay, each of the classic methods selected for the
// load-settlement curves (USACE has its own t-z and tip curves).
TEST_F(UnitConsistencyTest, EnglishPipeVariations)
{
    for (int method = 1; method <= 4; ++method)
        Check(kPipe, "pipe, selected method " + std::to_string(method),
              [method](TProgramData& d, TProjectTables&) { d.SelectedMethod = method; });
    Check(kPipe, "pipe in tension", [](TProgramData& d, TProjectTables&) {
        d.Loading = 1;
        d.TensionFactor = 0.8L;
    });
    Check(kPipe, "closed-ended pipe", [](TProgramData& d, TProjectTables&) { d.ClosedEnded = true; });
    Check(kPipe, "closed-ended pipe in tension, USACE selected", [](TProgramData& d, TProjectTables&) {
        d.ClosedEnded = true;
        d.Loading = 1;
        d.SelectedMethod = 2;
    });
    // A 14 in square precast concrete pile: perimeter 56 in, tip area 196 in2.
    Check(kPipe, "noncircular concrete pile", [](TProgramData& d, TProjectTables&) {
        d.Circular = false;
        d.Perimeter = 56;
        d.TipArea = 196;
        d.PileType = 3;
        d.ClosedEnded = true;
        d.Modulus = 4000000;
    });
    // An HP 14 x 73 H-pile: perimeter 83.3 in, steel area 21.4 in2.
    Check(kPipe, "H-pile, every method ticked", [](TProgramData& d, TProjectTables&) {
        TickAll(d);
        d.Circular = false;
        d.PileType = 6;
        d.Perimeter = 83.3L;
        d.TipArea = 21.4L;
        d.ClosedEnded = true;
    });
    Check(kPipe, "pipe, every method ticked, offshore methods on",
          [](TProgramData& d, TProjectTables&) { TickAll(d); });
    Check(kPipe, "pipe, zero-friction length, end section, constant area", [](TProgramData& d, TProjectTables&) {
        d.ZeroFrictionLength = 6;
        d.EndSectionLength = 10;
        d.EndSectionInnerDiameter = 21;
        d.AreaMode = 1;
        d.ConstantArea = 70;
    });
    Check(kPipe, "pipe, area table", [](TProgramData& d, TProjectTables& tables) {
        d.AreaMode = 2;
        TGridTable& sections = tables.Sectionaldata();
        sections.SetRowCount(3);
        const double rows[3][2] = {{0, 73.4}, {50, 73.4}, {82, 60}};
        for (int r = 0; r < 3; ++r) {
            sections.Cell(0, r).SetFloat(rows[r][0]);
            sections.Cell(1, r).SetFloat(rows[r][1]);
        }
    });
    Check(kPipe, "pipe, critical depth at the stress limit",
          [](TProgramData& d, TProjectTables&) { d.CriticalDepthOption = 1; });
    Check(kPipe, "pipe, critical depth at 40 ft", [](TProgramData& d, TProjectTables&) {
        d.CriticalDepthOption = 2;
        d.UserCriticalDepth = 40;
    });
    Check(kPipe, "pipe, increment 0.5 ft, print step 3", [](TProgramData& d, TProjectTables&) {
        d.IncrementLength = 0.5L;
        d.PrintInterval = 3;
    });
    // Cone resistance in the layer data (psf) instead of a CPT profile.
    Check(kPipe, "pipe, layer cone resistance, every method ticked", [](TProgramData& d, TProjectTables& tables) {
        TickAll(d);
        for (int row = 0; row < tables.D().RowCount(); ++row) {
            TGridTable& p = *tables.LayerTable(row);
            const bool sand = tables.D().Cell(kLayerSoilType, row).AsInteger() == SoilType::Sand;
            for (int j = 0; j < 2; ++j)
                p.Cell(sand ? int{kSandQc} : int{kClayQc}, j)
                    .SetFloat(sand ? 180000 + 20000 * (row + j) : 25000 + 5000 * (row + j));
        }
    });
    // The clay layer from 15 to 45 ft replaced by silt (pcf, degrees, blows, -, psf).
    Check(kPipe, "pipe with a silt layer, every method ticked", [](TProgramData& d, TProjectTables& tables) {
        TickAll(d);
        tables.D().Cell(kLayerSoilType, 1).SetInteger(SoilType::Silt);
        TGridTable& silt = *tables.LayerTable(1);
        const double ends[2][5] = {{60, 28, 8, 1.0, 500}, {62, 29, 10, 1.0, 650}};
        for (int j = 0; j < 2; ++j)
            for (int c = 0; c < 5; ++c) {
                if (c == kSiltBlowCount)
                    silt.Cell(c, j).SetInteger(static_cast<int>(ends[j][c]));
                else
                    silt.Cell(c, j).SetFloat(ends[j][c]);
            }
    });
    Check(kPipe, "tapered timber pile", [](TProgramData& d, TProjectTables&) {
        d.PileType = 2;
        d.TaperAngle = 0.4L;
        d.OutsideDiameter = 14;
        d.InsideDiameter = 0;
        d.ClosedEnded = true;
        d.Modulus = 1600000;
    });
}

// The pipe in one layer reaching below its tip: the t-z nodes that the solver uses lie
// at the same depths in both unit systems, so the load-settlement agrees closely too.
void OneSandLayer(TProgramData&, TProjectTables& tables)
{
    tables.D().SetRowCount(1);
    tables.D().Cell(kLayerBottom, 0).SetFloat(120);
}

void OneClayLayer(TProgramData& d, TProjectTables& tables)
{
    OneSandLayer(d, tables);
    tables.D().Cell(kLayerSoilType, 0).SetInteger(SoilType::Clay);
    TGridTable& clay = *tables.LayerTable(0);
    // Unit weight, su, remolded su, PI, YSR, Qc, user values, adhesion method (psf, pcf).
    const double ends[2][9] = {{55, 800, 400, 25, 1.5, 0, 0, 0, 1}, {60, 2600, 1300, 30, 1.2, 0, 0, 0, 1}};
    for (int j = 0; j < 2; ++j)
        for (int c = 0; c < 9; ++c) {
            if (c == kClayAdhesion)
                clay.Cell(c, j).SetInteger(static_cast<int>(ends[j][c]));
            else
                clay.Cell(c, j).SetFloat(ends[j][c]);
        }
}

TEST_F(UnitConsistencyTest, EnglishPipeInOneLayer)
{
    for (int method = 1; method <= 4; ++method) {
        const auto select = [method](TProgramData& d) { d.SelectedMethod = method; };
        Check(
            kPipe, "pipe in one sand layer, selected method " + std::to_string(method),
            [&](TProgramData& d, TProjectTables& t) {
                OneSandLayer(d, t);
                select(d);
            },
            false);
        Check(
            kPipe, "pipe in one clay layer, selected method " + std::to_string(method),
            [&](TProgramData& d, TProjectTables& t) {
                OneClayLayer(d, t);
                select(d);
            },
            false);
    }
    Check(
        kPipe, "closed-ended pipe in tension in one clay layer",
        [](TProgramData& d, TProjectTables& t) {
            OneClayLayer(d, t);
            d.ClosedEnded = true;
            d.Loading = 1;
            d.TensionFactor = 0.7L;
        },
        false);
}

// The SI offshore pipe with its CPT profile.
TEST_F(UnitConsistencyTest, SiOffshoreVariations)
{
    Check(kOffshore, "offshore, every method ticked", [](TProgramData& d, TProjectTables&) { TickAll(d); });
    for (int method : {1, 2, 3, 4, 6, 8, 9})
        Check(kOffshore, "offshore, every method ticked, selected method " + std::to_string(method),
              [method](TProgramData& d, TProjectTables&) {
                  TickAll(d);
                  d.SelectedMethod = method;
              });
    // Depths in m below the ground; 70 m lies below the soil and writes no curve.
    const auto printed = Check(kOffshore, "offshore, t-z print depths", [](TProgramData& d, TProjectTables& tables) {
        d.PrintTzAtDepths = 1;
        TGridTable& tz = tables.TblTZDepth();
        tz.SetRowCount(4);
        const double depths[4] = {5, 15.5, 33, 70};
        for (int r = 0; r < 4; ++r)
            tz.Cell(0, r).SetFloat(depths[r]);
    });
    EXPECT_EQ(printed.first.extraTz.size(), 3u);
    Check(kOffshore, "offshore, end section and zero-friction length", [](TProgramData& d, TProjectTables&) {
        TickAll(d);
        d.EndSectionLength = 3;
        d.EndSectionInnerDiameter = 1400;
        d.ZeroFrictionLength = 2;
    });
    Check(kOffshore, "offshore, critical depth at the stress limit", [](TProgramData& d, TProjectTables&) {
        TickAll(d);
        d.CriticalDepthOption = 1;
    });
    Check(kOffshore, "offshore, critical depth at 20 m", [](TProgramData& d, TProjectTables&) {
        TickAll(d);
        d.CriticalDepthOption = 2;
        d.UserCriticalDepth = 20;
    });
    Check(kOffshore, "offshore in tension, drained clay", [](TProgramData& d, TProjectTables&) {
        d.Loading = 1;
        d.TensionFactor = 0.75L;
        d.ClayCondition = 1;
    });
    Check(kOffshore, "offshore closed-ended, plugged", [](TProgramData& d, TProjectTables&) {
        d.ClosedEnded = true;
        d.PlugCondition = 1;
    });
    Check(kOffshore, "offshore unplugged, reduced t-z friction", [](TProgramData& d, TProjectTables&) {
        d.PlugCondition = 2;
        d.TzFactors = 1;
    });
}

// The 40-layer project with the user method selected.
TEST_F(UnitConsistencyTest, LargeProjectUserMethod)
{
    Check(kLarge, "40 layers, user method selected", [](TProgramData& d, TProjectTables&) { d.SelectedMethod = 5; });
    Check(kLarge, "40 layers, user method selected, tension", [](TProgramData& d, TProjectTables&) {
        d.SelectedMethod = 5;
        d.Loading = 1;
        d.TensionFactor = 0.6L;
    });
}

// A depth on a point of the capacity table takes the interval below it also when the
// unit conversion leaves it a rounding step short. Table: depths 0, 1, 2, 3 m, skin
// friction 0, 10, 30, 60 kN, OD 1000 mm: at 1 m the centred slope (60 - 10) / 2 = 25 kN/m
// over the perimeter 3.1416 x 1 m = 7.9577 kPa, both at 1 m and at 1 m - 1e-12.
TEST(UnitSideResistance, DepthOnATablePointIsTakenTheSameWhateverItsRounding)
{
    auto state = std::make_unique<EngineState>();
    EngineState& S = *state;
    S.UNIT_SYSTEM = UnitSystem::SI;
    S.OD = 1000;
    S.LS_POINT_COUNT = 4;
    const double skin[4] = {0, 10, 30, 60};
    for (int r = 1; r <= 4; ++r) {
        S.LS_DEPTH[static_cast<std::size_t>(r)] = r - 1;
        S.LS_SKIN[static_cast<std::size_t>(r)] = skin[r - 1];
    }
    const double expected = 25 / kTzPi;
    EXPECT_NEAR(UNIT_SIDE_RESISTANCE(S, 1.0), expected, 1e-9);
    EXPECT_NEAR(UNIT_SIDE_RESISTANCE(S, 1.0 - 1e-12), expected, 1e-9);
    EXPECT_NEAR(UNIT_SIDE_RESISTANCE(S, 1.0 + 1e-12), expected, 1e-9);
}

// A maximum unit side friction of 9999 asks API RP-2A for its own limit table in either
// unit system (the engine looks for the number typed, 9999): it is a code, not a stress,
// and keeps its number through a unit switch; every other limit is converted.
TEST(UnitSwitch, ApiDefaultLimitCodeKeepsItsNumber)
{
    TProjectTables tables;
    TProgramData d = MakeLayeredProject(tables);
    tables.D().Cell(kLayerMaxSide, 0).SetFloat(9999);
    tables.D().Cell(kLayerMaxSide, 2).SetFloat(1500);
    d.SetUnits(UnitSystem::SI, tables);
    EXPECT_EQ(tables.D().Cell(kLayerMaxSide, 0).AsFloat(), 9999.0L);
    // 1500 psf x 0.04788026 = 71.82 kPa.
    EXPECT_NEAR(tables.D().Cell(kLayerMaxSide, 2).AsFloat(), 71.8204L, 1e-3L);
    d.SetUnits(UnitSystem::English, tables);
    EXPECT_EQ(tables.D().Cell(kLayerMaxSide, 0).AsFloat(), 9999.0L);
    EXPECT_NEAR(tables.D().Cell(kLayerMaxSide, 2).AsFloat(), 1500.0L, 1e-9L);
}

} // namespace
} // namespace veldo::test
