// The language of Qt's own texts (message box buttons, an edit field's context menu).
#pragma once

class QTranslator;

// Loads Qt's Chinese texts into translator and installs it, since the program speaks Chinese
// whatever the user's locale; FALSE when the system has no such translation.
bool InstallQtTranslations(QTranslator& translator);
