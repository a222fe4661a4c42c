#ifdef GARVO_CORE_ONLY_TESTS
#include <QCoreApplication>
using TTestApplication = QCoreApplication;
#else
#include <QApplication>
using TTestApplication = QApplication;
#endif
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Windows are real but never shown on a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TTestApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
