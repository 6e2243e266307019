// Owning object list, assertion-style raise helpers and integer helpers.
#pragma once

#include <initializer_list>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace veldo {

// Raised by the helpers below when no other exception class is named.
class EAssertionFailed : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An ordered list of objects that owns them while OwnsObjects is true (so it is at
// creation): removing, replacing, clearing or destroying the list then frees the items
// concerned, the last one first. With OwnsObjects false the list only forgets them.
template <class T> class TObjectList {
public:
    bool OwnsObjects = true;

    TObjectList() = default;
    TObjectList(const TObjectList&) = delete;
    TObjectList& operator=(const TObjectList&) = delete;
    TObjectList(TObjectList&& other) noexcept : OwnsObjects(other.OwnsObjects), items_(std::exchange(other.items_, {}))
    {
    }
    TObjectList& operator=(TObjectList&& other) noexcept
    {
        if (this != &other) {
            Clear();
            OwnsObjects = other.OwnsObjects;
            items_ = std::exchange(other.items_, {});
        }
        return *this;
    }
    ~TObjectList() { Clear(); }

    // Appends; returns the new item's index. A raw object is owned by the list only
    // while OwnsObjects is true.
    int Add(T* item)
    {
        items_.push_back(item);
        return Count() - 1;
    }
    int Add(std::unique_ptr<T> item)
    {
        const int index = Add(item.get());
        item.release();
        return index;
    }
    // Frees every item (when owning), the last one first, and empties the list.
    void Clear()
    {
        while (!items_.empty()) {
            T* last = items_.back();
            items_.pop_back();
            release(last);
        }
    }
    // Frees the item at the index (when owning) and removes it.
    void Delete(int index)
    {
        checkIndex(index);
        T* item = items_[static_cast<std::size_t>(index)];
        items_.erase(items_.begin() + index);
        release(item);
    }
    int Count() const { return static_cast<int>(items_.size()); }
    T* Get(int index) const
    {
        checkIndex(index);
        return items_[static_cast<std::size_t>(index)];
    }
    int IndexOf(const T* item) const
    {
        for (int i = 0; i < Count(); ++i)
            if (items_[static_cast<std::size_t>(i)] == item)
                return i;
        return -1;
    }
    // Inserts at the index (0..Count) without freeing anything.
    void Insert(int index, T* item)
    {
        if (index < 0 || index > Count())
            throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
        items_.insert(items_.begin() + index, item);
    }
    void Insert(int index, std::unique_ptr<T> item)
    {
        Insert(index, item.get());
        item.release();
    }
    // Replaces the item at the index, freeing the old one (when owning) unless it is
    // the same object.
    void Put(int index, T* item)
    {
        checkIndex(index);
        T* old = std::exchange(items_[static_cast<std::size_t>(index)], item);
        if (old != item)
            release(old);
    }
    void Put(int index, std::unique_ptr<T> item)
    {
        Put(index, item.get());
        item.release();
    }

private:
    void checkIndex(int index) const
    {
        if (index < 0 || index >= Count())
            throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    }
    void release(T* item) const
    {
        if (OwnsObjects)
            delete item;
    }

    std::vector<T*> items_;
};

// Frees every object of a list of owned pointers, the last one first, then the list
// itself; a list that is already gone is ignored.
template <class T> void FreeListAndItems(std::unique_ptr<std::vector<T*>>& list)
{
    if (!list)
        return;
    while (!list->empty()) {
        T* last = list->back();
        list->pop_back();
        delete last;
    }
    list.reset();
}

// One argument of Format: an integer for %d, a text for %s.
using FormatArg = std::variant<long long, std::string>;

// Fills "%d" and "%s" of a pattern in order; "%%" is a percent sign. Throws
// std::invalid_argument on another specifier or a missing or mistyped argument.
std::string Format(std::string_view pattern, std::initializer_list<FormatArg> args);

// Raise E with the message when the condition is False.
template <class E = EAssertionFailed> void Require(bool condition, const std::string& message)
{
    if (!condition)
        throw E(message);
}

template <class E = EAssertionFailed>
void RequireFmt(bool condition, std::string_view pattern, std::initializer_list<FormatArg> args)
{
    if (!condition)
        throw E(Format(pattern, args));
}

// Raise E with the message when the condition is True.
template <class E = EAssertionFailed> void Check(bool condition, const std::string& message)
{
    Require<E>(!condition, message);
}

template <class E = EAssertionFailed>
void CheckFmt(bool condition, std::string_view pattern, std::initializer_list<FormatArg> args)
{
    RequireFmt<E>(!condition, pattern, args);
}

inline int Max(int a, int b) { return a > b ? a : b; }
inline int Min(int a, int b) { return a < b ? a : b; }
inline int IfThen(bool condition, int a, int b) { return condition ? a : b; }
inline bool InRange(int value, int lo, int hi) { return lo <= value && value <= hi; }

// The smallest of the values; throws std::invalid_argument for none.
int MinOf(std::span<const int> values);

} // namespace veldo
