#pragma once
// The standard dialogs and buttons of Qt (file and colour dialogs, their
// labels and buttons) speak German, whatever the machine's locale: German
// becomes the default locale and Qt's own German translations are loaded
// from the folder Qt keeps them in. The program's own message boxes carry
// their own texts and need none of this.

class QCoreApplication;
class QTranslator;

namespace veltrano {

// Installs the translations into the application, which owns them. Returns
// the installed translator, or nullptr when the system has no German
// translations of Qt (the dialogs then stay in Qt's English).
QTranslator* installGermanTranslations(QCoreApplication& application);

}  // namespace veltrano
