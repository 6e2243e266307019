// Reading a project file of generation 1 (".vd7d"), 2 (".vd6d") or 3 (".vdd") and the
// CPT file beside it, word by word, into a new project and new tables.
#include "DataUnit.h"
#include "MessageCatalogue.h"

#include "FilePaths.h"
#include "Messages.h"
#include "PltData.h"
#include "Table.h"
#include "WordRead.h"

#include <QStringDecoder>

#include <filesystem>
#include <functional>
#include <string>

namespace veldo {
namespace {

// A line of text as written by this program (UTF-8) or by an older one (Latin-1).
QString DecodeLine(const std::string& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (utf8.hasError())
        text = QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return text;
}

// A value that the reader cannot hold, refused like a malformed word: the message
// names the line and the item.
[[noreturn]] void Refuse(const TWordReader& in, const std::string& reason)
{
    throw EInOutError(MsgStd(TMsg::ErrorOnLine, QString::number(in.LineNumber()), QString::number(in.ItemNumber()),
                             QString::fromStdString(reason)));
}

int ReadCount(TWordReader& in, int maximum, const std::string& what)
{
    const int count = in.ReadInteger();
    if (count < 0 || count > maximum)
        Refuse(in, "The number of " + what + " must be from 0 to " + std::to_string(maximum) + ".");
    return count;
}

class TProjectFileReader {
public:
    TProjectFileReader(TWordReader& in, TProgramData& data, TProjectTables& tables, int generation)
        : in_(in), data_(data), tables_(tables), d_(tables.D()), generation_(generation)
    {
    }

    void Read()
    {
        ReadTitles();
        ReadPileRecords();
        ReadMethods();
        data_.DeepestDepth = in_.ReadFloat();
        data_.ConstantArea = in_.ReadFloat();
        for (int row = 0; row < d_.RowCount(); ++row)
            ReadLayer(row);
        ReadOptions();
    }

private:
    bool HasFactors() const { return generation_ <= 2; }

    void ReadTitles()
    {
        data_.Title = DecodeLine(in_.ReadLine());
        data_.Designer = DecodeLine(in_.ReadLine());
        data_.JobNumber = DecodeLine(in_.ReadLine());
    }

    void ReadPileRecords()
    {
        data_.SetUnits(in_.ReadInteger(), tables_);
        data_.PrintInterval = in_.ReadInteger();
        const int layerEnds = in_.ReadInteger();
        if (layerEnds < 0 || layerEnds > 2 * kMaxLayers || layerEnds % 2 != 0)
            Refuse(in_,
                   "The number of layer ends must be an even number from 0 to " + std::to_string(2 * kMaxLayers) + ".");
        data_.ClosedEnded = in_.WordsOnLine() >= 4 && in_.ReadInteger() == PileEnd::Closed;
        d_.SetRowCount(layerEnds / 2);

        data_.Perimeter = in_.ReadFloat();
        data_.Circular = data_.Perimeter == 0;
        data_.TipArea = in_.ReadFloat();
        data_.OutsideDiameter = in_.ReadFloat();
        data_.InsideDiameter = in_.ReadFloat();
        data_.Modulus = in_.ReadFloat();
        data_.TotalLength = in_.ReadFloat();
        if (HasFactors())
            data_.StickupLength = in_.ReadFloat();

        data_.EndSectionLength = in_.ReadFloat();
        data_.EndSectionInnerDiameter = in_.ReadFloat();
        data_.ZeroFrictionLength = in_.ReadFloat();
        data_.IncrementLength = in_.ReadFloat();
        data_.PileType = in_.ReadInteger();
        data_.TaperAngle = in_.ReadFloat();
        data_.SelectedMethod = in_.ReadInteger();
        in_.ReadInteger(); // offshore methods: always available
        if (HasFactors())
            data_.TzFactors = in_.ReadInteger();
    }

    void ReadMethods()
    {
        if (HasFactors()) {
            // Only 1 ticks a method, in the program as in the engine.
            for (int m = Method::First; m <= Method::Last; ++m)
                data_.SetMethodTicked(m, in_.ReadInteger() == Flag::On);
            return;
        }
        // The oldest layout holds no method flags and no CPT data: the four CPT
        // methods stay unticked.
        for (int m = Method::First; m <= Method::Last; ++m)
            data_.SetMethodTicked(m, m <= Method::ApiRp2a ||
                                         (m == Method::General && data_.SelectedMethod == Method::General));
    }

    // Soil type word of a line A; a change of type gives the layer a fresh property
    // table of the new layout.
    void ReadSoilType(int row)
    {
        const int type = in_.ReadInteger();
        if (type < SoilType::Sand || type > SoilType::Silt)
            Refuse(in_, "The soil type must be 1 (Sand), 2 (Clay) or 3 (Silt).");
        if (d_.Cell(kLayerSoilType, row).AsInteger() != type)
            d_.Cell(kLayerSoilType, row).SetInteger(type);
        TGridTable& p = *tables_.LayerTable(row);
        if (p.RowCount() < p.MinRows())
            p.SetRowCount(p.MinRows());
    }

    void ReadLayer(int row)
    {
        in_.ReadFloat(); // depth of the top: the bottom of the layer above
        ReadSoilType(row);
        for (int end = 0; end < 2; ++end) {
            if (end == 1) {
                d_.Cell(kLayerBottom, row).SetFloat(in_.ReadFloat());
                ReadSoilType(row);
            }
            TGridTable& p = *tables_.LayerTable(row);
            switch (d_.Cell(kLayerSoilType, row).AsInteger()) {
            case SoilType::Clay:
                ReadClayEnd(row, p, end);
                break;
            case SoilType::Silt:
                ReadSiltEnd(row, p, end);
                break;
            default:
                ReadSandEnd(row, p, end);
                break;
            }
        }
    }

    void Float(TGridTable& table, int column, int row) { table.Cell(column, row).SetFloat(in_.ReadFloat()); }
    void Integer(TGridTable& table, int column, int row) { table.Cell(column, row).SetInteger(in_.ReadInteger()); }
    void Skip(int words)
    {
        for (int k = 0; k < words; ++k)
            in_.ReadFloat();
    }

    void ReadLimits(int row)
    {
        Float(d_, kLayerMaxSide, row);
        Float(d_, kLayerMaxEnd, row);
    }

    // B10 and B11; a file without them gives factors of 1.
    void ReadFactors(int row, bool inFile)
    {
        if (inFile) {
            Float(d_, kLayerSideFactor, row);
            Float(d_, kLayerEndFactor, row);
        } else {
            d_.Cell(kLayerSideFactor, row).SetFloat(1.0L);
            d_.Cell(kLayerEndFactor, row).SetFloat(1.0L);
        }
    }

    void SkipAdhesion()
    {
        if (generation_ == 1)
            Skip(1);
    }

    void ReadSandEnd(int row, TGridTable& p, int j)
    {
        Float(p, kSandKo, j);
        Float(p, kSandUnitWeight, j);
        Float(p, kSandFriction, j);
        Float(p, kSandNq, j);
        ReadLimits(row);
        Skip(1);
        Integer(p, kSandBlowCount, j);
        Skip(2);
        Float(p, kSandQc, j);
        Float(p, kSandUserSkin, j);
        Float(p, kSandUserBearing, j);
        ReadFactors(row, HasFactors());
        SkipAdhesion();
    }

    void ReadClayEnd(int row, TGridTable& p, int j)
    {
        Skip(1);
        Float(p, kClayUnitWeight, j);
        Skip(2);
        ReadLimits(row);
        Float(p, kClayUndrained, j);
        Float(p, kClayRemolded, j);
        Float(p, kClayYsr, j);
        Float(p, kClayPI, j);
        Float(p, kClayQc, j);
        Float(p, kClayUserSkin, j);
        Float(p, kClayUserBearing, j);
        ReadFactors(row, HasFactors());
        p.Cell(kClayAdhesion, j).SetInteger(0);
        if (generation_ == 1)
            Integer(p, kClayAdhesion, j);
    }

    void ReadSiltEnd(int row, TGridTable& p, int j)
    {
        Float(p, kSiltKo, j);
        Float(p, kSiltUnitWeight, j);
        Float(p, kSiltFriction, j);
        Skip(1);
        ReadLimits(row);
        Float(p, kSiltUndrained, j);
        Integer(p, kSiltBlowCount, j);
        Skip(5);
        ReadFactors(row, true);
        SkipAdhesion();
    }

    void ReadOptions()
    {
        data_.PrintTzAtDepths = in_.ReadInteger();
        if (data_.PrintTzAtDepths == Flag::On) {
            TGridTable& tz = tables_.TblTZDepth();
            tz.SetRowCount(ReadCount(in_, kMaxTzDepths, "t-z depths"));
            for (int r = 0; r < tz.RowCount(); ++r)
                Float(tz, 0, r);
        }
        data_.Loading = in_.ReadInteger();
        data_.TensionFactor = in_.ReadFloat();
        data_.ClayCondition = in_.ReadInteger();
        data_.PlugCondition = in_.ReadInteger();
        ReadSections();
        if (HasFactors()) {
            data_.CriticalDepthOption = in_.ReadInteger();
            data_.UserCriticalDepth = in_.ReadFloat();
        }
    }

    void ReadSections()
    {
        TGridTable& sections = tables_.Sectionaldata();
        sections.SetRowCount(ReadCount(in_, kMaxSectionRows, "cross-section rows"));
        if (in_.WordsOnLine() < 2)
            data_.AreaMode = sections.RowCount() >= 2
                                 ? AreaMode::Table
                                 : (data_.ConstantArea != 0 ? AreaMode::Constant : AreaMode::FromSection);
        else
            data_.AreaMode = in_.ReadInteger();
        if (sections.RowCount() > 1)
            for (int r = 0; r < sections.RowCount(); ++r) {
                Float(sections, 0, r);
                Float(sections, 1, r);
            }
    }

    TWordReader& in_;
    TProgramData& data_;
    TProjectTables& tables_;
    TGridTable& d_;
    int generation_;
};

void ReadCptPoints(const std::filesystem::path& path, TProgramData& data, TProjectTables& tables)
{
    TWordReader in(path);
    in.ReadInteger(); // unit system: the values are in the project's
    const int count = ReadCount(in, kMaxCptPoints, "CPT points");
    TGraphPlot& plot = tables.MotionInput();
    SetCptProfile(plot, {}, data.UnitSystem); // the points follow one by one
    // English profiles are written in psf and kept in ksf.
    const long double cone = data.UnitSystem == UnitSystem::English ? 1000.0L : 1.0L;
    TLine& curve = plot.Curve(0);
    for (int j = 0; j < count; ++j) {
        TFloatPoint point;
        point.Y = in.ReadFloat();
        point.X = in.ReadFloat() / cone;
        curve.Points.push_back(point);
        data.Integers[kCptPointCountEntry] = j + 1;
    }
}

// The CPT profile beside the project file; none when there is no such file. Its
// messages start with the CPT file's path: their line numbers are not the project's.
void ReadCptFile(TProgramData& data, TProjectTables& tables)
{
    data.Integers[kCptPointCountEntry] = 0;
    const std::filesystem::path path = FileSystemPath(ReplaceExtension(data.ProjectPath, QStringLiteral(".cpt")));
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        return;
    try {
        ReadCptPoints(path, data, tables);
    } catch (const EFileTooLarge&) {
        throw; // names the file already
    } catch (const EInOutError& e) {
        throw EInOutError(PathText(path).toStdString() + "\r" + e.what());
    }
}

// A project read from the words `open` gives, the file at `path`.
TProjectRead ReadProject(const QString& path, int generation, const std::function<TWordReader()>& open)
{
    TProjectRead result{TProgramData(), std::make_unique<TProjectTables>(), QString()};
    TProgramData& data = result.data;
    TProjectTables& tables = *result.tables;
    data = TProgramData::CreateDefault(tables);
    data.ProjectPath = path;
    tables.EmptyAll();
    const auto read = [&](auto&& step) {
        try {
            step();
        } catch (const EInOutError& e) {
            if (result.error.isEmpty())
                result.error = QString::fromStdString(e.what());
        }
    };
    read([&] {
        TWordReader in = open();
        TProjectFileReader(in, data, tables, generation).Read();
    });
    read([&] { ReadCptFile(data, tables); });
    if (!result.Complete()) {
        Messages().Information(result.error);
        data.ProjectPath.clear();
    }
    tables.GiveMinimumRows();
    tables.ResetChanged();
    return result;
}

} // namespace

TProjectRead TProgramData::CreateFromFile(const QString& path, int generation)
{
    return ReadProject(path, generation, [&path] { return TWordReader(FileSystemPath(path)); });
}

TProjectRead TProgramData::CreateFromFile(TWordReader in, const QString& path, int generation)
{
    return ReadProject(path, generation, [&in] { return std::move(in); });
}

} // namespace veldo
