#include "app/main_menu.h"

#include "commands/command_table.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace veltrano {

void buildMainMenu(QMenuBar* menuBar)
{
    for (const MenuRow& menuRow : mainMenus()) {
        QMenu* menu = menuBar->addMenu(QString::fromUtf8(menuRow.caption));
        menu->setObjectName(menuRow.name);
        menu->menuAction()->setObjectName(menuRow.name);
        for (const CommandRow& item : commandTable()) {
            if (!item.menu || qstrcmp(item.menu, menuRow.name) != 0)
                continue;
            if (!item.name) {
                menu->addSeparator();
                continue;
            }
            if (!item.run) {
                QMenu* list = menu->addMenu(QString::fromUtf8(item.caption));
                list->setObjectName(item.name);
                list->menuAction()->setObjectName(item.name);
                list->setEnabled(item.enabled);
                continue;
            }
            QAction* action = menu->addAction(QString::fromUtf8(item.caption));
            action->setObjectName(item.name);
            QList<QKeySequence> keys;
            for (const QKeyCombination key : {item.shortcut, item.otherShortcut}) {
                if (key != QKeyCombination())
                    keys.append(QKeySequence(key));
            }
            action->setShortcuts(keys);
            action->setEnabled(item.enabled);
        }
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
