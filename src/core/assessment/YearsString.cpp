#include "core/assessment/YearsString.h"

#include "core/app/DisplayLocale.h"
#include "core/assessment/RussianPlural.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

constexpr qint64 Scale = 10000;

quint64 magnitude(qint64 raw)
{
    return raw < 0 ? 0 - static_cast<quint64>(raw) : static_cast<quint64>(raw);
}

} // namespace

QString DecimalString(FixedPoint value, SignStyle sign)
{
    const qint64 raw = value.raw();
    const quint64 m = magnitude(raw);
    QString text = QString::number(m / Scale);
    if (const quint64 fraction = m % Scale) {
        QString digits = QString::number(fraction).rightJustified(4, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        text += DisplayLocale::decimalPoint() + digits;
    }
    if (raw < 0)
        text.prepend(QChar(0x2212));
    else if (raw > 0 && sign == SignStyle::Explicit)
        text.prepend(QLatin1Char('+'));
    return text;
}

QString FixedDecimalString(FixedPoint value, int decimals)
{
    decimals = std::clamp(decimals, 0, 4);
    quint64 unit = 1;
    for (int i = decimals; i < 4; ++i)
        unit *= 10;
    const qint64 raw = value.raw();
    const quint64 m = magnitude(raw);
    const quint64 rounded = m / unit + (m % unit >= (unit + 1) / 2 && unit > 1 ? 1 : 0);
    quint64 digitsScale = 1;
    for (int i = 0; i < decimals; ++i)
        digitsScale *= 10;
    QString text = QString::number(rounded / digitsScale);
    if (decimals > 0)
        text += DisplayLocale::decimalPoint() +
                QString::number(rounded % digitsScale).rightJustified(decimals, QLatin1Char('0'));
    if (raw < 0 && rounded != 0)
        text.prepend(QChar(0x2212));
    return text;
}

QString EnglishYearsWord(int count)
{
    // Russian declines the word itself (RussianPluralForm): a Russian source text has no
    // catalogue of its own to take plural forms from.
    return QCoreApplication::translate("YearsString", "лет", "the word after a number of years",
                                       count);
}

QString YearsString(FixedPoint years, SignStyle sign, YearsCase wordCase)
{
    const quint64 m = magnitude(years.raw());
    QString word;
    if (!DisplayLocale::isRussian()) {
        // A fraction takes the plural: 1 year, 1.5 years, 2 years.
        const quint64 count = m % Scale != 0 ? 2 : m / Scale;
        word = EnglishYearsWord(static_cast<int>(std::min<quint64>(count, 2)));
    } else if (m % Scale != 0) {
        word = QStringLiteral("года");
    } else {
        // The last two digits decide, so the magnitude modulo 100 is declined like the number.
        const PluralForm form = RussianPluralForm(static_cast<qint64>(m / Scale % 100));
        if (wordCase == YearsCase::Genitive)
            word = form == PluralForm::One ? QStringLiteral("года") : QStringLiteral("лет");
        else if (form == PluralForm::One)
            word = QStringLiteral("год");
        else if (form == PluralForm::Few)
            word = QStringLiteral("года");
        else
            word = QStringLiteral("лет");
    }
    return DecimalString(years, sign) + QLatin1Char(' ') + word;
}
