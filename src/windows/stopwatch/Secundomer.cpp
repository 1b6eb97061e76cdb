#include "windows/stopwatch/Secundomer.h"

#include "widgets/controls/FlatButton.h"
#include "widgets/controls/Panel3d.h"
#include "widgets/support/AppFonts.h"
#include "widgets/support/ButtonEnterKey.h"
#include "widgets/support/SvgArt.h"
#include "widgets/support/Twips.h"
#include "windows/stopwatch/StopwatchDisplay.h"

#include <QAction>
#include <QEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>

namespace {

enum Button
{
    Placeholder = 1,
    Start = 2,
    Stop = 3,
    Separator = 4,
    Reset = 5
};

// Width of the empty space before the first button, in twips.
constexpr double PlaceholderWidth = 120;

QTimer* makeTimer(QObject* parent, const char* name)
{
    auto* timer = new QTimer(parent);
    timer->setObjectName(QString::fromLatin1(name));
    timer->setTimerType(Qt::PreciseTimer);
    // Each tick arms the next one in step with the measured time.
    timer->setSingleShot(true);
    return timer;
}

} // namespace

Secundomer::Secundomer(QWidget* parent) : QDialog(parent)
{
    ButtonEnterKey::install();
    Form_Load();
}

Secundomer::~Secundomer() = default;

void Secundomer::Form_Load()
{
    setObjectName(QStringLiteral("Secundomer"));
    setWindowTitle(tr("Секундомер"));
    AppFonts::registerTahoma();
    setFont(AppFonts::tahoma());
    setFixedSize(Twips::size(4095, 1965));

    m_picture1 = new StopwatchDisplay(this);
    m_picture1->setObjectName(QStringLiteral("Picture1"));
    m_picture1->setGeometry(Twips::rect(165, 150, 3750, 1125));

    m_panel3d1 = new Panel3d(this);
    m_panel3d1->setObjectName(QStringLiteral("Panel3d1"));
    m_panel3d1->setGeometry(Twips::rect(0, 1485, 4380, 30));

    m_toolbar1 = new QToolBar(this);
    m_toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    m_toolbar1->setGeometry(Twips::rect(15, 1515, 4185, 390));
    m_toolbar1->setMovable(false);
    m_toolbar1->setFloatable(false);
    m_toolbar1->setIconSize(QSize(16, 16));
    m_toolbar1->setToolButtonStyle(Qt::ToolButtonIconOnly);

    auto* space = new QWidget(m_toolbar1);
    space->setFixedWidth(Twips::px(PlaceholderWidth));
    m_buttons << m_toolbar1->addWidget(space);
    const struct
    {
        const char* icon;
        const char* tip;
    } pictures[] = {{":/stopwatch/start.svg", QT_TR_NOOP("Пуск")},
                    {":/stopwatch/stop.svg", QT_TR_NOOP("Стоп")}};
    for (const auto& picture : pictures) {
        m_buttons << m_toolbar1->addAction(SvgArt::icon(QString::fromLatin1(picture.icon)),
                                           tr(picture.tip));
    }
    m_buttons << m_toolbar1->addSeparator();
    m_buttons << m_toolbar1->addAction(SvgArt::icon(QStringLiteral(":/stopwatch/reset.svg")),
                                       tr("Обнулить"));
    for (int index = Placeholder; index <= Reset; ++index) {
        QAction* action = button(index);
        action->setObjectName(QStringLiteral("Buttons"));
        action->setProperty("index", index);
        if (QWidget* widget = m_toolbar1->widgetForAction(action)) {
            widget->setObjectName(QStringLiteral("Buttons"));
            widget->setProperty("index", index);
            if (!action->text().isEmpty())
                widget->setAccessibleName(action->text());
        }
        if (index == Start || index == Stop || index == Reset) {
            action->setToolTip(action->text());
            connect(action, &QAction::triggered, this,
                    [this, index] { Toolbar1_ButtonClick(index); });
        }
    }
    button(Stop)->setVisible(false);

    m_command1 = new FlatButton(QStringLiteral("Ok"), m_toolbar1);
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command1->setGeometry(Twips::rect(2625, 15, 1320, 345));
    // Not the dialog's default button: Enter presses Ok only when Ok has the focus.
    m_command1->setAutoDefault(false);
    m_command1->setEnabled(false);
    m_command1->setVisible(false);
    MakeFlat(m_command1);
    connect(m_command1, &QPushButton::clicked, this, &Secundomer::Command1_Click);

    m_timer1 = makeTimer(this, "Timer1");
    m_timer3 = makeTimer(this, "Timer3");
    m_timer2 = makeTimer(this, "Timer2");
    connect(m_timer1, &QTimer::timeout, this, &Secundomer::Timer1_Timer);
    connect(m_timer3, &QTimer::timeout, this, &Secundomer::Timer3_Timer);
    connect(m_timer2, &QTimer::timeout, this, &Secundomer::Timer2_Timer);

    // The window sees key presses before its controls.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);

    RefEkran();
}

void Secundomer::Form_Activate()
{
    m_command1->setVisible(m_target != StopwatchTarget::None);
}

void Secundomer::Toolbar1_ButtonClick(int index)
{
    switch (index) {
    case Start:
        if (m_counters.isRunning())
            return;
        m_counters.start();
        m_timer1->start(m_counters.msToNextTick(10));
        m_timer3->start(m_counters.msToNextTick(100));
        m_timer2->start(m_counters.msToNextSecond());
        button(Start)->setVisible(false);
        button(Reset)->setEnabled(false);
        button(Stop)->setVisible(true);
        m_nextButton = Stop;
        m_command1->setEnabled(false);
        break;
    case Stop:
        if (!m_counters.isRunning())
            return;
        m_timer1->stop();
        m_timer3->stop();
        m_timer2->stop();
        // The ticks may lag the press (the 10 ms timer sleeps between frames, the thread may
        // be late): the stop reads the time of the press, and the display shows the reading
        // Ok hands back, also when it was still waiting for its frame.
        m_counters.stop();
        RefEkran();
        m_nextButton = Start;
        button(Stop)->setVisible(false);
        button(Start)->setVisible(true);
        button(Reset)->setEnabled(true);
        m_command1->setEnabled(true);
        break;
    case Reset:
        if (m_counters.isRunning())
            return;
        m_counters.reset();
        RefEkran();
        m_command1->setEnabled(false);
        break;
    default:
        break;
    }
}

void Secundomer::Command1_Click()
{
    if (m_counters.isRunning())
        return;
    const int reading = m_counters.reading();
    if (m_target != StopwatchTarget::None)
        emit handBack(m_target, reading);
    accept();
}

void Secundomer::RefEkran()
{
    m_picture1->setText(m_counters.text());
    // Only a running display waits for the screen's next frame.
    if (!m_counters.isRunning())
        m_picture1->flush();
}

void Secundomer::Timer1_Timer()
{
    m_counters.tick10();
    // 100 hundredths is the moment before the whole-second tick counts them: the display
    // keeps the previous hundredths rather than show three digits.
    if (m_counters.hundredths() <= 99)
        RefEkran();
    // A tick before the display's next frame would show nothing, and the hundredths follow
    // the clock, not the count of ticks: sleep through to the first tick that can paint.
    if (m_counters.isRunning())
        m_timer1->start(m_counters.msToNextTick(10, m_picture1->msToNextFrame()));
}

void Secundomer::Timer3_Timer()
{
    m_counters.tick100();
    if (m_counters.isRunning())
        m_timer3->start(m_counters.msToNextTick(100));
}

void Secundomer::Timer2_Timer()
{
    m_counters.tick1000();
    if (m_counters.isRunning())
        m_timer2->start(m_counters.msToNextSecond());
}

void Secundomer::done(int result)
{
    m_timer1->stop();
    m_timer3->stop();
    m_timer2->stop();
    m_counters.stop();
    QDialog::done(result);
}

bool Secundomer::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QDialog::event(event);
}

void Secundomer::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Also here: a window that is never activated (offscreen, some window managers).
    Form_Activate();
}

// The window sees every key before its controls. Space clicks the start or stop button
// wherever the focus is; Tab moves the focus, so the keyboard reaches Ok, and Enter on the
// focused Ok goes on to press it, as Enter presses any focused button. Every other key does
// nothing: Esc does not close the window and lose a running measurement (the close box does).
bool Secundomer::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_Space:
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return true;
        // A held key repeats; one press is one click. The focused button never sees it.
        if (event->type() == QEvent::KeyPress && !key->isAutoRepeat())
            button(m_nextButton)->trigger();
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return QDialog::eventFilter(watched, event);
    case Qt::Key_F4:
        // Alt+F4 is the close box: where the platform learns of it as a key left unused,
        // it must stay unused here.
        if (key->modifiers() & Qt::AltModifier)
            return QDialog::eventFilter(watched, event);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return watched != m_command1;
    default:
        return true;
    }
}
