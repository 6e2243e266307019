// Test main for suites that need a QApplication: always the offscreen platform.
#include "LocaleCheck.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv); // takes the locale from the environment
    veldo::test::RequireCommaDecimalWhenAsked();
    return RUN_ALL_TESTS();
}
