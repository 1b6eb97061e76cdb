#pragma once

#include "core/app/UiLanguage.h"

#include <QLocale>
#include <QStringList>

// Which language the interface speaks and which locale writes its numbers and dates.
class LanguageChoice
{
public:
    // English when the preferred languages name English before Russian; Russian otherwise,
    // also when they name neither (a German desktop, the C and POSIX locales).
    static UiLanguage fromUiLanguages(const QStringList& uiLanguages);
    // The same decision for a system locale (QLocale::system() follows LANGUAGE, LC_ALL,
    // LC_MESSAGES and LANG).
    static UiLanguage forSystem(const QLocale& system);
    // Russian conventions in Russian whatever the system says; in English the conventions of
    // the system's locale when it is an English one (en_US month/day, en_GB day/month), else
    // of the first English language preferred, else en_US.
    static QLocale formattingLocale(UiLanguage language, const QLocale& system);
};
