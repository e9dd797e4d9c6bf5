// Test entry: a Qt application on the offscreen platform, so that fonts,
// images and (for the window tests) widgets work without a display. A
// platform named in QT_QPA_PLATFORM is kept, so the window tests can also
// run on a real X server (ctest runs them under Xvfb as well).
#include <gmock/gmock.h>
#include <QTemporaryDir>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#ifdef VELTRANO_TEST_WIDGETS
#include "app/application_setup.h"
#include "app/german_translations.h"

#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif

int main(int argc, char** argv)
{
#ifdef __GLIBC__
    // The tests build thousands of editors, each with a fresh 4.8 MB page.
    // glibc handed such blocks back to the system on every free and the
    // next page came as new zeroed memory, page by page: most of the time
    // of the fault-injection tests went to the kernel. Kept in the heap,
    // the blocks are reused (the robustness tests: 18.7 s -> 2.1 s).
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
#endif
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The window's start-up registers the file type; from a test it must
    // write into a folder of its own, never into the system's data folder.
    QTemporaryDir registrationRoot;
    qputenv("VELTRANO_XDG_ROOT", registrationRoot.path().toUtf8());
    // Settings such as the recent files go there too, never into the
    // user's own configuration.
    QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", configHome.path().toUtf8());
    TestApplication app(argc, argv);
#ifdef VELTRANO_TEST_WIDGETS
    // The windows are tested with the settings the program runs with.
    veltrano::setUpApplication();
    veltrano::installGermanTranslations(app);
#endif
    ::testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
