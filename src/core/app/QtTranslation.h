#pragma once

class QCoreApplication;

// Qt's own texts (message-box buttons, the line edit's menu) in Russian like the rest of the
// interface, whatever the system locale. Loads qtbase_ru from Qt's translations folder once and
// installs it for the application's lifetime; returns false when the file cannot be loaded.
bool installQtTranslation(QCoreApplication& app);
