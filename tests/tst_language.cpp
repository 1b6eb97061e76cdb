#include "core/app/DisplayLocale.h"
#include "core/app/LanguageChoice.h"
#include "core/app/QtTranslation.h"
#include "core/assessment/AgeString.h"
#include "core/assessment/AssessmentRecord.h"
#include "core/assessment/ComputeAssessment.h"
#include "core/assessment/YearsString.h"
#include "core/history/AgingPace.h"
#include "core/history/HistoryCsv.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QProcess>
#include <QtTest>

#include <cstdio>
#include <cstring>
#include <functional>

namespace {

// Run as a child with a system's environment, the program's own choice is printed:
// "<language> <decimal point> <a date>".
constexpr const char* ChoiceSwitch = "--print-choice";

int printChoice(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const UiLanguage language = applySystemLanguage(app);
    const QString line =
        QStringLiteral("%1 %2 %3")
            .arg(language == UiLanguage::English ? QStringLiteral("en") : QStringLiteral("ru"),
                 DisplayLocale::decimalPoint(), DisplayLocale::compactDate(QDate(2026, 2, 1)));
    std::puts(line.toUtf8().constData());
    return 0;
}

using Text = std::function<QString()>;

// A man's records on the given days after a fixed morning.
QList<HistoryEntry> recordsOnDays(const QList<int>& days)
{
    QList<HistoryEntry> entries;
    for (int day : days) {
        HistoryEntry e;
        e.recordedAt = QDateTime(QDate(2026, 1, 1), QTime(8, 0), Qt::UTC).addDays(day);
        e.inputs.sex = Sex::Male;
        entries.append(e);
    }
    return entries;
}

// The first three fields of the CSV's header as the window writes it, with the separator the
// decimal point calls for.
QString csvHeaderStart()
{
    const HistoryCsv csv(DisplayLocale::decimalPoint());
    return QString::fromUtf8(csv.text({}))
        .remove(QChar(0xFEFF))
        .section(QStringLiteral("\r\n"), 0, 0)
        .section(csv.fieldSeparator(), 0, 2);
}

void use(UiLanguage language)
{
    DisplayLocale::set(language, language == UiLanguage::Russian
                                     ? QLocale(QLocale::Russian, QLocale::Russia)
                                     : QLocale(QLocale::English, QLocale::UnitedStates));
    QVERIFY(installTranslations(*qApp, language));
}

} // namespace

Q_DECLARE_METATYPE(Text)
Q_DECLARE_METATYPE(UiLanguage)

class TestLanguage : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { use(UiLanguage::Russian); }

    void fromUiLanguages_data()
    {
        QTest::addColumn<QStringList>("uiLanguages");
        QTest::addColumn<UiLanguage>("expected");
        const auto ru = UiLanguage::Russian;
        const auto en = UiLanguage::English;
        QTest::newRow("none") << QStringList() << ru;
        QTest::newRow("C") << QStringList{"C"} << ru;
        QTest::newRow("en_US") << QStringList{"en-US", "en-Latn-US", "en"} << en;
        QTest::newRow("en_GB before ru") << QStringList{"en-GB", "en-Latn-GB", "ru", "ru-RU"} << en;
        QTest::newRow("ru before en") << QStringList{"ru", "ru-Cyrl-RU", "en", "en-US"} << ru;
        QTest::newRow("German") << QStringList{"de", "de-Latn-DE", "de-DE"} << ru;
        QTest::newRow("French") << QStringList{"fr-FR", "fr"} << ru;
        QTest::newRow("German, then English") << QStringList{"de", "de-DE", "en", "en-US"} << en;
        QTest::newRow("German, then Russian") << QStringList{"de", "ru", "en"} << ru;
        QTest::newRow("Esperanto is not English") << QStringList{"eo", "enx"} << ru;
        QTest::newRow("underscore form") << QStringList{"en_AU"} << en;
    }

    void fromUiLanguages()
    {
        QFETCH(QStringList, uiLanguages);
        QFETCH(UiLanguage, expected);
        QCOMPARE(LanguageChoice::fromUiLanguages(uiLanguages), expected);
    }

    // The environment as a desktop session sets it, read by Qt in a fresh process.
    void systemEnvironment_data()
    {
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no locale") << QStringList() << "ru , 01.02.26";
        QTest::newRow("LANG=C") << QStringList{"LANG=C"} << "ru , 01.02.26";
        QTest::newRow("LANG=POSIX") << QStringList{"LANG=POSIX"} << "ru , 01.02.26";
        QTest::newRow("LC_ALL=C over English")
            << QStringList{"LC_ALL=C", "LANG=en_US.UTF-8"} << "ru , 01.02.26";
        QTest::newRow("en_US") << QStringList{"LANGUAGE=en_US:en", "LANG=en_US.UTF-8"}
                               << "en . 2/1/26";
        QTest::newRow("en_GB") << QStringList{"LANG=en_GB.UTF-8"} << "en . 01/02/26";
        QTest::newRow("ru_RU") << QStringList{"LANG=ru_RU.UTF-8"} << "ru , 01.02.26";
        QTest::newRow("de_DE") << QStringList{"LANG=de_DE.UTF-8"} << "ru , 01.02.26";
        QTest::newRow("fr_FR") << QStringList{"LANGUAGE=fr", "LANG=fr_FR.UTF-8"} << "ru , 01.02.26";
        QTest::newRow("Russian first, English system")
            << QStringList{"LANGUAGE=ru:en", "LANG=en_US.UTF-8"} << "ru , 01.02.26";
        QTest::newRow("English messages, Russian numbers")
            << QStringList{"LC_MESSAGES=en_GB.UTF-8", "LANG=ru_RU.UTF-8"} << "en . 01/02/26";
    }

    void systemEnvironment()
    {
        QFETCH(QStringList, environment);
        QFETCH(QString, expected);
        QProcess child;
        child.setEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(ChoiceSwitch)});
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(child.readAllStandardOutput()).trimmed(), expected);
    }

    void cLocaleIsRussian()
    {
        QCOMPARE(LanguageChoice::forSystem(QLocale::c()), UiLanguage::Russian);
    }

    void formattingLocale_data()
    {
        QTest::addColumn<UiLanguage>("language");
        QTest::addColumn<QString>("system");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Russian on an English system") << UiLanguage::Russian << "en_US"
                                                      << "ru_RU";
        QTest::newRow("Russian on a German system") << UiLanguage::Russian << "de_DE"
                                                    << "ru_RU";
        QTest::newRow("English, American") << UiLanguage::English << "en_US"
                                           << "en_US";
        QTest::newRow("English, British") << UiLanguage::English << "en_GB"
                                          << "en_GB";
        QTest::newRow("English on a non-English system") << UiLanguage::English << "de_DE"
                                                         << "en_US";
    }

    void formattingLocale()
    {
        QFETCH(UiLanguage, language);
        QFETCH(QString, system);
        QFETCH(QString, expected);
        QCOMPARE(LanguageChoice::formattingLocale(language, QLocale(system)).name(), expected);
    }

    // The same call gives the English text with English chosen and the Russian one, exactly as
    // before, otherwise.
    void textsFollowLanguage_data()
    {
        QTest::addColumn<Text>("text");
        QTest::addColumn<QString>("russian");
        QTest::addColumn<QString>("english");
        QTest::newRow("statement") << Text([] { return AssessmentRecord::statementTexts().at(0); })
                                   << "Меня беспокоит головная боль"
                                   << "I suffer from headaches";
        QTest::newRow("rating") << Text([] { return AssessmentRecord::ratingTexts().at(3); })
                                << "очень плохое"
                                << "very poor";
        QTest::newRow("verdict title")
            << Text([] { return VerdictTitle(1); }) << "Замедленное старение."
            << "Slowed aging.";
        QTest::newRow("verdict")
            << Text([] { return ComputeAssessment(AssessmentRecord()).verdictText; })
            << "Ускоренное старение.\r\nФизически Вы чувствуете себя гораздо старше, чем есть на "
               "самом деле. Уделите внимание своему здоровью, ему еще рано подводить Вас столь "
               "заметно."
            << "Accelerated aging.\r\nPhysically you feel much older than you really are. Pay "
               "attention to your health: it is too early for it to let you down so noticeably.";
        QTest::newRow("1 year") << Text([] { return YearsString(FixedPoint::fromInt(1)); })
                                << "1 год"
                                << "1 year";
        QTest::newRow("-1 year") << Text([] { return YearsString(FixedPoint::fromInt(-1)); })
                                 << "−1 год"
                                 << "−1 year";
        QTest::newRow("2 years") << Text([] { return YearsString(FixedPoint::fromInt(2)); })
                                 << "2 года"
                                 << "2 years";
        QTest::newRow("11 years") << Text([] { return YearsString(FixedPoint::fromInt(11)); })
                                  << "11 лет"
                                  << "11 years";
        QTest::newRow("21 years") << Text([] { return AgeString(21); }) << "21 год"
                                  << "21 years";
        QTest::newRow("fraction") << Text([] {
            return YearsString(FixedPoint::fromRaw(-15000), SignStyle::Explicit);
        }) << "−1,5 года"
                                  << "−1.5 years";
        QTest::newRow("genitive") << Text([] {
            return YearsString(FixedPoint::fromInt(21), SignStyle::MinusOnly, YearsCase::Genitive);
        }) << "21 года"
                                  << "21 years";
        // English counts by English rules, whatever Russian would decline (21 день).
        QTest::newRow("pace, 1 record")
            << Text([] { return AgingPace::of(recordsOnDays({0})).text(); })
            << "Темп старения будет виден с трёх записей за 90 дней и "
               "больше; сейчас 1 запись."
            << "The pace of aging will show from three records over "
               "90 days or more; now 1 record.";
        QTest::newRow("pace, 2 records")
            << Text([] {
                   return AgingPace::of(recordsOnDays({0, 1})).text();
               })
            << "Темп старения будет виден с трёх записей за 90 дней и больше; сейчас 2 записи."
            << "The pace of aging will show from three records over 90 days or more; now 2 "
               "records.";
        QTest::newRow("pace, 21 days")
            << Text([] {
                   return AgingPace::of(recordsOnDays({0, 10, 21})).text();
               })
            << "Темп старения будет виден, когда между первой и последней записью пройдёт 90 "
               "дней; сейчас 21 день."
            << "The pace of aging will show once 90 days have passed between the first and the "
               "latest record; now 21 days.";
        QTest::newRow("CSV header") << Text(&csvHeaderStart) << "Профиль;Дата и время;Пол"
                                    << "Profile,Date and time,Sex";
        QTest::newRow("column decimals")
            << Text([] { return FixedDecimalString(FixedPoint::fromRaw(389000), 2); }) << "38,90"
            << "38.90";
    }

    void textsFollowLanguage()
    {
        QFETCH(Text, text);
        QFETCH(QString, russian);
        QFETCH(QString, english);
        use(UiLanguage::English);
        QCOMPARE(text(), english);
        use(UiLanguage::Russian);
        QCOMPARE(text(), russian);
    }

    void datesFollowLocale_data()
    {
        QTest::addColumn<UiLanguage>("language");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("compact");
        QTest::addColumn<QString>("dateTime");
        QTest::addColumn<QString>("withSeconds");
        QTest::newRow("Russian") << UiLanguage::Russian << "ru_RU"
                                 << "01.02.26"
                                 << "01.02.2026 13:05"
                                 << "01.02.2026 13:05:09";
        QTest::newRow("en_US") << UiLanguage::English << "en_US"
                               << "2/1/26"
                               << "2/1/2026 1:05 PM"
                               << "2/1/2026 1:05:09 PM";
        QTest::newRow("en_GB") << UiLanguage::English << "en_GB"
                               << "01/02/26"
                               << "01/02/2026 13:05"
                               << "01/02/2026 13:05:09";
    }

    void datesFollowLocale()
    {
        QFETCH(UiLanguage, language);
        QFETCH(QString, locale);
        QFETCH(QString, compact);
        QFETCH(QString, dateTime);
        QFETCH(QString, withSeconds);
        DisplayLocale::set(language, QLocale(locale));
        const QDateTime when(QDate(2026, 2, 1), QTime(13, 5, 9));
        QCOMPARE(DisplayLocale::compactDate(when.date()), compact);
        QCOMPARE(DisplayLocale::dateTime(when), dateTime);
        QCOMPARE(DisplayLocale::dateTime(when, true), withSeconds);
    }
};

int main(int argc, char* argv[])
{
    if (argc > 1 && std::strcmp(argv[1], ChoiceSwitch) == 0)
        return printChoice(argc, argv);
    QCoreApplication app(argc, argv);
    TestLanguage test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_language.moc"
