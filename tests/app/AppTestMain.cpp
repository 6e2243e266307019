// Test main of the program's suite: the application object comes from the program's
// own start-up, so the tests run in the process state the program runs in.
#include "LocaleCheck.h"
#include "Startup.h"

#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    std::setlocale(LC_ALL, ""); // the environment's locale, as the application object takes it
    veldo::test::RequireCommaDecimalWhenAsked();
    const auto app = veldo::CreateApplication(argc, argv);
    return RUN_ALL_TESTS();
}
