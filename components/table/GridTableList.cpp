#include "GridTableList.h"

#include "Table.h"
#include "TableErrors.h"

#include <string>

namespace veldo {

const TGridTableList::TIntWrapper& TGridTableList::At(int i) const
{
    if (i < 0 || i >= Count())
        throw EListError("List index out of bounds (" + std::to_string(i) + ")");
    return entries_[static_cast<std::size_t>(i)];
}

void TGridTableList::InsertEntry(int at, TIntWrapper entry)
{
    if (at < 0 || at > Count())
        throw EListError("List index out of bounds (" + std::to_string(at) + ")");
    entries_.insert(entries_.begin() + at, entry);
}

void TGridTableList::AddIndex(int position) { InsertEntry(Count(), {position, false}); }

void TGridTableList::InsertIndex(int at, int position) { InsertEntry(at, {position, false}); }

void TGridTableList::AddTable(const TGridTable* table) { AddIndex(IndexOfTable(table)); }

void TGridTableList::InsertTable(int at, const TGridTable* table) { InsertIndex(at, IndexOfTable(table)); }

void TGridTableList::AddIdentifier(int identifier) { InsertEntry(Count(), {identifier, true}); }

void TGridTableList::InsertIdentifier(int at, int identifier) { InsertEntry(at, {identifier, true}); }

void TGridTableList::Delete(int at)
{
    At(at);
    entries_.erase(entries_.begin() + at);
}

int TGridTableList::TableIndex(int i) const
{
    const TIntWrapper& entry = At(i);
    return entry.isIdentifier ? TableIndexOfIdentifier(entry.value) : entry.value;
}

TGridTable* TGridTableList::Table(int i) const { return TableAt(TableIndex(i)); }

} // namespace veldo
