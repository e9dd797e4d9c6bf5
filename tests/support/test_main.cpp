// Test entry: a Qt application on the offscreen platform, so that fonts,
// images and (for the window tests) widgets work without a display.
#include <gmock/gmock.h>
#ifdef VELTRANO_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TestApplication app(argc, argv);
    ::testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
