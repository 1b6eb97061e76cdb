#include "core/profiles/ProfileStore.h"

#include "core/profiles/SettingsStore.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QVariant>

#include <algorithm>
#include <limits>

namespace {

const QString lastIndexKey = QStringLiteral("LastIndex");

QString nameKey(qint64 n)
{
    return QLatin1Char('_') + QString::number(n) + QLatin1Char('_');
}

// The number of a name key "_n_" as the store writes it, or 0 for any other key.
qint64 numberOfKey(const QString& key)
{
    if (key.size() < 3 || !key.startsWith(QLatin1Char('_')) || !key.endsWith(QLatin1Char('_')))
        return 0;
    const QString digits = key.mid(1, key.size() - 2);
    bool ok = false;
    const qint64 n = digits.toLongLong(&ok);
    return ok && n > 0 && QString::number(n) == digits ? n : 0;
}

bool parseInt(const QString& text, int& value)
{
    bool ok = false;
    const qint64 wide = text.trimmed().toLongLong(&ok);
    if (!ok || wide < std::numeric_limits<int>::min() || wide > std::numeric_limits<int>::max())
        return false;
    value = static_cast<int>(wide);
    return true;
}

bool isSlider(const QObject* c)
{
    return c->objectName().startsWith(QLatin1String("Slid"));
}
bool isOption(const QObject* c)
{
    return c->objectName().startsWith(QLatin1String("Opti"));
}
bool isCheck(const QObject* c)
{
    return c->objectName().startsWith(QLatin1String("Chec"));
}
bool isRating(const QObject* c)
{
    return c->objectName() == QLatin1String("Combo1");
}

// "True" selects the option and clears its partner; "False" clears it, so that neither
// option being selected is a state a profile can hold.
void setOption(QAbstractButton* option, bool on)
{
    if (option->isChecked() == on)
        return;
    QButtonGroup* group = option->group();
    const bool exclusive = group && group->exclusive();
    const bool autoExclusive = option->autoExclusive();
    if (exclusive)
        group->setExclusive(false);
    option->setAutoExclusive(false);
    if (on && group) {
        const QList<QAbstractButton*> partners = group->buttons();
        for (QAbstractButton* other : partners) {
            if (other != option)
                other->setChecked(false);
        }
    }
    option->setChecked(on);
    option->setAutoExclusive(autoExclusive);
    if (exclusive)
        group->setExclusive(true);
}

} // namespace

ProfileStore::ProfileStore(SettingsStore& store) : m_store(store) {}

bool ProfileStore::nameAllowed(const QString& name)
{
    return !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
}

QString ProfileStore::valueText(const QObject* control)
{
    if (isCheck(control)) {
        if (const auto* box = qobject_cast<const QCheckBox*>(control)) {
            switch (box->checkState()) {
            case Qt::Unchecked:
                return QStringLiteral("0");
            case Qt::Checked:
                return QStringLiteral("1");
            case Qt::PartiallyChecked:
                return QStringLiteral("2");
            }
        }
    }
    if (isOption(control)) {
        if (const auto* option = qobject_cast<const QAbstractButton*>(control))
            return option->isChecked() ? QStringLiteral("True") : QStringLiteral("False");
    }
    if (isSlider(control)) {
        const QVariant v = control->property("Value");
        if (v.isValid())
            return QString::number(v.toInt());
    }
    if (isRating(control)) {
        if (const auto* combo = qobject_cast<const QComboBox*>(control))
            return QString::number(combo->currentIndex());
    }
    return QString();
}

bool ProfileStore::assignValue(QObject* control, const QString& text)
{
    if (isCheck(control)) {
        auto* box = qobject_cast<QCheckBox*>(control);
        int state = 0;
        if (!box || !parseInt(text, state) || state < 0 || state > 2)
            return false;
        // Greyed only when a profile asks for it; otherwise a click never lands on it.
        if (state == 2) {
            box->setTristate(true);
            box->setCheckState(Qt::PartiallyChecked);
        } else {
            box->setCheckState(state == 1 ? Qt::Checked : Qt::Unchecked);
            box->setTristate(false);
        }
        return true;
    }
    if (isOption(control)) {
        auto* option = qobject_cast<QAbstractButton*>(control);
        const QString t = text.trimmed();
        const bool on = t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0;
        if (!option || (!on && t.compare(QLatin1String("False"), Qt::CaseInsensitive) != 0))
            return false;
        setOption(option, on);
        return true;
    }
    if (isSlider(control)) {
        int value = 0;
        // The slider keeps its value within its own range.
        return parseInt(text, value) && control->setProperty("Value", value);
    }
    if (isRating(control)) {
        auto* combo = qobject_cast<QComboBox*>(control);
        int index = 0;
        if (!combo || !parseInt(text, index) || index < 0 || index >= combo->count())
            return false;
        combo->setCurrentIndex(index);
        return true;
    }
    return false;
}

ProfileStore::Numbers ProfileStore::numbers() const
{
    Numbers result;
    const QHash<QString, QString> keys = m_store.keys(application(), listSection());
    for (auto it = keys.cbegin(); it != keys.cend(); ++it) {
        if (const qint64 n = numberOfKey(it.key()))
            result.names.append({n, it.value()});
    }
    std::sort(result.names.begin(), result.names.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    // An unreadable or negative LastIndex counts as 0; a name key above it still keeps its
    // number, so the next profile never takes over an existing one.
    bool ok = false;
    const qint64 last = keys.value(lastIndexKey).trimmed().toLongLong(&ok);
    result.last = ok && last > 0 ? last : 0;
    if (!result.names.isEmpty())
        result.last = std::max(result.last, result.names.constLast().first);
    return result;
}

qint64 ProfileStore::numberOf(const QString& name, const Numbers& n)
{
    // Only existing name keys are visited: a LastIndex of billions costs nothing.
    for (const auto& [number, stored] : n.names) {
        if (stored == name)
            return number;
    }
    return 0;
}

QStringList ProfileStore::LoadPresets() const
{
    QStringList names;
    const Numbers n = numbers();
    for (const auto& [number, name] : n.names) {
        if (!name.isEmpty())
            names.append(name);
    }
    return names;
}

bool ProfileStore::Save(const QString& name, bool listedAlready, const QList<QObject*>& controls)
{
    const Numbers n = numbers();
    if (n.last == std::numeric_limits<qint64>::max())
        return false;

    SettingsStore::Batch batch;
    if (listedAlready) {
        if (const qint64 old = numberOf(name, n)) {
            batch.deleteKey(listSection(), nameKey(old));
            batch.deleteSection(profileSection(name));
        }
    }
    const qint64 number = n.last + 1;
    batch.save(listSection(), nameKey(number), name);
    batch.save(listSection(), lastIndexKey, QString::number(number));
    const QString section = profileSection(name);
    for (qsizetype i = 0; i < controls.size(); ++i) {
        const QString text = valueText(controls.at(i));
        if (!text.isNull())
            batch.save(section, QLatin1Char('C') + QString::number(i), text);
    }
    return m_store.apply(application(), batch);
}

void ProfileStore::Read(const QString& name, const QList<QObject*>& controls) const
{
    const QHash<QString, QString> stored = m_store.keys(application(), profileSection(name));
    for (qsizetype i = 0; i < controls.size(); ++i) {
        QObject* control = controls.at(i);
        if (!isCheck(control) && !isOption(control) && !isSlider(control) && !isRating(control))
            continue;
        const auto it = stored.constFind(QLatin1Char('C') + QString::number(i));
        if (it != stored.cend())
            assignValue(control, it.value());
    }
}

bool ProfileStore::DelPreset(const QString& name)
{
    const qint64 number = numberOf(name, numbers());
    if (!number)
        return true;
    SettingsStore::Batch batch;
    batch.deleteKey(listSection(), nameKey(number));
    batch.deleteSection(profileSection(name));
    return m_store.apply(application(), batch);
}
