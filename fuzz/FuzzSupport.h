// Shared pieces of the fuzz harnesses: a failed property check, inputs made of
// several files, and a private working folder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace veldo::fuzz {

// A property the harness checks beyond "no crash": a failure aborts, so the
// fuzzer keeps the input as a crash.
#define VELDO_FUZZ_CHECK(condition, what)                                                                              \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "FUZZ CHECK FAILED at %s:%d: %s\n", __FILE__, __LINE__, (what));                      \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)

// Reports an exception type that no reader may let out, then aborts.
[[noreturn]] inline void UnexpectedException(const char* what)
{
    std::fprintf(stderr, "FUZZ CHECK FAILED: unexpected exception: %s\n", what);
    std::abort();
}

// The files of one input, separated by lines that hold only kPartSeparator; parts
// beyond `count` stay in the last one, missing parts are empty.
inline constexpr std::string_view kPartSeparator = "@@@@";

inline std::vector<std::string> SplitParts(const std::uint8_t* data, std::size_t size, std::size_t count)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string marker = "\n" + std::string(kPartSeparator) + "\n";
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (parts.size() + 1 < count) {
        const auto at = text.find(marker, start);
        if (at == std::string_view::npos)
            break;
        parts.emplace_back(text.substr(start, at + 1 - start)); // keeps the line break
        start = at + marker.size();
    }
    parts.emplace_back(text.substr(std::min(start, text.size())));
    parts.resize(count);
    return parts;
}

inline void WriteFile(const std::filesystem::path& path, std::string_view content)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

inline std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A fresh folder under the temporary directory for the files of the inputs, removed
// when the fuzzing process ends normally.
inline const std::filesystem::path& WorkFolder()
{
    static const std::filesystem::path folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "veldo_fuzz_XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(WorkFolder(), ec);
        });
        return std::filesystem::path(pattern);
    }();
    return folder;
}

// Makes the work folder the current directory for good (the engine reads its
// hand-over file there). The fuzzer's path arguments (corpus folders, input files,
// artifact prefix, dictionary) are made absolute first, so they keep naming the
// same places.
inline void EnterWorkFolder(int* argc, char*** argv)
{
    static std::vector<std::string> kept;
    kept.reserve(static_cast<std::size_t>(*argc));
    const auto absolute = [](std::string_view path) {
        return std::filesystem::absolute(std::filesystem::path(path)).string();
    };
    for (int i = 1; i < *argc; ++i) {
        const std::string_view arg = (*argv)[i];
        std::string changed;
        if (!arg.starts_with('-'))
            changed = absolute(arg);
        for (const std::string_view option : {"-artifact_prefix=", "-exact_artifact_path=", "-dict="})
            if (arg.starts_with(option)) {
                const std::string path = absolute(arg.substr(option.size()));
                // A prefix that names a folder keeps its final separator.
                changed = std::string(option) + path + (arg.ends_with('/') ? "/" : "");
            }
        if (!changed.empty()) {
            kept.push_back(std::move(changed));
            (*argv)[i] = kept.back().data();
        }
    }
    std::filesystem::current_path(WorkFolder());
}

// Removes every file the last input left in the work folder.
inline void EmptyWorkFolder()
{
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(WorkFolder(), ec))
        std::filesystem::remove_all(entry.path(), ec);
}

} // namespace veldo::fuzz
