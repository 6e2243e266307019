// Grid tables without a window: identifiers, rows and row groups, typed cells and their
// messages, group-wide and top-depth columns, unit switching, nested tables and the
// grid-table list.
#include "ColumnTypes.h"
#include "GridTableList.h"
#include "MiscMath.h"
#include "TableErrors.h"
#include "TableTestSupport.h"
#include "UnitTemplate.h"

#include <gtest/gtest.h>

#include <cmath>

namespace veldo::test {
namespace {

QString SetTextError(TColumn& column, int row, const QString& text)
{
    try {
        column.SetText(row, text);
    } catch (const EAssignError& e) {
        return Text(e);
    }
    return {};
}

std::unique_ptr<TFloatColumn> FloatColumn(const QString& unitTemplate, long double initial = 0)
{
    auto column = std::make_unique<TFloatColumn>();
    column->headings = QStringList{QStringLiteral("Value")};
    column->unitTemplate = unitTemplate;
    column->defaultValue = initial;
    return column;
}

TEST(GridTable, IdentifiersStayUnique)
{
    TGridTable a;
    TGridTable b;
    EXPECT_NE(a.Identifier(), b.Identifier());
    const int aOld = a.Identifier();
    a.SetIdentifier(b.Identifier()); // the holder takes the setter's previous value
    EXPECT_EQ(b.Identifier(), aOld);
    a.SetIdentifier(-4); // ignored
    EXPECT_NE(a.Identifier(), -4);
    // The counter skips values that tables already hold.
    TGridTable c;
    c.SetIdentifier(c.Identifier() + 1);
    TGridTable d;
    EXPECT_NE(d.Identifier(), c.Identifier());
    for (TGridTable* t : {&a, &b, &c})
        EXPECT_NE(d.Identifier(), t->Identifier());
}

TEST(GridTable, RowCountAndMinRows)
{
    TGridTable table;
    table.SetRowGroup(2);
    table.AddColumn(FloatColumn(QString(), 7.5L));
    auto ints = std::make_unique<TIntColumn>();
    ints->defaultValue = 4;
    table.AddColumn(std::move(ints));
    table.SetRowCount(3); // exactly 3 cells per column even with row groups of 2
    EXPECT_EQ(table.RowCount(), 3);
    EXPECT_EQ(table.Column(0).CellCount(), 3);
    EXPECT_EQ(table.Column(1).CellCount(), 3);
    EXPECT_EQ(table.Cell(0, 2).AsFloat(), 7.5L);
    EXPECT_EQ(table.Cell(1, 2).AsInteger(), 4);
    table.SetRowCount(-5);
    EXPECT_EQ(table.RowCount(), 0);
    EXPECT_EQ(table.Column(1).CellCount(), 0);

    try {
        table.SetMinRows(0);
        ADD_FAILURE();
    } catch (const ETableError& e) {
        EXPECT_EQ(Text(e), QStringLiteral("Value must be greater than 0"));
    }
    EXPECT_EQ(table.MinRows(), 1);
    table.SetRowGroup(0);
    EXPECT_EQ(table.RowGroup(), 1);
}

TEST(GridTable, RowGroups)
{
    TGridTable table;
    table.SetRowGroup(2);
    table.AddColumn(FloatColumn(QString()));
    table.SetRowCount(4);
    for (int r = 0; r < 4; ++r)
        table.Cell(0, r).SetFloat(r + 1); // 1 2 | 3 4
    table.AppendRowGroup();               // 1 2 | 3 4 | 0 0
    EXPECT_EQ(table.RowCount(), 6);
    table.InsertRowGroup(3);        // before the group of row 3 (rows 2, 3)
    ASSERT_EQ(table.RowCount(), 8); // 1 2 | 0 0 | 3 4 | 0 0
    EXPECT_EQ(table.Cell(0, 2).AsFloat(), 0.0L);
    EXPECT_EQ(table.Cell(0, 4).AsFloat(), 3.0L);
    table.DeleteRowGroup(1);        // removes rows 0 and 1
    ASSERT_EQ(table.RowCount(), 6); // 0 0 | 3 4 | 0 0
    EXPECT_EQ(table.Cell(0, 2).AsFloat(), 3.0L);
    EXPECT_EQ(table.Cell(0, 3).AsFloat(), 4.0L);
    // A row outside the table deletes nothing: the list's index error.
    for (int row : {-1, -2, 6}) {
        try {
            table.DeleteRowGroup(row);
            ADD_FAILURE() << row;
        } catch (const EListError& e) {
            EXPECT_EQ(e.what(), "List index out of bounds (" + std::to_string(row) + ")");
        }
    }
    EXPECT_EQ(table.RowCount(), 6);
    EXPECT_EQ(table.Cell(0, 0).AsFloat(), 0.0L);
}

TEST(GridTable, TypedAccessAndMessages)
{
    TGridTable table;
    auto choice = std::make_unique<TEnumColumn>();
    choice->items = QStringList{"a", "b"};
    table.AddColumn(std::move(choice));
    auto ints = std::make_unique<TIntColumn>();
    ints->minimum = 0;
    ints->maximum = 100;
    table.AddColumn(std::move(ints));
    table.AddColumn(FloatColumn(QStringLiteral("L2")));
    table.AddColumn(std::make_unique<TStringColumn>());
    table.SetRowCount(1);

    EXPECT_EQ(table.Cell(0, 0).AsInteger(), 1); // new enum rows start at 1
    try {
        table.Cell(0, 0).AsFloat();
        ADD_FAILURE();
    } catch (const EInvalidCast& e) {
        EXPECT_EQ(Text(e), QStringLiteral("Data of wrong type"));
    }
    EXPECT_THROW(table.Cell(2, 0).AsInteger(), EInvalidCast);
    EXPECT_THROW(table.Cell(3, 0).SetFloat(1), EInvalidCast);
    EXPECT_THROW(table.Cell(1, 0).AsTable(), EInvalidCast);

    EXPECT_EQ(SetTextError(table.Column(0), 0, "2.5"), QStringLiteral("Value must be an integer."));
    EXPECT_EQ(SetTextError(table.Column(0), 0, "1+1"), QString());
    EXPECT_EQ(table.Cell(0, 0).AsInteger(), 2);

    // Without an editor window the integer column keeps to the 32-bit range only.
    EXPECT_EQ(SetTextError(table.Column(1), 0, "101"), QString());
    EXPECT_EQ(table.Cell(1, 0).AsInteger(), 101);
    EXPECT_EQ(SetTextError(table.Column(1), 0, "3E9"),
              QStringLiteral("Entry must be between -2147483648 and 2147483647."));
    EXPECT_EQ(table.Cell(1, 0).AsInteger(), 101);

    EXPECT_EQ(SetTextError(table.Column(2), 0, ""), QStringLiteral("Entry cannot be blank."));
    EXPECT_TRUE(SetTextError(table.Column(2), 0, "2*x").startsWith(QStringLiteral("Entry could not be evaluated:\r")));
    EXPECT_EQ(SetTextError(table.Column(2), 0, "2*(3+4)"), QString());
    EXPECT_EQ(table.Cell(2, 0).AsFloat(), 14.0L);
    table.Cell(3, 0).SetText(QStringLiteral("free text"));
    EXPECT_EQ(table.Cell(3, 0).AsText(), QStringLiteral("free text"));
}

TEST(GridTable, FloatCellsKeepFullPrecisionAndShowEightDigits)
{
    TGridTable table;
    table.AddColumn(FloatColumn(QString()));
    table.SetRowCount(1);
    table.Cell(0, 0).SetFloat(1.23456789012345L);
    EXPECT_EQ(table.Cell(0, 0).AsText(), QStringLiteral("1.2345679"));
    EXPECT_EQ(table.Cell(0, 0).AsFloat(), 1.23456789012345L);
}

TEST(GridTable, GroupWideValuesFillTheirRowGroup)
{
    TGridTable table;
    table.SetRowGroup(2);
    auto column = FloatColumn(QString());
    column->groupWide = true;
    table.AddColumn(std::move(column));
    table.SetRowCount(4);
    table.Cell(0, 3).SetFloat(9); // row 3 is in the group of rows 2 and 3
    EXPECT_EQ(table.Cell(0, 1).AsFloat(), 0.0L);
    EXPECT_EQ(table.Cell(0, 2).AsFloat(), 9.0L);
    EXPECT_EQ(table.Cell(0, 3).AsFloat(), 9.0L);
}

TEST(GridTable, TopDepthColumnFollowsTheBottomOfTheRowAbove)
{
    TGridTable table;
    auto top = FloatColumn(QStringLiteral("L2"));
    top->topDepth = true;
    table.AddColumn(std::move(top));
    table.AddColumn(FloatColumn(QStringLiteral("L2")));
    table.SetRowCount(2);
    table.Cell(1, 0).SetFloat(10); // bottom of row 0 is the top of row 1
    EXPECT_EQ(table.Cell(0, 1).AsFloat(), 10.0L);
    table.Cell(0, 1).SetFloat(12); // top of row 1 is the bottom of row 0
    EXPECT_EQ(table.Cell(1, 0).AsFloat(), 12.0L);
    table.Cell(1, 1).SetFloat(20);
    table.SetRowCount(3); // a new row starts at the bottom of the row above
    EXPECT_EQ(table.Cell(0, 2).AsFloat(), 20.0L);
}

TEST(GridTable, UnitTemplatesExpandAndConvert)
{
    EXPECT_EQ(ExpandUnitTemplate(QStringLiteral("F1/L2^2"), UnitSystem::English), QStringLiteral("kips/ft^2"));
    EXPECT_EQ(ExpandUnitTemplate(QStringLiteral("F1/L2^2"), UnitSystem::SI), QStringLiteral("kN/m^2"));
    EXPECT_EQ(ExpandUnitTemplate(QStringLiteral("F/L2^3"), UnitSystem::English), QStringLiteral("lbs/ft^3"));
    EXPECT_EQ(ExpandUnitTemplate(QStringLiteral("F4 L1 L3 F6"), UnitSystem::SI), QStringLiteral("Mg mm rad Mg"));
    EXPECT_EQ(ExpandUnitTemplate(QStringLiteral("F1/L2^2"), kRawUnits), QStringLiteral("F1/L2^2"));

    // 1 ksf in kPa: 1 / (0.2248089431 kips/kN / 3.28083989501^2 ft^2/m^2) = 47.880259
    EXPECT_NEAR(static_cast<double>(UnitSwitchMultiplier("F1/L2^2", 1, 2)), 47.880259, 1e-5);
    // 1 pcf in kN/m3: 3.28083989501^3 / 224.8089431 = 0.15708746
    EXPECT_NEAR(static_cast<double>(UnitSwitchMultiplier("F/L2^3", 1, 2)), 0.15708746, 1e-8);
    // The one force factor: 224.8089431 lbs per kN, 1000 and 2000 times less in kips and tons.
    EXPECT_EQ(UnitSwitchMultiplier("F", 2, 1), 224.8089431L);
    EXPECT_EQ(UnitSwitchMultiplier("F1", 2, 1), 224.8089431L / 1000);
    EXPECT_EQ(UnitSwitchMultiplier("F2", 2, 1), 224.8089431L / 2000);
    // Powers without a digit: 1 in^2 = 0.0254^2 m^2 = 6.4516E-4 m^2
    EXPECT_NEAR(static_cast<double>(UnitSwitchMultiplier("L^2", 1, 2)), 6.4516e-4, 1e-12);
    // 1 kip = 4.4482216 kN, 1 ft = 0.3048 m, no change for system 3
    EXPECT_NEAR(static_cast<double>(UnitSwitchMultiplier("F1", 1, 2)), 4.4482216, 1e-6);
    EXPECT_NEAR(static_cast<double>(UnitSwitchMultiplier("L2", 2, 1)), 3.2808399, 1e-6);
    EXPECT_EQ(UnitSwitchMultiplier("L2", 1, 3), 1.0L);
}

TEST(GridTable, UnitSwitchEnglishToSIAndBackRestoresTheNumbers)
{
    TGridTable table;
    const QStringList templates{"L2", "F1/L2^2", "F/L2^3", "L^2", "F2", "F4/L1", "F6^2", "L3", ""};
    for (const QString& t : templates)
        table.AddColumn(FloatColumn(t));
    table.SetRowCount(2);
    for (int c = 0; c < table.ColumnCount(); ++c)
        for (int r = 0; r < 2; ++r)
            table.Cell(c, r).SetFloat(123.456L * (c + 1) + r * 0.001L);
    table.SetUnits(UnitSystem::SI);
    EXPECT_NEAR(static_cast<double>(table.Cell(0, 0).AsFloat()), 123.456 * 0.3048, 1e-9);
    // A unit system outside 1 to 3 is refused and changes nothing.
    for (int units : {0, 4, -1}) {
        try {
            table.SetUnits(units);
            ADD_FAILURE() << units;
        } catch (const ERangeError& e) {
            EXPECT_STREQ(e.what(), "Range check error");
        }
    }
    EXPECT_EQ(table.Units(), UnitSystem::SI);
    EXPECT_NEAR(static_cast<double>(table.Cell(0, 0).AsFloat()), 123.456 * 0.3048, 1e-9);
    table.SetUnits(UnitSystem::English);
    for (int c = 0; c < table.ColumnCount(); ++c)
        for (int r = 0; r < 2; ++r) {
            const long double expected = 123.456L * (c + 1) + r * 0.001L;
            EXPECT_LE(std::fabs(table.Cell(c, r).AsFloat() - expected) / expected, 1e-12L)
                << templates[c].toStdString();
        }
}

TEST(GridTable, FloatHeadingsShowTheirUnits)
{
    TTestForm form;
    auto& depth = form.strata.Column(1);
    EXPECT_EQ(depth.GetHeading(0), QStringLiteral("Depth at Bottom  (ft)  "));
    EXPECT_EQ(depth.GetHeading(1), QStringLiteral("of each Stratum (ft)  "));
    form.strata.SetUnits(UnitSystem::SI);
    EXPECT_EQ(depth.GetHeading(1), QStringLiteral("of each Stratum (m)  "));
    EXPECT_EQ(form.gravel.Column(1).GetHeading(0), QStringLiteral("Friction Angle"));
    EXPECT_EQ(form.strata.HeaderRows(), 2);
}

TEST(GridTable, NestedTablesFollowTheSelector)
{
    TTestForm form;
    form.strata.SetRowCount(2);
    TGridTable* first = form.strata.Cell(2, 0).AsTable();
    ASSERT_NE(first, nullptr);
    // A copy of the gravel table: its columns, MinRows rows, its defaults, title number 1.
    EXPECT_EQ(first->ColumnCount(), 2);
    EXPECT_EQ(first->RowCount(), 2);
    EXPECT_EQ(first->Cell(0, 1).AsFloat(), 120.0L);
    EXPECT_EQ(first->Caption, QStringLiteral("Gravel Properties"));
    EXPECT_EQ(first->WindowTitle(), QStringLiteral("Gravel Properties  1"));
    EXPECT_EQ(first->OwnerTable(), &form.strata);

    form.strata.Cell(0, 1).SetInteger(2); // row 2 becomes peat
    TGridTable* second = form.strata.Cell(2, 1).AsTable();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->Caption, QStringLiteral("Peat Properties"));
    EXPECT_EQ(second->ColumnCount(), 3);
    EXPECT_EQ(second->TitleNumber(), 2);

    // A selector outside the items gives no nested table and keeps its value.
    form.strata.Cell(0, 1).SetInteger(0);
    EXPECT_EQ(form.strata.Cell(2, 1).AsTable(), nullptr);
    EXPECT_EQ(form.strata.Cell(0, 1).AsInteger(), 0);
    form.strata.Cell(0, 1).SetInteger(4);
    EXPECT_EQ(form.strata.Cell(2, 1).AsTable(), nullptr);
    EXPECT_EQ(form.strata.Cell(0, 1).AsText(), QStringLiteral("4"));
}

TEST(GridTable, NestedTitlesAreRenumberedAfterRowChanges)
{
    TTestForm form;
    form.strata.SetRowCount(3);
    form.strata.InsertRowGroup(0);
    for (int r = 0; r < 4; ++r)
        EXPECT_EQ(form.strata.Cell(2, r).AsTable()->TitleNumber(), r + 1);
    form.strata.DeleteRowGroup(1);
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(form.strata.Cell(2, r).AsTable()->TitleNumber(), r + 1);
}

TEST(GridTable, NestedTablesFollowUnitsAndChangedFlags)
{
    TTestForm form;
    form.strata.SetRowCount(1);
    TGridTable* nested = form.strata.Cell(2, 0).AsTable();
    EXPECT_FALSE(form.strata.IsChanged());
    nested->SetChanged(true);
    EXPECT_TRUE(form.strata.IsChanged());
    form.strata.ResetChanged();
    EXPECT_FALSE(nested->IsChanged());

    // 120 pcf in kN/m3: 120 x 0.15708746 = 18.850495
    form.strata.SetUnits(UnitSystem::SI);
    EXPECT_EQ(nested->Units(), UnitSystem::SI);
    EXPECT_NEAR(static_cast<double>(nested->Cell(0, 0).AsFloat()), 18.850495, 1e-5);
}

// A selector table whose second entry names no table: OnInitRow supplies the row's
// object and the other events serve it; each fires once, at its moment, with the
// table, the forwarding column's index and the column's own arguments.
TEST(GridTable, ForwardingEventsServeTheRowsWithoutANestedTable)
{
    TGridTable model;
    model.AddColumn(FloatColumn(QStringLiteral("F/L2^3")));
    TGridTable owner;
    auto selector = std::make_unique<TEnumColumn>();
    selector->items = QStringList{"table", "object"};
    owner.AddColumn(std::move(selector));
    auto& nested = dynamic_cast<TTableColumn&>(owner.AddColumn(std::make_unique<TTableColumn>()));
    nested.tables.Delete(0);
    nested.tables.InsertIdentifier(0, model.Identifier()); // entries: model, none

    std::vector<std::string> log;
    auto entry = [&](const char* event, TGridTable& table, int column, int row, QObject* object) {
        EXPECT_EQ(&table, &owner);
        log.push_back(std::string(event) + " " + std::to_string(column) + " " + std::to_string(row) +
                      (object ? " " + object->objectName().toStdString() : std::string()));
    };
    int made = 0;
    bool changed = true;
    owner.OnInitRow = [&](TGridTable& t, int column, int row) {
        entry("InitRow", t, column, row, nullptr);
        auto object = std::make_unique<QObject>();
        object->setObjectName(QStringLiteral("object%1").arg(++made));
        return object;
    };
    owner.OnSetRow = [&](TGridTable& t, int c, int r, QObject* o) {
        entry("SetRow", t, c, r, o);
        EXPECT_EQ(t.Column(c).AsObject(r), o); // already held by the row
    };
    owner.OnGetChanged = [&](TGridTable& t, int c, int r, QObject* o) {
        entry("GetChanged", t, c, r, o);
        return changed;
    };
    owner.OnHide = [&](TGridTable& t, int c, int r, QObject* o) { entry("Hide", t, c, r, o); };
    owner.OnResetChanged = [&](TGridTable& t, int c, int r, QObject* o) { entry("ResetChanged", t, c, r, o); };
    owner.OnSetUnits = [&](TGridTable& t, int c, int r, QObject* o, int units) {
        entry("SetUnits", t, c, r, o);
        log.back() += " to " + std::to_string(units);
    };
    auto events = [&] { return std::exchange(log, {}); };
    using Log = std::vector<std::string>;

    owner.SetRowCount(2); // both rows select the model: nested tables, no event
    EXPECT_EQ(events(), Log{});
    ASSERT_NE(nested.AsTable(1), nullptr);
    EXPECT_EQ(nested.AsObject(1), nested.AsTable(1));

    owner.Cell(0, 1).SetInteger(2); // the entry names no table
    EXPECT_EQ(events(), (Log{"InitRow 1 1", "SetRow 1 1 object1"}));
    EXPECT_EQ(nested.AsTable(1), nullptr);
    QPointer<QObject> object = nested.AsObject(1);
    ASSERT_NE(object, nullptr);

    EXPECT_TRUE(owner.IsChanged());
    EXPECT_EQ(events(), Log{"GetChanged 1 1 object1"});
    owner.ResetChanged();
    EXPECT_EQ(events(), Log{"ResetChanged 1 1 object1"});
    owner.SetUnits(UnitSystem::SI);
    EXPECT_EQ(events(), Log{"SetUnits 1 1 object1 to 2"});
    EXPECT_EQ(nested.AsTable(0)->Units(), UnitSystem::SI);
    owner.Hide();
    EXPECT_EQ(events(), Log{"Hide 1 1 object1"});

    // A row inserted before it moves the object to row 2; appended rows select the
    // model again.
    owner.InsertRowGroup(0);
    owner.AppendRowGroup();
    EXPECT_EQ(events(), Log{});
    changed = false;
    EXPECT_FALSE(owner.IsChanged());
    EXPECT_EQ(events(), Log{"GetChanged 1 2 object1"});

    // The object goes with its row, and with a new selector value.
    owner.Cell(0, 3).SetInteger(2);
    EXPECT_EQ(events(), (Log{"InitRow 1 3", "SetRow 1 3 object2"}));
    owner.DeleteRowGroup(2);
    EXPECT_TRUE(object.isNull());
    object = nested.AsObject(2);
    owner.Cell(0, 2).SetInteger(1);
    EXPECT_TRUE(object.isNull());
    EXPECT_NE(nested.AsTable(2), nullptr);
    EXPECT_EQ(events(), Log{});

    // No object supplied: the row holds nothing and OnSetRow is not told.
    owner.OnInitRow = [&](TGridTable& t, int c, int r) {
        entry("InitRow", t, c, r, nullptr);
        return std::unique_ptr<QObject>();
    };
    owner.Cell(0, 0).SetInteger(2);
    EXPECT_EQ(events(), Log{"InitRow 1 0"});
    EXPECT_EQ(nested.AsObject(0), nullptr);
    // Unassigned events do nothing.
    owner.OnInitRow = nullptr;
    owner.Cell(0, 1).SetInteger(2);
    EXPECT_EQ(nested.AsObject(1), nullptr);
    EXPECT_FALSE(owner.IsChanged());
    EXPECT_EQ(events(), Log{});
}

TEST(GridTable, ATableWithoutVisibleColumnsOpensNoEditor)
{
    TGridTable table;
    auto column = FloatColumn(QString());
    column->visible = false;
    table.AddColumn(std::move(column));
    table.ShowEditor();
    EXPECT_FALSE(table.EditorOpen());
    try {
        table.VisibleColumn(0);
        ADD_FAILURE();
    } catch (const EListError& e) {
        EXPECT_EQ(Text(e), QStringLiteral("Index out of bounds"));
    }
}

TEST(GridTableList, EntriesAreResolvedAtEveryLookup)
{
    TGridTableList list;
    list.AddTable(nullptr);
    EXPECT_EQ(list.Table(0), nullptr);
    EXPECT_EQ(list.TableIndex(0), -1);

    TGridTable a;
    TGridTable b;
    list.AddIdentifier(a.Identifier());
    EXPECT_EQ(list.Table(1), &a);
    const int aId = a.Identifier();
    b.SetIdentifier(aId); // swap: the entry now finds b
    EXPECT_EQ(list.Table(1), &b);

    list.AddTable(&b); // a position entry
    const int position = IndexOfTable(&b);
    EXPECT_EQ(list.TableIndex(2), position);
    EXPECT_EQ(list.Table(2), TableAt(position));
    list.InsertIdentifier(0, b.Identifier());
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Table(0), &b);
    list.Delete(0);
    EXPECT_EQ(list.Table(0), nullptr);
    list.AddIndex(TableCount() + 5); // outside the table list
    EXPECT_EQ(list.Table(3), nullptr);
    EXPECT_THROW(list.Delete(9), EListError);
}

TEST(GridTableList, RegistryLookups)
{
    TGridTable table;
    EXPECT_EQ(TableIndexOfIdentifier(-1), -1);
    EXPECT_EQ(TableAt(TableIndexOfIdentifier(table.Identifier())), &table);
    EXPECT_EQ(TableAt(-1), nullptr);
    EXPECT_EQ(IndexOfTable(nullptr), -1);
    EXPECT_EQ(ColumnTypeCode(TStringColumn()), kStringColumnCode);
    EXPECT_EQ(ColumnTypeFactory(7), nullptr);
}

// At shut-down only the five classes may be registered; the registry fills again on its
// next use.
TEST(GridTableList, ShutDownRequiresEveryOtherColumnClassUnregistered)
{
    EXPECT_NO_THROW(ShutDownColumnTypes());
    EXPECT_NE(ColumnTypeFactory(kFloatColumnCode), nullptr);
    RegisterColumnType(7, typeid(TGridTable),
                       [](TColumnStreamReader&, TGridTable&) { return std::unique_ptr<TColumn>(); });
    try {
        ShutDownColumnTypes();
        FAIL() << "no error";
    } catch (const ETableError& e) {
        EXPECT_STREQ(e.what(), "Column Type list not empty");
    }
    EXPECT_EQ(ColumnTypeFactory(7), nullptr);
    EXPECT_EQ(ColumnTypeCode(TEnumColumn()), kEnumColumnCode);
}

} // namespace
} // namespace veldo::test
