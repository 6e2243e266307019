// Grid tables: a non-visual table of typed columns and rows (TGridTable), the base of
// its columns (TColumn), the cell handle (TData), the global table list with its
// Identifiers, and the registry of column classes used by the column stream.
#pragma once

#include "UnitWords.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <typeindex>
#include <vector>

class QFontMetrics;
class QWidget;

namespace veldo {

class TColumnStreamReader;
class TColumnStreamWriter;
class TGridTable;
class TTableForm;

// Base of the five column classes: definition (headings, flags) and the cells of every
// row. Typed accessors that a class does not serve raise EInvalidCast "Data of wrong type".
class TColumn {
public:
    TColumn() = default;
    virtual ~TColumn();
    TColumn(const TColumn&) = delete;
    TColumn& operator=(const TColumn&) = delete;

    QStringList headings;
    bool visible = true;
    bool groupWide = false;

    // The owning table (set when the column is wired to it).
    TGridTable* Table() const { return table_; }
    void SetTable(TGridTable* table) { table_ = table; }

    virtual int CellCount() const = 0;
    virtual void InsertRows(int index, int count) = 0;
    virtual void DeleteRow(int index) = 0;

    virtual int HeadingCount() const { return static_cast<int>(headings.size()); }
    virtual QString GetHeading(int line) const;

    virtual TGridTable* AsTable(int row) const;
    virtual QObject* AsObject(int row) const;
    virtual long double AsFloat(int row) const;
    virtual void SetFloat(int row, long double value);
    virtual int AsInteger(int row) const;
    virtual void SetInteger(int row, int value);
    virtual QString AsText(int row) const;
    virtual void SetText(int row, const QString& text);

    virtual bool IsChanged() const { return false; }
    virtual void Hide() {}
    virtual void ResetChanged() {}
    // Width in pixels: at least the widest heading line plus two blanks.
    virtual int ColumnWidth(const QFontMetrics& metrics, int pixelsPerInch) const;
    virtual void SetUnits(TUnitSystem fromUnits, TUnitSystem toUnits);
    // Base part: heading list, visible, group-wide; classes append their own data.
    virtual void WriteData(TColumnStreamWriter& writer) const;
    virtual bool NeedsControls() const { return false; }
    // The in-place control of one row in the editor window (columns that need controls).
    virtual QWidget* CreateControl(int row, QWidget* parent);
    // The in-place controls of rows 0 to count - 1 of an editor window, made again under
    // `parent` (columns that need no controls do nothing). Raises ETableError "null
    // parent" without a parent, and "Error attempt to change parent with controls already
    // allocated" for another parent while controls exist.
    void AllocateControls(QWidget* parent, int count);
    // Lets go of the in-place controls: they act no more and are deleted later (also
    // when the column goes, so that no control acts on a column that no longer exists).
    void FreeControls();
    bool HasControls() const;
    // The control of a row; nullptr when none was allocated for it (or it was deleted).
    QWidget* Control(int row) const;
    // A column of the same class with the same definition and no cells.
    virtual std::unique_ptr<TColumn> Clone() const = 0;

protected:
    void ReadBase(TColumnStreamReader& reader);
    void CopyDefinitionTo(TColumn& other) const;
    // Rows that a value set on `row` reaches: the row alone, or its row group when the
    // column is group-wide.
    std::vector<int> RowsReached(int row) const;
    int RowGroup() const;
    void CellChanged(int row);
    int IndexInTable() const;
    void CheckRow(int row) const;

private:
    TGridTable* table_ = nullptr;
    QPointer<QWidget> controlParent_;
    std::vector<QPointer<QWidget>> controls_;
};

// A cell: its column and row; reads and writes go to the column.
class TData {
public:
    TData(TColumn& column, int row) : column_(&column), row_(row) {}

    TGridTable* AsTable() const { return column_->AsTable(row_); }
    long double AsFloat() const { return column_->AsFloat(row_); }
    int AsInteger() const { return column_->AsInteger(row_); }
    QString AsText() const { return column_->AsText(row_); }
    void SetFloat(long double value) const { column_->SetFloat(row_, value); }
    void SetInteger(int value) const { column_->SetInteger(row_, value); }
    void SetText(const QString& text) const { column_->SetText(row_, text); }

private:
    TColumn* column_;
    int row_;
};

class TGridTable : public QObject {
    Q_OBJECT
public:
    // A table placed on a form; its owner is not a grid table (unit system 1).
    explicit TGridTable(QObject* parent = nullptr);
    // A copy of a model table (nested tables): definition without cells, MinRows rows,
    // unit system and title text taken from the owner table.
    TGridTable(const TGridTable& model, TGridTable* owner, int titleNumber);
    ~TGridTable() override;

    // Published properties.
    QString Comments;
    QString Caption;
    QString TopLeft;
    bool HardwiredButton = false;
    QWidget* FormParent = nullptr;

    int Identifier() const { return identifier_; }
    // Negative values are ignored; a table holding the value takes this one's Identifier.
    void SetIdentifier(int value);
    int MaxRows() const { return maxRows_; }
    void SetMaxRows(int value) { maxRows_ = value; }
    int MinRows() const { return minRows_; }
    // Raises "Value must be greater than 0" for 0 or less.
    void SetMinRows(int value);
    int RowGroup() const { return rowGroup_; }
    void SetRowGroup(int value) { rowGroup_ = value < 1 ? 1 : value; }
    const QImage& HelpPicture() const { return helpPicture_; }
    const QString& HelpPictureSource() const { return helpPictureSource_; }
    // Loads the picture from a file or resource path (empty: none).
    void SetHelpPicture(const QString& source);

    std::function<void(TGridTable&)> OnResize;
    // Events forwarded from the table columns (TTableColumn): the table, the index of the
    // forwarding column, then the column's own arguments; unassigned, nothing happens.
    // `object` is what OnInitRow supplied for the row.
    std::function<QString(TGridTable&, int column, int row)> OnGetButtonCaption;
    std::function<void(TGridTable&, int column, int row)> OnButtonClick;
    // Asked by IsChanged: was the row's object changed?
    std::function<bool(TGridTable&, int column, int row, QObject* object)> OnGetChanged;
    // Hide: the row's object hides its editor.
    std::function<void(TGridTable&, int column, int row, QObject* object)> OnHide;
    // A row is made (inserted, or its selector changed) whose entry names no table: the
    // object it holds instead (owned by the column from then on), or none.
    std::function<std::unique_ptr<QObject>(TGridTable&, int column, int row)> OnInitRow;
    // ResetChanged: the row's object clears its changed state.
    std::function<void(TGridTable&, int column, int row, QObject* object)> OnResetChanged;
    // The row holds the object that OnInitRow supplied.
    std::function<void(TGridTable&, int column, int row, QObject* object)> OnSetRow;
    // SetUnits: the row's object switches to the unit system `units`.
    std::function<void(TGridTable&, int column, int row, QObject* object, TUnitSystem units)> OnSetUnits;

    // Columns and cells.
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    TColumn& Column(int index) const;
    int IndexOfColumn(const TColumn* column) const;
    TData Cell(int column, int row) const { return TData(Column(column), row); }
    // Appends a column defined in code (wired like a column read from the stream).
    TColumn& AddColumn(std::unique_ptr<TColumn> column);
    int VisibleColumnCount() const;
    // Raises EListError "Index out of bounds" outside the visible columns.
    TColumn& VisibleColumn(int index) const;
    int HeaderRows() const;

    bool IsChanged() const;
    void SetChanged(bool value);
    void ResetChanged();

    int RowCount() const { return rowCount_; }
    void SetRowCount(int count);
    void AppendRowGroup();
    void InsertRowGroup(int row);
    // Raises EListError for a row outside the table.
    void DeleteRowGroup(int row);

    TUnitSystem Units() const { return units_; }
    // Raises ERangeError "Range check error" for a unit system outside
    // UnitSystem::English to kRawUnits.
    void SetUnits(TUnitSystem units);

    int TitleNumber() const { return titleNumber_; }
    void SetTitleNumber(int number);
    QString TitleText() const;
    QString WindowTitle() const;
    TGridTable* OwnerTable() const { return owner_; }

    // Editor window.
    void ShowEditor();
    void Hide();
    TTableForm* Editor() const { return editor_; }
    bool EditorOpen() const { return editor_ != nullptr; }
    void AttachEditor(TTableForm* editor, std::function<void()> rowsChanged,
                      std::function<void(int column, int row)> cellChanged);
    void DetachEditor();

    // Column stream ("Col"): replaces the columns by those read; raises ETableError with
    // the stream's messages.
    void ReadColumns(TColumnStreamReader& reader);
    void WriteColumns(TColumnStreamWriter& writer) const;

    // Called by the columns.
    void ColumnCellChanged(TColumn& column, int row);
    // Selector value of a row: the first column's value when it is an enum column, else 1.
    int SelectorValue(int row) const;
    // Items of the first column when it is an enum column, else 1.
    int ChoiceCount() const;

private:
    void WireColumn(TColumn& column);
    // Appends a column and wires it; a column that cannot be wired is not kept.
    TColumn& AppendWired(std::unique_ptr<TColumn> column);
    void ResizeNestedLists();
    void RowsChanged();

    std::vector<std::unique_ptr<TColumn>> columns_;
    TGridTable* owner_ = nullptr;
    TTableForm* editor_ = nullptr;
    std::function<void()> rowsChangedNotify_;
    std::function<void(int, int)> cellChangedNotify_;
    QImage helpPicture_;
    QString helpPictureSource_;
    int identifier_ = 0;
    int maxRows_ = 0;
    int minRows_ = 1;
    int rowGroup_ = 1;
    int rowCount_ = 0;
    TUnitSystem units_ = UnitSystem::English;
    int titleNumber_ = 0;
    bool changed_ = false;
};

// Opens the editor window again (rebuilt from the current columns) when it exists.
void OpenTableEditor(TGridTable& table);

// The global table list: every living table in creation order.
int TableCount();
// Position of the table with this Identifier; -1 when negative or absent.
int TableIndexOfIdentifier(int identifier);
// Table at a position; nullptr outside the list.
TGridTable* TableAt(int index);
// Position of a table; -1 for nullptr or an unlisted table.
int IndexOfTable(const TGridTable* table);

// Registry of column classes by their stream code.
// The five classes of the program are registered with codes 0 to 4 on first use.
using TColumnFactory = std::function<std::unique_ptr<TColumn>(TColumnStreamReader&, TGridTable&)>;
void RegisterColumnType(int code, std::type_index type, TColumnFactory factory);
void UnregisterColumnType(int code);
// Shut-down check of the registry: unregisters the five classes, then requires it to
// be empty (raises ETableError "Column Type list not empty" for a class registered
// elsewhere and never unregistered); the registry is emptied either way and filled
// again on its next use.
void ShutDownColumnTypes();
// Code of a column's class; -1 when the class is not registered.
int ColumnTypeCode(const TColumn& column);
// nullptr when the code is not registered.
const TColumnFactory* ColumnTypeFactory(int code);

} // namespace veldo
