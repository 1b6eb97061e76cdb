#include "MainWindowProbe.h"

#include "core/assessment/AgeString.h"
#include "core/profiles/ProfileInputs.h"
#include "widgets/controls/Slider.h"
#include "widgets/controls/StatementCheckBox.h"
#include "windows/mainwindow/Form1.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QToolBar>
#include <QtTest>

template <typename T> T* MainWindowProbe::child(const QString& name) const
{
    T* found = m_form.findChild<T*>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

// A member of a control array: the array's name and its "index" property.
template <typename T> T* MainWindowProbe::member(const char* array, int index) const
{
    const auto members = m_form.findChildren<T*>(QString::fromLatin1(array));
    for (T* m : members) {
        if (m->property("index").toInt() == index)
            return m;
    }
    qFatal("no control %s(%d)", array, index);
}

Slider* MainWindowProbe::slider(int n) const
{
    return child<Slider>(QStringLiteral("Slider%1").arg(n));
}

QRadioButton* MainWindowProbe::option(int index) const
{
    return member<QRadioButton>("Option1", index);
}

StatementCheckBox* MainWindowProbe::check(int index) const
{
    return member<StatementCheckBox>("Check1", index);
}

QComboBox* MainWindowProbe::rating() const
{
    return child<QComboBox>(QStringLiteral("Combo1"));
}

QComboBox* MainWindowProbe::profileBox() const
{
    return child<QComboBox>(QStringLiteral("Combo2"));
}

QAction* MainWindowProbe::profileButton(const char* key) const
{
    const QList<QAction*> actions = child<QToolBar>(QStringLiteral("Toolbar1"))->actions();
    for (QAction* action : actions) {
        if (action->objectName() == QLatin1String(key))
            return action;
    }
    qFatal("no profile button %s", key);
}

QLabel* MainWindowProbe::label(const char* name) const
{
    return child<QLabel>(QString::fromLatin1(name));
}

QString MainWindowProbe::text(const char* name) const
{
    return label(name)->text();
}

QStringList MainWindowProbe::entries() const
{
    QStringList result;
    const QComboBox* box = profileBox();
    for (int i = 0; i < box->count(); ++i)
        result << box->itemText(i);
    return result;
}

void MainWindowProbe::pick(const QString& name) const
{
    profileBox()->setCurrentIndex(entries().indexOf(name));
}

QStringList MainWindowProbe::valueLabels() const
{
    QStringList result;
    for (const char* name : {"Label12", "Label13", "Label15", "Label7", "Label5"})
        result << text(name);
    return result;
}

QStringList MainWindowProbe::labelsFor(const ProfileInputs& inputs)
{
    return {AgeString(inputs.calendarAge.value_or(0)),
            QStringLiteral("%1 кг").arg(inputs.bodyMass.value_or(0)),
            QStringLiteral("%1 / %2")
                .arg(inputs.systolic.value_or(0) * 10)
                .arg(inputs.diastolic.value_or(0) * 10),
            QStringLiteral("%1 сек").arg(inputs.breathHold.value_or(0)),
            QStringLiteral("%1 сек").arg(inputs.balance.value_or(0))};
}

void MainWindowProbe::stepTo(Slider* slider, int value)
{
    const int steps = qAbs(value - slider->value());
    const Qt::Key key = value > slider->value() ? Qt::Key_Right : Qt::Key_Left;
    for (int i = 0; i < steps; ++i)
        QTest::keyClick(slider, key);
}

void MainWindowProbe::type(QWidget* widget, const QString& text)
{
    for (const QChar ch : text) {
        QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
}
