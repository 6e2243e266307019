#include "dynlib.h"

#include <dlfcn.h>
#include <filesystem>
#include <system_error>

namespace veldo {

namespace {

std::string lastLoaderError()
{
    const char *text = dlerror();
    return text ? std::string(text) : std::string();
}

// A name with a folder is tested on the file system; a bare name is searched by
// the loader, whose message then begins with the name itself.
bool libraryFileMissing(const std::string &name, const std::string &loaderText)
{
    if (name.find('/') != std::string::npos) {
        std::error_code ec;
        return !std::filesystem::exists(name, ec);
    }
    return name.empty()
           || (loaderText.starts_with(name + ":")
               && loaderText.find("No such file or directory") != std::string::npos);
}

} // namespace

TDynamicLibrary::~TDynamicLibrary()
{
    Close();
}

void TDynamicLibrary::SetLibraryName(const std::string &name)
{
    Close();
    libraryName_ = name;
}

void TDynamicLibrary::Open()
{
    if (IsOpen())
        return;
    dlerror(); // clear an older message
    // An empty name would hand back the program itself.
    handle_ = libraryName_.empty() ? nullptr : dlopen(libraryName_.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_)
        return;
    const std::string loaderText = lastLoaderError();
    if (libraryFileMissing(libraryName_, loaderText))
        throw EFileNotFoundError(loaderText);
    throw EInitError(loaderText);
}

void *TDynamicLibrary::GetProc(const std::string &entryName) const
{
    if (!IsOpen())
        throw EDLLNotOpenError();
    return dlsym(handle_, entryName.c_str());
}

void TDynamicLibrary::Close()
{
    if (!IsOpen())
        return;
    dlclose(handle_);
    handle_ = nullptr;
}

} // namespace veldo
