// The check tables of the manuals' Markdown sources: rows
// "| `key` | quantity | value unit |" that hold a worked example's hand-computed
// values, and the chapter title (first level-1 heading) of each source.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace veldo::test {

struct ManualCheck {
    std::filesystem::path source;
    std::string key;
    std::string value; // the number as written
};

struct ManualChapter {
    std::filesystem::path source;
    std::string title;
    std::vector<ManualCheck> checks;
};

// The Markdown sources of a folder, in file-name order (the chapter order).
inline std::vector<ManualChapter> readManualChapters(const std::filesystem::path& folder)
{
    std::vector<std::filesystem::path> paths;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        if (e.path().extension() == ".md")
            paths.push_back(e.path());
    std::sort(paths.begin(), paths.end());
    const std::regex row(R"(^\|\s*`([a-z0-9_.]+)`\s*\|[^|]*\|\s*([-+0-9.eE]+))");
    std::vector<ManualChapter> chapters;
    for (const auto& path : paths) {
        ManualChapter c{path, {}, {}};
        std::ifstream in(path);
        for (std::string line; std::getline(in, line);) {
            if (c.title.empty() && line.rfind("# ", 0) == 0)
                c.title = line.substr(2);
            std::smatch m;
            if (std::regex_search(line, m, row))
                c.checks.push_back({path, m[1].str(), m[2].str()});
        }
        chapters.push_back(std::move(c));
    }
    return chapters;
}

} // namespace veldo::test
