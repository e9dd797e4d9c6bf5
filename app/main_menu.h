#pragma once
// The main menu of the main window, built from the command table: captions
// with their access-key ampersands, shortcuts and the state at start. Each
// item is a QAction named like its control.

#include <QString>

class QMenuBar;

namespace veltrano {

void buildMainMenu(QMenuBar* menuBar);

// The caption without its access-key ampersand ("Ö&ffnen" -> "Öffnen").
QString withoutAccessKey(const QString& caption);

}  // namespace veltrano
