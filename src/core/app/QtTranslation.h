#pragma once

#include "core/app/UiLanguage.h"

class QCoreApplication;

// Chooses the interface's language from the system's preferred languages, writes numbers and
// dates in it (DisplayLocale) and installs its catalogues. Returns the language chosen.
UiLanguage applySystemLanguage(QCoreApplication& app);

// Installs the catalogues for a language, replacing those an earlier call installed: in
// Russian Qt's own texts (message-box buttons, the line edit's menu) from qtbase_ru in Qt's
// translations folder; in English the program's English texts (Qt's are English already).
// Returns false when a catalogue cannot be loaded; the texts then stay in the source language.
bool installTranslations(QCoreApplication& app, UiLanguage language);
