#include "core/app/LanguageChoice.h"

namespace {

// "en", "en-GB", "en_US.UTF-8" name English; "eo" or "enx" do not.
bool names(const QString& tag, QLatin1String language)
{
    return tag.startsWith(language, Qt::CaseInsensitive) &&
           (tag.size() == language.size() || tag.at(language.size()) == QLatin1Char('-') ||
            tag.at(language.size()) == QLatin1Char('_') ||
            tag.at(language.size()) == QLatin1Char('.'));
}

} // namespace

UiLanguage LanguageChoice::fromUiLanguages(const QStringList& uiLanguages)
{
    for (const QString& tag : uiLanguages) {
        if (names(tag, QLatin1String("en")))
            return UiLanguage::English;
        if (names(tag, QLatin1String("ru")))
            return UiLanguage::Russian;
    }
    return UiLanguage::Russian;
}

UiLanguage LanguageChoice::forSystem(const QLocale& system)
{
    // The C locale reports itself as an English-speaking one; it chose no language.
    if (system.language() == QLocale::C)
        return UiLanguage::Russian;
    return fromUiLanguages(system.uiLanguages());
}

QLocale LanguageChoice::formattingLocale(UiLanguage language, const QLocale& system)
{
    if (language == UiLanguage::Russian)
        return QLocale(QLocale::Russian, QLocale::Russia);
    // By the name alone: the system locale takes its numbers from LC_NUMERIC, which may be
    // another language's, and English text goes with English numbers and dates.
    if (system.language() == QLocale::English)
        return QLocale(system.name());
    const QStringList tags = system.uiLanguages();
    for (const QString& tag : tags) {
        if (names(tag, QLatin1String("en")))
            return QLocale(tag);
    }
    return QLocale(QLocale::English, QLocale::UnitedStates);
}
