// Program entry: the application, the main window, the About window and the
// template palette in this order, then the message loop until the main
// window closes.
//
// For pictures of the window without a person at the screen,
//   veltrano --screenshot FILE.png [FILE.cfd]
// shows the window, saves what it shows as a PNG and quits.

#include "app/aboutf.h"
#include "app/application_setup.h"
#include "app/auswahlf.h"
#include "app/german_translations.h"
#include "app/hauptf.h"
#include "commands/startup.h"

#include <QApplication>
#include <QPixmap>
#include <QTimer>

#include <cstdio>
#include <optional>

namespace {

// Takes "--screenshot FILE" off the front of the parameters.
std::optional<QString> takeScreenshotOption(QStringList& parameters)
{
    if (parameters.size() < 2 || parameters.front() != QLatin1String("--screenshot"))
        return std::nullopt;
    const QString file = parameters.at(1);
    parameters.remove(0, 2);
    return file;
}

// Saves the window once the first repaint has been shown, then quits.
void scheduleScreenshot(QWidget& window, const QString& file)
{
    QTimer::singleShot(300, &window, [&window, file] {
        const bool saved = window.grab().save(file, "PNG");
        if (!saved)
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        QApplication::exit(saved ? 0 : 1);
    });
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    veltrano::setUpApplication();
    veltrano::installGermanTranslations(application);

    veltrano::StartupEnvironment environment = veltrano::StartupEnvironment::fromProcess();
    const std::optional<QString> screenshot = takeScreenshotOption(environment.parameters);

    veltrano::Thauptf mainWindow(environment);
    veltrano::Taboutf about;
    veltrano::TAuswahlf templatePalette(&mainWindow);
    // Only the main window ends the program; the others are hidden helpers.
    about.setAttribute(Qt::WA_QuitOnClose, false);
    templatePalette.setAttribute(Qt::WA_QuitOnClose, false);
    mainWindow.setAboutWindow(&about);
    mainWindow.setTemplatePalette(&templatePalette);

    mainWindow.show();
    if (screenshot)
        scheduleScreenshot(mainWindow, *screenshot);
    return application.exec();
}
