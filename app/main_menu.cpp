#include "app/main_menu.h"

#include "app/hauptf.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace veltrano {

namespace {

constexpr QKeyCombination kNoShortcut{};

const MenuRow kMenus[] = {
    {"Datei1", "&Datei"},
    {"Bearbeiten1", "&Bearbeiten"},
    {"Info1", "&Info"},
};

const MenuItemRow kItems[] = {
    {"Datei1", "Neu1", "&Neu", kNoShortcut, true, &Thauptf::Neu1Click},
    {"Datei1", "ffnen1", "Ö&ffnen", kNoShortcut, true, &Thauptf::ffnen1Click},
    {"Datei1", "Speichern2", "&Speichern", Qt::CTRL | Qt::Key_S, true, &Thauptf::Speichern2Click},
    {"Datei1", "Speichern1", "Speichern &unter", kNoShortcut, true, &Thauptf::Speichern1Click},
    {"Datei1", "FormelAntwortspeichern1", "Formel+Antwort speichern", Qt::CTRL | Qt::ALT | Qt::Key_S, true, &Thauptf::FormelAntwortspeichern1Click},
    {"Datei1", nullptr, nullptr, kNoShortcut, true, nullptr},
    {"Datei1", "Importieren1", "cfd-Datei einfügen", kNoShortcut, true, &Thauptf::Importieren1Click},
    {"Datei1", "Exportieren1", "Als bmp exportieren", kNoShortcut, true, &Thauptf::Exportieren1Click},
    {"Datei1", "Passendebmpexportieren1", "Passende bmp exportieren", kNoShortcut, true, &Thauptf::Passendebmpexportieren1Click},
    {"Datei1", "AlsSVGexportieren1", "Als SVG exportieren", kNoShortcut, true, &Thauptf::AlsSVGexportieren1Click},
    {"Datei1", "AlsPDFexportieren1", "Als PDF exportieren", kNoShortcut, true, &Thauptf::AlsPDFexportieren1Click},
    {"Datei1", "Drucken1", "Drucken...", Qt::CTRL | Qt::Key_P, true, &Thauptf::Drucken1Click},
    {"Datei1", nullptr, nullptr, kNoShortcut, true, nullptr},
    {"Datei1", "Beenden1", "&Beenden", Qt::CTRL | Qt::Key_B, true, &Thauptf::Beenden1Click},
    {"Bearbeiten1", "Undo1", "Rückgängig", Qt::ALT | Qt::Key_Backspace, true, &Thauptf::Undo1Click},
    {"Bearbeiten1", "Lschen1", "Löschen", QKeyCombination(Qt::Key_Delete), false, &Thauptf::Lschen1Click},
    {"Bearbeiten1", "Kopieren1", "Kopieren", Qt::CTRL | Qt::Key_C, false, &Thauptf::Kopieren1Click},
    {"Bearbeiten1", "Einfgen1", "Einfügen", Qt::CTRL | Qt::Key_V, false, &Thauptf::Einfgen1Click},
    {"Bearbeiten1", nullptr, nullptr, kNoShortcut, true, nullptr},
    {"Bearbeiten1", "AlsBildkopieren1", "Als Bild kopieren", Qt::CTRL | Qt::SHIFT | Qt::Key_C, true, &Thauptf::AlsBildkopieren1Click},
    {"Info1", "Hilfe1", "&Hilfe", QKeyCombination(Qt::Key_F1), true, &Thauptf::Hilfe1Click},
    {"Info1", nullptr, nullptr, kNoShortcut, true, nullptr},
    {"Info1", "About1", "&About", kNoShortcut, true, &Thauptf::About1Click},
};

}  // namespace

std::span<const MenuRow> mainMenus()
{
    return kMenus;
}

std::span<const MenuItemRow> mainMenuItems()
{
    return kItems;
}

void buildMainMenu(QMenuBar* menuBar)
{
    for (const MenuRow& menuRow : kMenus) {
        QMenu* menu = menuBar->addMenu(QString::fromUtf8(menuRow.caption));
        menu->setObjectName(menuRow.name);
        menu->menuAction()->setObjectName(menuRow.name);
        for (const MenuItemRow& item : kItems) {
            if (qstrcmp(item.menu, menuRow.name) != 0)
                continue;
            if (!item.name) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(QString::fromUtf8(item.caption));
            action->setObjectName(item.name);
            if (item.shortcut != kNoShortcut)
                action->setShortcut(QKeySequence(item.shortcut));
            action->setEnabled(item.enabled);
        }
    }
}

void connectMainMenu(QMenuBar* menuBar, Thauptf* window)
{
    for (const MenuItemRow& item : kItems) {
        if (!item.name)
            continue;
        QAction* action = menuBar->findChild<QAction*>(item.name);
        if (!action) {
            qWarning("menu item %s is missing", item.name);
            continue;
        }
        // A menu shortcut can come while a mouse button is held on I1; the
        // command then ends that gesture before it runs.
        QObject::connect(action, &QAction::triggered, window, [window, handler = item.handler] {
            window->endPointerGestureForCommand();
            (window->*handler)();
        });
    }
}

QString withoutAccessKey(const QString& caption)
{
    QString plain;
    plain.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&') {
            // "&&" is a literal ampersand; a single one marks the access key.
            if (i + 1 < caption.size() && caption[i + 1] == u'&') {
                plain += u'&';
                ++i;
            }
            continue;
        }
        plain += caption[i];
    }
    return plain;
}

}  // namespace veltrano
