// Exception kinds raised by the grid tables, their columns and the column stream.
#pragma once

#include <stdexcept>

namespace veldo {

// A general failure with a message for the user ("Value must be greater than 0", ...).
class ETableError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Typed access to a cell of another type: "Data of wrong type".
class EInvalidCast : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Index outside a list.
class EListError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A value outside the range of its type (a unit system other than English, SI or raw).
class ERangeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A column stream that does not hold the values its reader expects.
class EReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace veldo
