// Owning object list, assertion-style raise helpers and integer helpers.
#pragma once

#include <initializer_list>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace veldo {

// Raised by the helpers below when no other exception class is named.
class EAssertionFailed : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An ordered list that owns its items: removing, replacing, clearing or destroying
// the list frees the items concerned, the last one first.
template <class T>
class TObjectList {
public:
    TObjectList() = default;
    TObjectList(TObjectList &&) noexcept = default;
    TObjectList &operator=(TObjectList &&other) noexcept
    {
        Clear();
        items_ = std::move(other.items_);
        return *this;
    }
    ~TObjectList() { Clear(); }

    // Appends; returns the new item's index.
    int Add(std::unique_ptr<T> item)
    {
        items_.push_back(std::move(item));
        return Count() - 1;
    }
    // Frees every item, the last one first, and empties the list.
    void Clear()
    {
        while (!items_.empty())
            items_.pop_back();
    }
    // Frees the item at the index and removes it.
    void Delete(int index)
    {
        checkIndex(index);
        items_.erase(items_.begin() + index);
    }
    int Count() const { return static_cast<int>(items_.size()); }
    T *Get(int index) const
    {
        checkIndex(index);
        return items_[static_cast<std::size_t>(index)].get();
    }
    int IndexOf(const T *item) const
    {
        for (int i = 0; i < Count(); ++i)
            if (items_[static_cast<std::size_t>(i)].get() == item)
                return i;
        return -1;
    }
    // Inserts at the index (0..Count) without freeing anything.
    void Insert(int index, std::unique_ptr<T> item)
    {
        if (index < 0 || index > Count())
            throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
        items_.insert(items_.begin() + index, std::move(item));
    }
    // Replaces the item at the index, freeing the old one unless it is the same
    // object (then the list keeps its single ownership of it).
    void Put(int index, std::unique_ptr<T> item)
    {
        checkIndex(index);
        auto &slot = items_[static_cast<std::size_t>(index)];
        if (item.get() == slot.get()) {
            [[maybe_unused]] T *same = item.release();
            return;
        }
        slot = std::move(item);
    }

private:
    void checkIndex(int index) const
    {
        if (index < 0 || index >= Count())
            throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    }

    std::vector<std::unique_ptr<T>> items_;
};

// One argument of Format: an integer for %d, a text for %s.
using FormatArg = std::variant<long long, std::string>;

// Fills "%d" and "%s" of a pattern in order; "%%" is a percent sign. Throws
// std::invalid_argument on another specifier or a missing or mistyped argument.
std::string Format(std::string_view pattern, std::initializer_list<FormatArg> args);

// Raise E with the message when the condition is False.
template <class E = EAssertionFailed>
void Require(bool condition, const std::string &message)
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
template <class E = EAssertionFailed>
void Check(bool condition, const std::string &message)
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
