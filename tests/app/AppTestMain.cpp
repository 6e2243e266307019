// Test main of the program's suite: the application object comes from the program's
// own start-up, so the tests run in the process state the program runs in.
#include "LocaleCheck.h"
#include "Startup.h"

#include <QDir>

#include <gtest/gtest.h>

#include <clocale>

namespace {

// Opening a project makes its folder the current one, and a test's project folder is
// removed with the test: every test starts in the folder the suite started in, as it
// does under CTest, where each test runs in a process of its own.
class TStartInTheSuitesFolder final : public testing::EmptyTestEventListener {
public:
    void OnTestStart(const testing::TestInfo&) override { QDir::setCurrent(start_); }

private:
    const QString start_ = QDir::currentPath();
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new TStartInTheSuitesFolder);
    std::setlocale(LC_ALL, ""); // the environment's locale, as the application object takes it
    veldo::test::RequireCommaDecimalWhenAsked();
    const auto app = veldo::CreateApplication(argc, argv);
    return RUN_ALL_TESTS();
}
