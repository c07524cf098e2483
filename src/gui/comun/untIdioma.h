// Qt's own texts in Spanish: the file dialogs, the print preview, the
// standard buttons and the fields' context menus.
#pragma once

#include <QString>

// Installs Qt's Spanish translation (qtbase_es) from `carpeta`, by default
// the translations folder of the Qt the program runs on, with the few texts
// of the file dialogs that it lacks.  False, and nothing installed, when the
// file is missing there: Qt's texts then stay in English.  Call once, after
// the application object exists.
bool CargarTraduccionQt(const QString& carpeta = {});
