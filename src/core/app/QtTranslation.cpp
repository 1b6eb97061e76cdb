#include "core/app/QtTranslation.h"

#include "core/app/DisplayLocale.h"
#include "core/app/LanguageChoice.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace {

QTranslator* load(QCoreApplication& app, const QString& name, const QString& folder)
{
    auto* translator = new QTranslator(&app);
    if (!translator->load(name, folder) || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

} // namespace

UiLanguage applySystemLanguage(QCoreApplication& app)
{
    const QLocale system = QLocale::system();
    const UiLanguage language = LanguageChoice::forSystem(system);
    DisplayLocale::set(language, LanguageChoice::formattingLocale(language, system));
    installTranslations(app, language);
    return language;
}

bool installTranslations(QCoreApplication& app, UiLanguage language)
{
    static QPointer<QTranslator> installed;
    delete installed.data(); // a deleted translator removes itself from the application

    installed = language == UiLanguage::Russian
                    ? load(app, QStringLiteral("qtbase_ru"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath))
                    : load(app, QStringLiteral("kalder-vitalon_en"), QStringLiteral(":/i18n"));
    return !installed.isNull();
}
