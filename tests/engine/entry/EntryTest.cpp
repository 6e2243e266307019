// The library's entry as the program binds it: loaded by file name, resolved by name.
#include <dlfcn.h>

#include "EngineTestSupport.h"
#include "InputCodes.h"

namespace veldo::test {
namespace {

using EntryFn = int (*)(int);

class EntryTest : public TempDirTest {
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        lib_ = dlopen(VELDO_BIN_DIR "/VELDO2015_DLL.so", RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(lib_, nullptr) << dlerror();
    }
    void TearDown() override
    {
        if (lib_)
            dlclose(lib_);
        TempDirTest::TearDown();
    }
    EntryFn entry(const char* name) const { return reinterpret_cast<EntryFn>(dlsym(lib_, name)); }

    void* lib_ = nullptr;
};

TEST_F(EntryTest, BothNamesResolveToOneFunctionAndNothingElseIsExported)
{
    const EntryFn a = entry("IVELDO");
    const EntryFn b = entry("_IVELDO");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a, b);
    // Internal routines stay hidden.
    EXPECT_EQ(dlsym(lib_, "_ZN5veldo9RunEngineEi"), nullptr);
    EXPECT_EQ(dlsym(lib_, "_ZN5veldo19AXIAL_CAPACITY_MAINERNS_11EngineStateE"), nullptr);
}

TEST_F(EntryTest, RequestsOtherThanTheAnalysisReturnStoppedAndTouchNoFile)
{
    const std::string project = ProjectBuilder{}.text();
    writeFile("job.vd7d", project);
    writeFile("job.cpt", " 1 0\r\n");
    writeNames();
    const EntryFn run = entry("_IVELDO");
    ASSERT_NE(run, nullptr);
    for (int request : {0, 1, 6, 8, -7, 70})
        EXPECT_EQ(run(request), RunStatus::Stopped) << request;
    EXPECT_FALSE(exists("job.vd7o"));
    EXPECT_FALSE(exists("job.vd7p"));
    EXPECT_EQ(readFile("job.vd7d"), project);
}

// The request number is the library's interface: a program built before the name
// passes 7.
TEST_F(EntryTest, TheAnalysisRequestIsSevenAndRunsTheEnglishExample)
{
    writeFile("names.dat", std::string("2015.7.7\r\n\r\n\r\n0\r\n") + VELDO_EXAMPLES_DIR +
                               "/PipeSandClay_English.vd7d\r\n" + path("job.vd7o") + "\r\n" + path("job.vd7p") +
                               "\r\n" + VELDO_EXAMPLES_DIR + "/PipeSandClay_English.cpt\r\n");
    const EntryFn run = entry("IVELDO");
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(RunRequest::Analysis, 7);
    EXPECT_EQ(run(RunRequest::Analysis), RunStatus::Completed);
    const std::string report = readFile("job.vd7o");
    EXPECT_NE(report.find("* COMPUTATION RESULT *"), std::string::npos);
    EXPECT_TRUE(exists("job.vd7p"));
}

} // namespace
} // namespace veldo::test
