// The program's project reader on a fuzzed project file of generation 1, 2 or 3 (the
// first byte picks it) and the CPT file beside it (the second part of the input),
// then save, reopen and save again (see SaveReopenMismatch): no exception leaves the
// reader, the saved file reads back completely, the reopened project equals the saved
// one (the writer's normalisations included) to 10 significant digits, and the second
// save writes the same bytes as the first.
#include "FuzzSupport.h"

#include "ProjectTestSupport.h"
#include "QtFuzzSupport.h"

#include <exception>

using namespace veldo;
using namespace veldo::fuzz;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    StartQtOffscreen(argc, argv); // a read error is shown in a box
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const int generation = data[0] >= '1' && data[0] <= '3' ? data[0] - '0' : data[0] % 3 + 1;
    const std::vector<std::string> parts = SplitParts(data + 1, size - 1, 2);
    EmptyWorkFolder();
    std::string mismatch;
    try {
        mismatch =
            test::SaveReopenMismatch(QString::fromStdString(WorkFolder().string()), generation, parts[0], parts[1]);
    } catch (const std::exception& e) {
        UnexpectedException(e.what());
    }
    if (!mismatch.empty())
        std::fprintf(stderr, "%s\n", mismatch.c_str());
    VELDO_FUZZ_CHECK(mismatch.empty(), "save, reopen and save again keep the project");
    RecordedMessages().Clear();
    return 0;
}
