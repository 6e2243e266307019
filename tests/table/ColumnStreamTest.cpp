// The column stream: round trips through tables and the form description, the exact
// stream of a one-column depth table, older layouts and every error text.
#include "ColumnTypes.h"
#include "TableErrors.h"
#include "TableTestSupport.h"

#include <gtest/gtest.h>

#include <QFile>

namespace veldo::test {
namespace {

// Expects ReadColumns of the stream to fail with exactly this message.
void ExpectStreamError(const char* json, const char* message)
{
    TGridTable table;
    try {
        ReadInto(table, json);
        ADD_FAILURE() << "no error for " << json;
    } catch (const ETableError& e) {
        EXPECT_EQ(Text(e), QString::fromUtf8(message)) << json;
    }
}

TEST(ColumnStream, DepthTableStreamIsOneFloatColumn)
{
    TTestForm form;
    TColumnStreamWriter writer;
    form.depths.WriteColumns(writer);
    EXPECT_EQ(CompactJson(writer.Values()), QByteArray(R"([1,2,["Depth below the ground","surface"],true,false,false,)"
                                                       R"("FLOATCOLUMN2","L2",{"Float":"0"}])"));
}

TEST(ColumnStream, TablesRoundTripThroughTheirStreams)
{
    TTestForm form;
    for (TGridTable* table : {&form.gravel, &form.peat, &form.strata, &form.depths}) {
        TColumnStreamWriter first;
        table->WriteColumns(first);
        TGridTable copy;
        TColumnStreamReader reader(first.Values());
        copy.ReadColumns(reader);
        EXPECT_TRUE(reader.AtEnd());
        TColumnStreamWriter second;
        copy.WriteColumns(second);
        EXPECT_EQ(CompactJson(first.Values()), CompactJson(second.Values()));
    }
}

TEST(ColumnStream, FormDescriptionRoundTripsThroughItsWriter)
{
    TTestForm form;
    TFormDescription described;
    described.form = QStringLiteral("TestLayersForm");
    described.tables = {DescribeTable(QStringLiteral("tblGravel"), form.gravel),
                        DescribeTable(QStringLiteral("tblPeat"), form.peat),
                        DescribeTable(QStringLiteral("tblStrata"), form.strata),
                        DescribeTable(QStringLiteral("tblPrintDepths"), form.depths)};
    const TFormDescription reread = ParseFormDescription(WriteFormDescription(described));
    const TFormDescription original = LoadFormDescription(kTestFormResource);
    ASSERT_EQ(reread.tables.size(), original.tables.size());
    EXPECT_EQ(reread.form, original.form);
    for (std::size_t i = 0; i < original.tables.size(); ++i) {
        const TTableDefinition& a = original.tables[i];
        const TTableDefinition& b = reread.tables[i];
        EXPECT_EQ(a.name, b.name);
        EXPECT_EQ(a.identifier, b.identifier);
        EXPECT_EQ(a.caption, b.caption);
        EXPECT_EQ(a.comments, b.comments);
        EXPECT_EQ(a.topLeft, b.topLeft);
        EXPECT_EQ(a.minRows, b.minRows);
        EXPECT_EQ(a.maxRows, b.maxRows);
        EXPECT_EQ(a.rowGroup, b.rowGroup);
        EXPECT_EQ(CompactJson(a.columns), CompactJson(b.columns)) << a.name.toStdString();
    }
}

TEST(ColumnStream, FormPropertiesAreApplied)
{
    TTestForm form;
    EXPECT_EQ(form.strata.Identifier(), 510);
    EXPECT_EQ(form.strata.Caption, QStringLiteral("Strata"));
    EXPECT_EQ(form.strata.TopLeft, QStringLiteral("Stratum"));
    EXPECT_EQ(form.strata.MaxRows(), 40);
    EXPECT_EQ(form.gravel.Comments, QStringLiteral("Values at the top and the bottom of the layer"));
    ASSERT_EQ(form.strata.ColumnCount(), 3);
    auto& material = dynamic_cast<TEnumColumn&>(form.strata.Column(0));
    EXPECT_EQ(material.items, (QStringList{"gravel", "peat"}));
    auto& depth = dynamic_cast<TFloatColumn&>(form.strata.Column(1));
    EXPECT_EQ(depth.unitTemplate, QStringLiteral("L2"));
    auto& nested = dynamic_cast<TTableColumn&>(form.strata.Column(2));
    ASSERT_EQ(nested.tables.Count(), 2);
    EXPECT_EQ(nested.tables.Table(0), &form.gravel);
    EXPECT_EQ(nested.tables.Table(1), &form.peat);
    auto& blows = dynamic_cast<TIntColumn&>(form.peat.Column(2));
    EXPECT_EQ(blows.maximum, 100);
}

TEST(ColumnStream, OlderLayoutsAreAccepted)
{
    // A float column without the FLOATCOLUMN2 mark: the string is the template, default 0.
    TGridTable floats;
    ReadInto(floats, R"([1, 2, ["Load"], true, false, false, "F1"])");
    auto& load = dynamic_cast<TFloatColumn&>(floats.Column(0));
    EXPECT_EQ(load.unitTemplate, QStringLiteral("F1"));
    EXPECT_EQ(load.defaultValue, 0.0L);

    // A table column without FLEXCOLUMN2: one Identifier for every item of the selector.
    TGridTable nested;
    ReadInto(nested, R"([2, 0, ["Kind"], true, false, ["a", "b", "c"],
                         3, ["Data"], true, false, 77])");
    auto& column = dynamic_cast<TTableColumn&>(nested.Column(1));
    TColumnStreamWriter writer;
    TGridTable model;
    model.SetIdentifier(77);
    column.WriteData(writer);
    EXPECT_EQ(CompactJson(writer.Values()), QByteArray(R"([["Data"],true,false,"FLEXCOLUMN2",[77,77,77]])"));

    // As first column there is no selector: the Identifier is used once.
    TGridTable alone;
    ReadInto(alone, R"([1, 3, ["Data"], true, false, 77])");
    EXPECT_EQ(dynamic_cast<TTableColumn&>(alone.Column(0)).tables.Count(), 1);
}

TEST(ColumnStream, MissingTablesAreWrittenAsMinusOne)
{
    TGridTable nested;
    ReadInto(nested, R"([2, 0, ["Kind"], true, false, ["a", "b"],
                         3, ["Data"], true, false, "FLEXCOLUMN2", [9999]])");
    // The list was resized to the two items; the second entry holds no table.
    TColumnStreamWriter writer;
    nested.Column(1).WriteData(writer);
    EXPECT_EQ(CompactJson(writer.Values()), QByteArray(R"([["Data"],true,false,"FLEXCOLUMN2",[-1,-1]])"));
}

TEST(ColumnStream, ErrorTexts)
{
    ExpectStreamError(R"(["three"])", "Error reading column count");
    ExpectStreamError(R"([])", "Error reading column count");
    ExpectStreamError(R"([1, 7, ["X"], true, false])",
                      "Error occured when creating column 0: Error Column Class not defined");
    ExpectStreamError(R"([2, 1, ["N"], true, false, 0, 0, 9, 2, ["F"], true])",
                      "Error occured when creating column 1: Stream read error");
    ExpectStreamError(R"([1, 1, ["N"], true, false, "zero", 0, 9])",
                      "Error occured when creating column 0: Invalid property value");
    ExpectStreamError(R"([1, 4, "not a list", true, false, "", {"Float": "1"}])",
                      "Error occured when creating column 0: Invalid property value");
}

TEST(ColumnStream, TopDepthColumnNeedsAFloatColumnAfterIt)
{
    TGridTable table;
    table.SetRowCount(2);
    try {
        ReadInto(table, R"([2, 2, ["Top"], true, false, true, "FLOATCOLUMN2", "L2", {"Float": "0"},
                            1, ["N"], true, false, 0, 0, 9])");
        ADD_FAILURE() << "top depth accepted without a float column after it";
    } catch (const ETableError& e) {
        EXPECT_EQ(Text(e), QStringLiteral("Error occured when creating column 0: If column if a "
                                          "topdepth then the next column must be a float column"));
    }
}

TEST(ColumnStream, MalformedDescriptionsAreRefused)
{
    const auto message = [](const char* json) {
        try {
            ParseFormDescription(QByteArray(json));
        } catch (const ETableError& e) {
            return Text(e);
        }
        return QString();
    };
    EXPECT_EQ(message(R"({"Form": "F"})"), QStringLiteral("Form description is not valid: no Tables array"));
    EXPECT_EQ(message(R"({"Tables": [{"Name": "t", "Col": [1, 2.5]}]})"),
              QStringLiteral("Form description is not valid: t: Invalid column stream value"));
    EXPECT_EQ(message(R"({"Tables": [{"Name": "t"}]})"),
              QStringLiteral("Form description is not valid: t has no Col array"));
    EXPECT_TRUE(message("{").startsWith(QStringLiteral("Form description is not valid: ")));

    TGridTable table;
    try {
        LoadFormTables(kTestFormResource, {{QStringLiteral("tblMissing"), &table}});
        ADD_FAILURE();
    } catch (const ETableError& e) {
        EXPECT_EQ(Text(e), QStringLiteral("Table tblMissing is not described in form TestLayersForm"));
    }
    EXPECT_THROW(LoadFormDescription(QStringLiteral(":/forms/NoSuchForm.json")), ETableError);
}

TEST(ColumnStream, FloatValuesKeepTheirDigitsInJson)
{
    TColumnStreamWriter writer;
    writer.WriteFloat(0.1L);
    writer.WriteFloat(-2.5e-7L);
    writer.WriteInteger(-3);
    const TStreamValues back = StreamFromJson(StreamToJson(writer.Values()));
    ASSERT_EQ(back.size(), 3U);
    EXPECT_NEAR(static_cast<double>(back[0].real), 0.1, 1e-17);
    EXPECT_EQ(back[1].real, -2.5e-7L);
    EXPECT_EQ(back[2].integer, -3);
}

} // namespace
} // namespace veldo::test
