#include "ProfileTestHost.h"

#include "widgets/controls/Slider.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QToolBar>
#include <QVBoxLayout>
#include <QtTest>

namespace {

QObject* filler(QObject* parent, const char* name)
{
    auto* o = new QObject(parent);
    o->setObjectName(QString::fromLatin1(name));
    return o;
}

} // namespace

ProfileTestHost::ProfileTestHost()
{
    setObjectName(QStringLiteral("Form1"));
    auto* layout = new QVBoxLayout(this);

    m_toolbar = new QToolBar(this);
    m_toolbar->setObjectName(QStringLiteral("Toolbar1"));
    m_combo2 = new QComboBox(m_toolbar);
    m_combo2->setObjectName(QStringLiteral("Combo2"));
    m_combo2->setEditable(true);
    m_toolbar->addWidget(m_combo2);
    m_saveAction = m_toolbar->addAction(QString());
    m_saveAction->setObjectName(QStringLiteral("save"));
    m_delAction = m_toolbar->addAction(QString());
    m_delAction->setObjectName(QStringLiteral("del"));
    layout->addWidget(m_toolbar);

    // Sliders 2..7 with their ranges and start positions.
    const int setup[6][3] = {{5, 90, 20}, {10, 200, 65}, {4, 36, 11},
                             {4, 24, 8},  {5, 300, 10},  {1, 60, 3}};
    for (int n = 2; n <= 7; ++n) {
        auto* s = new Slider(this);
        s->setObjectName(QStringLiteral("Slider%1").arg(n));
        s->setMax(setup[n - 2][1]);
        s->setMin(setup[n - 2][0]);
        s->setValue(setup[n - 2][2]);
        m_sliders.append(s);
    }
    m_sex = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) {
        m_options[i] =
            new QRadioButton(i == 0 ? QStringLiteral("Мужской") : QStringLiteral("Женский"), this);
        m_options[i]->setObjectName(QStringLiteral("Option1"));
        m_options[i]->setProperty("index", i);
        m_sex->addButton(m_options[i]);
        layout->addWidget(m_options[i]);
        connect(m_options[i], &QRadioButton::toggled, this, [this] { ++sexSwitches; });
    }
    m_options[0]->setChecked(true);
    sexSwitches = 0;
    for (int k = 0; k < 27; ++k) {
        auto* box = new QCheckBox(QStringLiteral("Утверждение %1").arg(k + 1), this);
        box->setObjectName(QStringLiteral("Check1"));
        box->setProperty("index", k);
        m_checks.append(box);
    }
    m_rating = new QComboBox(this);
    m_rating->setObjectName(QStringLiteral("Combo1"));
    m_rating->addItems({QStringLiteral("плохое"), QStringLiteral("удовлетворительное"),
                        QStringLiteral("хорошее"), QStringLiteral("отличное")});
    m_rating->setCurrentIndex(1);

    m_order = {m_toolbar,
               m_combo2,
               filler(this, "Picture1"),
               filler(this, "Label11"),
               filler(this, "Panel3d3"),
               filler(this, "Picture6"),
               filler(this, "Mail"),
               filler(this, "Image1"),
               filler(this, "Command2"),
               filler(this, "Panel3d2"),
               filler(this, "Command1"),
               filler(this, "Picture3"),
               filler(this, "Toolbar3"),
               filler(this, "Toolbar2"),
               m_sliders[2],
               m_sliders[3],
               m_sliders[4],
               m_sliders[5],
               filler(this, "Label5"),
               filler(this, "Label15"),
               filler(this, "Label8"),
               filler(this, "Label7"),
               filler(this, "Label6"),
               filler(this, "Label4"),
               filler(this, "Label14"),
               filler(this, "Label9"),
               filler(this, "Picture2"),
               m_options[1],
               m_options[0],
               filler(this, "Panel3d1"),
               m_sliders[0],
               m_sliders[1],
               filler(this, "Label1"),
               filler(this, "Label13"),
               filler(this, "Label12"),
               filler(this, "Label3"),
               filler(this, "Label2"),
               filler(this, "Frame1"),
               filler(this, "Picture4")};
    for (QCheckBox* box : std::as_const(m_checks))
        m_order.append(box);
    m_order.append(m_rating);
    for (const char* name : {"Label10", "Frame2", "Picture5", "Timer1", "Image4", "Image3",
                             "Frame3", "StatusBar1", "ImageList2", "ImageList1"})
        m_order.append(filler(this, name));
}

Slider* ProfileTestHost::slider(int n) const
{
    return m_sliders.at(n - 2);
}

void ProfileTestHost::refreshSliders()
{
    for (int n = 2; n <= 7; ++n)
        scrollLog.append(QStringLiteral("Slider%1_Scroll(%2)").arg(n).arg(slider(n)->value()));
}

QString ProfileTestHost::inputs() const
{
    QStringList parts;
    for (int n = 2; n <= 7; ++n)
        parts.append(QStringLiteral("S%1=%2").arg(n).arg(slider(n)->value()));
    parts.append(QStringLiteral("O1=%1").arg(m_options[1]->isChecked() ? "True" : "False"));
    parts.append(QStringLiteral("O0=%1").arg(m_options[0]->isChecked() ? "True" : "False"));
    QString checks;
    for (const QCheckBox* box : m_checks)
        checks += QString::number(box->checkState() == Qt::PartiallyChecked ? 2
                                  : box->isChecked()                        ? 1
                                                                            : 0);
    parts.append(QStringLiteral("K=") + checks);
    parts.append(QStringLiteral("R=%1").arg(m_rating->currentIndex()));
    return parts.join(QLatin1Char(' '));
}

void ProfileTestHost::type(QWidget* widget, const QString& text)
{
    for (const QChar ch : text) {
        QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
}
