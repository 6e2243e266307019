// Binds one shared library at run time: holds a file name, loads the library on
// request, resolves entries by name and frees it again. Failures are exceptions of
// the EDLLError family, which callers catch as a whole.
#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace veldo {

// Common base of the loader's failures; `detail()` holds the system loader's own
// text (empty when there is none).
class EDLLError : public std::runtime_error {
public:
    EDLLError(const std::string& message, std::string detail) : std::runtime_error(message), detail_(std::move(detail))
    {
    }
    const std::string& detail() const { return detail_; }

private:
    std::string detail_;
};

// The library was found but could not be loaded (not a loadable library, an
// unresolved symbol, a missing dependency).
class EInitError : public EDLLError {
public:
    explicit EInitError(std::string detail) : EDLLError("Library failed to properly initialize", std::move(detail)) {}
};

// The library file itself does not exist.
class EFileNotFoundError : public EDLLError {
public:
    explicit EFileNotFoundError(std::string detail) : EDLLError("Library could not be located", std::move(detail)) {}
};

// An entry was asked for while no library is loaded.
class EDLLNotOpenError : public EDLLError {
public:
    EDLLNotOpenError() : EDLLError("Library is not open", {}) {}
};

class TDynamicLibrary {
public:
    TDynamicLibrary() = default;
    ~TDynamicLibrary();
    TDynamicLibrary(const TDynamicLibrary&) = delete;
    TDynamicLibrary& operator=(const TDynamicLibrary&) = delete;

    const std::string& LibraryName() const { return libraryName_; }
    // Frees the library when open, then stores the name; does not load.
    void SetLibraryName(const std::string& name);
    // Loads the named library unless already open; throws EInitError or
    // EFileNotFoundError when it cannot be loaded (the object stays closed).
    void Open();
    bool IsOpen() const { return handle_ != nullptr; }
    // Address of the named export, nullptr when the library has none; throws
    // EDLLNotOpenError when no library is loaded.
    void* GetProc(const std::string& entryName) const;
    // Frees the library when open.
    void Close();

private:
    std::string libraryName_;
    void* handle_ = nullptr; // handle of the system loader, nullptr when closed
};

} // namespace veldo
