#include "dynlib.h"

#include <algorithm>
#include <cstddef>
#include <dlfcn.h>
#include <filesystem>
#include <system_error>
#include <vector>

namespace veldo {

namespace {

std::string lastLoaderError()
{
    const char* text = dlerror();
    return text ? std::string(text) : std::string();
}

// Folders that the system loader searches for a name without a folder: those of
// LD_LIBRARY_PATH, the program's run path and the system's library folders.
std::vector<std::filesystem::path> loaderSearchFolders()
{
    std::vector<std::filesystem::path> folders;
    void* program = dlopen(nullptr, RTLD_NOW);
    if (!program)
        return folders;
    Dl_serinfo size{};
    if (dlinfo(program, RTLD_DI_SERINFOSIZE, &size) == 0) {
        std::vector<std::max_align_t> buffer(size.dls_size / sizeof(std::max_align_t) + 1);
        auto* info = reinterpret_cast<Dl_serinfo*>(buffer.data());
        *info = size;
        if (dlinfo(program, RTLD_DI_SERINFO, info) == 0)
            for (unsigned i = 0; i < info->dls_cnt; ++i)
                folders.emplace_back(info->dls_serpath[i].dls_name);
    }
    dlclose(program);
    return folders;
}

// Decided on the file system, never on the loader's message (whose text follows the
// user's language). A name with a folder is tested as it stands, a bare name in each
// folder the loader searches (folders known to it only through its cache are not
// searched: a library there that fails to load counts as not located).
bool libraryFileMissing(const std::string& name)
{
    std::error_code ec;
    if (name.empty())
        return true;
    if (name.find('/') != std::string::npos)
        return !std::filesystem::exists(name, ec);
    return std::ranges::none_of(loaderSearchFolders(), [&](const std::filesystem::path& folder) {
        return std::filesystem::exists(folder / name, ec);
    });
}

} // namespace

TDynamicLibrary::~TDynamicLibrary() { Close(); }

void TDynamicLibrary::SetLibraryName(const std::string& name)
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
    if (libraryFileMissing(libraryName_))
        throw EFileNotFoundError(loaderText);
    throw EInitError(loaderText);
}

void* TDynamicLibrary::GetProc(const std::string& entryName) const
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
