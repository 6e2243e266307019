// Whole engine runs through the entry (request 7) on the largest example
// project: 40 layers, 500 segments, every method ticked with the offshore
// methods on, 1000 CPT points, 100 t-z depths. Each iteration reads names.dat,
// the project and the CPT file, runs both passes with the load-settlement and
// the t-z verification, and writes the report and the plot-data file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <fcntl.h>
#include <unistd.h>

#include "RunDriver.h"

namespace {

namespace fs = std::filesystem;

// A temporary working folder holding names.dat; the project is read from the
// examples, the report and the plot-data file are written in the folder.
class RunFolder {
public:
    explicit RunFolder(const std::string& project)
    {
        std::string pattern = (fs::temp_directory_path() / "veldo_bench_XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            return;
        dir_ = pattern;
        oldDir_ = fs::current_path();
        fs::current_path(dir_);
        const std::string base = std::string(VELDO_EXAMPLES_DIR) + "/" + project;
        std::ofstream(dir_ / "names.dat", std::ios::binary) << "2015.7.7\r\nreserved\r\nreserved\r\n0\r\n"
                                                            << base << ".vd7d\r\n"
                                                            << (dir_ / "run.vd7o").string() << "\r\n"
                                                            << (dir_ / "run.vd7p").string() << "\r\n"
                                                            << base << ".cpt\r\n";
    }
    ~RunFolder()
    {
        if (dir_.empty())
            return;
        std::error_code ec;
        fs::current_path(oldDir_, ec);
        fs::remove_all(dir_, ec);
    }
    RunFolder(const RunFolder&) = delete;
    RunFolder& operator=(const RunFolder&) = delete;
    bool ready() const { return !dir_.empty(); }

private:
    fs::path dir_;
    fs::path oldDir_;
};

// Sends the engine's console lines to /dev/null while alive.
class QuietConsole {
public:
    QuietConsole()
    {
        std::fflush(stdout);
        saved_ = dup(STDOUT_FILENO);
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0) {
            dup2(null, STDOUT_FILENO);
            close(null);
        }
    }
    ~QuietConsole()
    {
        std::fflush(stdout);
        if (saved_ >= 0) {
            dup2(saved_, STDOUT_FILENO);
            close(saved_);
        }
    }
    QuietConsole(const QuietConsole&) = delete;
    QuietConsole& operator=(const QuietConsole&) = delete;

private:
    int saved_ = -1;
};

void BM_WholeRunLargeProject(benchmark::State& state)
{
    RunFolder folder("large/Large40Layers_English");
    if (!folder.ready()) {
        state.SkipWithError("no temporary folder");
        return;
    }
    int status = 0;
    {
        QuietConsole quiet;
        for (auto _ : state) {
            status = veldo::RunEngine(7);
            benchmark::DoNotOptimize(status);
        }
    }
    if (status != 0)
        state.SkipWithError("the engine did not run to the end");
}
BENCHMARK(BM_WholeRunLargeProject)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
