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
#include <cstdlib>
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

// Qt ends a program whose window system cannot be reached with a fatal
// message of its own (and an abort). While the application is created, the
// messages are held back: a fatal one becomes one German line and exit
// status 1, the others are passed on once the start has succeeded.
QtMessageHandler g_passOn = nullptr;
struct HeldMessage {
    QtMsgType type;
    const char* file;
    int line;
    const char* function;
    const char* category;
    QString text;
};
QList<HeldMessage> g_heldBack;

void holdBackStartMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg) {
        std::fputs("veltrano: Keine grafische Anzeige erreichbar (DISPLAY oder WAYLAND_DISPLAY); "
                   "das Fenster kann nicht geöffnet werden. Formeldateien ohne Fenster wandelt veltrano-render um.\n",
                   stderr);
        std::_Exit(1);
    }
    g_heldBack.append({type, context.file, context.line, context.function, context.category, message});
}

}  // namespace

int main(int argc, char** argv)
{
    g_passOn = qInstallMessageHandler(holdBackStartMessages);
    QApplication application(argc, argv);
    qInstallMessageHandler(g_passOn);
    for (const HeldMessage& held : std::as_const(g_heldBack)) {
        const QMessageLogContext context(held.file, held.line, held.function, held.category);
        if (g_passOn)
            g_passOn(held.type, context, held.text);
    }
    g_heldBack.clear();
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
