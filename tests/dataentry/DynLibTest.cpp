// Dynamic library loader: the engine library, a small test library and failures.
#include "dynlib.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

using namespace veldo;

namespace {

const std::string kBin = VELDO_BIN_DIR;
const std::string kEngine = kBin + "/VELDO2015_DLL.so";
const std::string kTestLib = kBin + "/loader_test_lib.so";
const std::string kUnresolvedLib = kBin + "/loader_unresolved_lib.so";

// True when the library is loaded in this process (asks the system loader
// without loading it).
bool isLoaded(const std::string& path)
{
    void* h = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (!h)
        return false;
    dlclose(h);
    return true;
}

template <class E> E failureOf(TDynamicLibrary& lib)
{
    try {
        lib.Open();
    } catch (const E& e) {
        return e;
    } catch (const EDLLError& e) {
        ADD_FAILURE() << "wrong EDLLError kind: " << e.what();
    }
    ADD_FAILURE() << "Open did not fail";
    return E({});
}

} // namespace

TEST(DynamicLibrary, BindsTheEngineEntry)
{
    TDynamicLibrary lib;
    EXPECT_EQ(lib.LibraryName(), "");
    EXPECT_FALSE(lib.IsOpen());
    lib.SetLibraryName(kEngine);
    lib.Open();
    ASSERT_TRUE(lib.IsOpen());
    void* entry = lib.GetProc("_IVELDO");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(lib.GetProc("IVELDO"), entry); // one routine under two names
    // Any request other than 7 returns 1 at once and does nothing.
    const auto ivel = reinterpret_cast<int (*)(int)>(entry);
    EXPECT_EQ(ivel(0), 1);
    EXPECT_EQ(lib.GetProc("_IVELDO_missing"), nullptr);
}

TEST(DynamicLibrary, OpenTwiceLoadsOnceAndCloseFrees)
{
    ASSERT_FALSE(isLoaded(kTestLib));
    {
        TDynamicLibrary lib;
        lib.SetLibraryName(kTestLib);
        lib.Open();
        lib.Open(); // does nothing
        ASSERT_TRUE(isLoaded(kTestLib));
        const auto answer = reinterpret_cast<int (*)()>(lib.GetProc("LoaderTestAnswer"));
        ASSERT_NE(answer, nullptr);
        EXPECT_EQ(answer(), 42);
        EXPECT_EQ(lib.GetProc("NoSuchEntry"), nullptr);
        lib.Close(); // one Close frees it: it was loaded once
        EXPECT_FALSE(lib.IsOpen());
        EXPECT_FALSE(isLoaded(kTestLib));
        lib.Close(); // closed: nothing happens
    }
    { // a new name frees the open library
        TDynamicLibrary lib;
        lib.SetLibraryName(kTestLib);
        lib.Open();
        lib.SetLibraryName(kEngine);
        EXPECT_FALSE(lib.IsOpen());
        EXPECT_FALSE(isLoaded(kTestLib));
        EXPECT_EQ(lib.LibraryName(), kEngine);
    }
    { // destroying an open object frees the library
        TDynamicLibrary lib;
        lib.SetLibraryName(kTestLib);
        lib.Open();
    }
    EXPECT_FALSE(isLoaded(kTestLib));
}

// Decided without the loader's text, which the comma-decimal run gets in German.
TEST(DynamicLibrary, MissingLibraryIsNotLocated)
{
    for (const std::string& name : {kBin + "/no_such_library.so", std::string("no_such_library.so"), std::string()}) {
        SCOPED_TRACE(name);
        TDynamicLibrary lib;
        lib.SetLibraryName(name);
        const auto e = failureOf<EFileNotFoundError>(lib);
        EXPECT_STREQ(e.what(), "Library could not be located");
        EXPECT_FALSE(lib.IsOpen());
    }
    TDynamicLibrary lib;
    lib.SetLibraryName(kBin + "/no_such_library.so");
    EXPECT_THROW(lib.Open(), EDLLError); // callers catch the family as a whole
    EXPECT_FALSE(failureOf<EFileNotFoundError>(lib).detail().empty());
}

TEST(DynamicLibrary, UnloadableFilesFailToInitialize)
{
    const auto textFile =
        std::filesystem::temp_directory_path() / ("veldo_not_a_library_" + std::to_string(::getpid()) + ".so");
    std::ofstream(textFile) << "not a library\n";
    // The bare name is found through the suite's run path (the build folder).
    for (const std::string& name : {textFile.string(), kUnresolvedLib, std::string("loader_unresolved_lib.so")}) {
        SCOPED_TRACE(name);
        TDynamicLibrary lib;
        lib.SetLibraryName(name);
        const auto e = failureOf<EInitError>(lib);
        EXPECT_STREQ(e.what(), "Library failed to properly initialize");
        EXPECT_FALSE(e.detail().empty()); // the system loader's own text
        EXPECT_FALSE(lib.IsOpen());
        // The object stays usable: another name loads.
        lib.SetLibraryName(kTestLib);
        lib.Open();
        EXPECT_TRUE(lib.IsOpen());
    }
    std::filesystem::remove(textFile);
}

TEST(DynamicLibrary, GetProcNeedsAnOpenLibrary)
{
    TDynamicLibrary lib;
    try {
        lib.GetProc("_IVELDO");
        FAIL() << "GetProc on a closed library did not fail";
    } catch (const EDLLNotOpenError& e) {
        EXPECT_STREQ(e.what(), "Library is not open");
    }
}
