#include "windows/mainwindow/Form1.h"

#include "core/app/BuildInfo.h"
#include "core/assessment/AgeString.h"
#include "core/assessment/ComputeAssessment.h"
#include "core/assessment/LeadingNumber.h"
#include "core/geometry/BannerSweep.h"
#include "core/history/HistoryStore.h"
#include "core/profiles/SettingsStore.h"
#include "widgets/controls/BannerPicture.h"
#include "widgets/controls/FlatButton.h"
#include "widgets/controls/GroupFrame.h"
#include "widgets/controls/LinkLabel.h"
#include "widgets/controls/MenuRowDelegate.h"
#include "widgets/controls/Panel3d.h"
#include "widgets/controls/Slider.h"
#include "widgets/controls/StatementCheckBox.h"
#include "widgets/support/AppFonts.h"
#include "widgets/support/ButtonEnterKey.h"
#include "widgets/support/SvgArt.h"
#include "widgets/support/Twips.h"
#include "windows/about/FormAbout.h"
#include "windows/mainwindow/DataMenu.h"
#include "windows/mainwindow/Form1Accessibility.h"
#include "windows/mainwindow/ProfileCommands.h"
#include "windows/mainwindow/StatusStrip.h"
#include "windows/results/ResultForm.h"
#include "windows/stopwatch/Secundomer.h"

#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QDateTime>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <iterator>

namespace {

// Breaks text at blanks so that no line is wider than width.
QString wrapped(const QString& text, const QFontMetrics& fm, int width)
{
    QStringList lines;
    QString line;
    for (const QString& word : text.split(QLatin1Char(' '))) {
        const QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (!line.isEmpty() && fm.horizontalAdvance(candidate) > width) {
            lines << line;
            line = word;
        } else {
            line = candidate;
        }
    }
    lines << line;
    return lines.join(QLatin1Char('\n'));
}

// Row geometry inside the groups, in twips: labels one row high, sliders one pixel lower so
// that their grooves line up with the text.
constexpr int RowHeight = 315;
constexpr int SliderDrop = 15;
constexpr int ValueLeft = 9540;   // value labels, one column in both upper groups
constexpr int SliderRight = 9450; // right edge of every slider

} // namespace

Form1::Form1(QWidget* parent)
    : QWidget(parent, Qt::Window), m_history(std::make_unique<HistoryStore>())
{
    setObjectName(QStringLiteral("Form1"));
    Form1Accessibility::install();
    ButtonEnterKey::install();
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(Twips::size(10920, 8430));
    AppFonts::registerTahoma();
    setFont(AppFonts::tahoma());
    setWindowIcon(QIcon(QStringLiteral(":/icons/app.svg")));
    setWindowTitle(designCaption());
    // Moves over the bare background return the link to its colour.
    setMouseTracking(true);

    buildBanner();
    buildBiologicalGroup();
    buildMeasurementsGroup();
    buildStatementsGroup();
    buildBottomStrip();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);

    connectSexSwitch();
    setTabChain();
    m_sliders = {{Slider2, &Form1::Slider2_Scroll}, {Slider3, &Form1::Slider3_Scroll},
                 {Slider4, &Form1::Slider4_Scroll}, {Slider5, &Form1::Slider5_Scroll},
                 {Slider6, &Form1::Slider6_Scroll}, {Slider7, &Form1::Slider7_Scroll}};
    for (const SliderBinding& binding : m_sliders)
        connect(binding.slider, &Slider::Scroll, this, binding.scroll);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(0, 0), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }

    Form_Load();
    Timer1->start();
}

Form1::~Form1() = default;

QString Form1::designCaption()
{
    return QStringLiteral("Kalder Vitalon - Расчет биологического возраста ");
}

QLabel* Form1::makeLabel(const QString& name, const QString& text, QWidget* parent,
                         const QRect& geometry, Qt::Alignment align)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setAlignment(align | Qt::AlignVCenter);
    return label;
}

Slider* Form1::makeSlider(const QString& name, QWidget* parent, const QRect& geometry,
                          const QString& accessibleName)
{
    auto* slider = new Slider(parent);
    slider->setObjectName(name);
    slider->setGeometry(geometry);
    slider->setAccessibleName(accessibleName);
    return slider;
}

// Toolbar buttons take no focus by default; these are the only way to their commands, so
// Tab reaches them and a screen reader can name them.
void Form1::reachableButton(QToolBar* bar, QAction* action, const QString& accessibleName)
{
    if (QWidget* button = bar->widgetForAction(action)) {
        button->setAccessibleName(accessibleName);
        button->setFocusPolicy(Qt::TabFocus);
    }
}

QToolBar* Form1::makeStopwatchBar(const QString& name, QWidget* parent, const QRect& geometry,
                                  StopwatchTarget target, const QString& accessibleName)
{
    auto* bar = new QToolBar(parent);
    bar->setObjectName(name);
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(16, 16));
    bar->setContentsMargins(0, 0, 0, 0);
    bar->setGeometry(geometry);
    auto* measure = bar->addAction(QIcon(QStringLiteral(":/icons/stopwatch.svg")), QString());
    measure->setObjectName(QStringLiteral("stopwatch"));
    measure->setToolTip(QStringLiteral("Замерить секундомером"));
    // One tool tip for both; a screen reader tells them apart by the test each one times.
    reachableButton(bar, measure, accessibleName);
    connect(measure, &QAction::triggered, this, [this, target] { openStopwatch(target); });
    return bar;
}

// Tab follows the reading order of the inputs, then the commands of the bottom strip; the
// link comes last. The window starts on the sex ("Мужской", selected at the start), so Enter
// or Space right after the start opens nothing.
void Form1::setTabChain()
{
    const auto measure = [](QToolBar* bar) {
        return bar->widgetForAction(bar->actions().value(0));
    };
    QList<QWidget*> chain{Option1[0], Option1[1], Slider2, Slider3, Slider4, Slider5};
    chain << Slider6 << measure(Toolbar2) << Slider7 << measure(Toolbar3);
    for (StatementCheckBox* check : std::as_const(Check1))
        chain << check;
    chain << Combo1 << Command2 << Combo2;
    for (const char* key : {"save", "del"})
        chain << Toolbar1->widgetForAction(Toolbar1->findChild<QAction*>(QLatin1String(key)));
    chain << Command1 << Mail1;
    chain.removeAll(nullptr);
    for (qsizetype i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);
    Option1[0]->setFocus();
}

void Form1::buildBanner()
{
    Picture5 = new BannerPicture(this);
    Picture5->setObjectName(QStringLiteral("Picture5"));
    Picture5->setGeometry(Twips::rect(0, -15, 8775, 750));
    Picture5->setMouseTracking(true);
    Picture5->installEventFilter(this);
    const qreal dpr = devicePixelRatioF();
    const QSize bannerSize = Twips::size(BannerSweep::PictureWidth, BannerSweep::PictureHeight);
    Picture5->setPicture(SvgArt::pixmap(QStringLiteral(":/banner/banner.svg"), bannerSize, dpr));
    Picture5->setAccessibleName(QStringLiteral("Kalder Vitalon"));

    Picture6 = new QWidget(this);
    Picture6->setObjectName(QStringLiteral("Picture6"));
    Picture6->setGeometry(Twips::rect(8775, 0, 2220, 735));
    Picture6->setAutoFillBackground(true);
    QPalette white = Picture6->palette();
    white.setColor(QPalette::Window, Qt::white);
    Picture6->setPalette(white);
    Picture6->setMouseTracking(true);
    Picture6->installEventFilter(this);

    Image1 = new QLabel(Picture6);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(Twips::rect(120, 180, 360, 360));
    Image1->setPixmap(SvgArt::pixmap(QStringLiteral(":/icons/link.svg"), QSize(24, 24), dpr));

    Mail1 = new LinkLabel(QStringLiteral("О программе"), 1, Picture6);
    Mail1->setGeometry(Twips::rect(540, 240, 1365, 255));
    connect(Mail1, &LinkLabel::activated, this, &Form1::Mail_Activated);
    connect(Mail1, &LinkLabel::released, this, &Form1::DisLink);

    Panel3d2 = new Panel3d(this);
    Panel3d2->setObjectName(QStringLiteral("Panel3d2"));
    Panel3d2->setGeometry(Twips::rect(-30, 735, 11115, 30));
}

void Form1::buildBiologicalGroup()
{
    Frame2 = new GroupFrame(QStringLiteral("Биологические данные"), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setGeometry(Twips::rect(75, 825, 10785, 915));
    Picture2 = new QWidget(this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setGeometry(Twips::rect(210, 1035, 10530, 630));

    Label1 = makeLabel(QStringLiteral("Label1"), QStringLiteral("Пол:"), Picture2,
                       Twips::rect(0, 0, 450, RowHeight));
    optionGroup = new QButtonGroup(this);
    const QString sexes[2] = {QStringLiteral("Мужской"), QStringLiteral("Женский")};
    for (int i = 0; i < 2; ++i) {
        Option1[i] = new QRadioButton(sexes[i], Picture2);
        Option1[i]->setObjectName(QStringLiteral("Option1"));
        Option1[i]->setProperty("index", i);
        Option1[i]->setGeometry(Twips::rect(510, i * RowHeight, 1500, RowHeight));
        optionGroup->addButton(Option1[i], i);
    }
    Option1[0]->setChecked(true);

    Panel3d1 = new Panel3d(Picture2);
    Panel3d1->setObjectName(QStringLiteral("Panel3d1"));
    Panel3d1->setGeometry(Twips::rect(2220, 60, 30, 510));

    const int captionLeft = 2400;
    const int sliderLeft = SliderRight - 5610;
    Label3 = makeLabel(QStringLiteral("Label3"), QStringLiteral("Возраст:"), Picture2,
                       Twips::rect(captionLeft, 0, sliderLeft - captionLeft - 60, RowHeight));
    Slider2 = makeSlider(QStringLiteral("Slider2"), Picture2,
                         Twips::rect(sliderLeft, SliderDrop, 5610, 225), QStringLiteral("Возраст"));
    Label12 = makeLabel(QStringLiteral("Label12"), QString(), Picture2,
                        Twips::rect(ValueLeft, 0, 10530 - ValueLeft, RowHeight));

    Label2 =
        makeLabel(QStringLiteral("Label2"), QStringLiteral("Масса тела:"), Picture2,
                  Twips::rect(captionLeft, RowHeight, sliderLeft - captionLeft - 60, RowHeight));
    Slider3 = makeSlider(QStringLiteral("Slider3"), Picture2,
                         Twips::rect(sliderLeft, RowHeight + SliderDrop, 5610, 225),
                         QStringLiteral("Масса тела"));
    Label13 = makeLabel(QStringLiteral("Label13"), QString(), Picture2,
                        Twips::rect(ValueLeft, RowHeight, 10530 - ValueLeft, RowHeight));
    Label2->setEnabled(false);
    Label13->setEnabled(false);
}

void Form1::connectSexSwitch()
{
    // Any change of either button, by the user or by code, runs the switch.
    for (QRadioButton* option : Option1)
        connect(option, &QRadioButton::toggled, this, &Form1::Option1_Click);
}

void Form1::buildMeasurementsGroup()
{
    Frame3 = new GroupFrame(QStringLiteral("Измерьте следующие показатели"), this);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    Frame3->setGeometry(Twips::rect(75, 1770, 10785, 1440));
    Picture3 = new QWidget(this);
    Picture3->setObjectName(QStringLiteral("Picture3"));
    Picture3->setGeometry(Twips::rect(210, 1980, 10515, 1170));

    // Pressure row: systolic slider, "/", diastolic slider ending at the common right edge.
    const int diastolicLeft = SliderRight - 3240;
    const int slashLeft = diastolicLeft - 180;
    const int systolicLeft = slashLeft - 3840;
    Label4 = makeLabel(QStringLiteral("Label4"), QStringLiteral("1. Артериальное давление:"),
                       Picture3, Twips::rect(0, 0, systolicLeft - 30, RowHeight));
    Slider4 = makeSlider(QStringLiteral("Slider4"), Picture3,
                         Twips::rect(systolicLeft, SliderDrop, 3810, 285),
                         QStringLiteral("Артериальное давление, верхнее"));
    Label8 = makeLabel(QStringLiteral("Label8"), QStringLiteral("/"), Picture3,
                       Twips::rect(slashLeft, 0, 180, RowHeight), Qt::AlignHCenter);
    Slider5 = makeSlider(QStringLiteral("Slider5"), Picture3,
                         Twips::rect(diastolicLeft, SliderDrop, 3240, 285),
                         QStringLiteral("Артериальное давление, нижнее"));
    // Both read in mmHg, as the label shows them.
    Slider4->setShownFactor(10);
    Slider5->setShownFactor(10);
    Label15 = makeLabel(QStringLiteral("Label15"), QString(), Picture3,
                        Twips::rect(ValueLeft, 0, 10515 - ValueLeft, RowHeight));

    // Timed tests: question, slider, value, stopwatch button at the group's right edge.
    const int timedLeft = SliderRight - 3450;
    const int barLeft = 10515 - 330;
    const QString breathQuestion =
        QStringLiteral("2. На сколько Вы можете задержать дыхание после полного вдоха:");
    Label6 = makeLabel(QStringLiteral("Label6"), breathQuestion, Picture3,
                       Twips::rect(0, RowHeight, timedLeft - 60, RowHeight));
    Slider6 = makeSlider(QStringLiteral("Slider6"), Picture3,
                         Twips::rect(timedLeft, RowHeight + SliderDrop, 3450, 285),
                         QStringLiteral("Задержка дыхания после полного вдоха"));
    Label7 = makeLabel(QStringLiteral("Label7"), QString(), Picture3,
                       Twips::rect(ValueLeft, RowHeight, barLeft - ValueLeft, RowHeight));
    Toolbar2 = makeStopwatchBar(
        QStringLiteral("Toolbar2"), Picture3, Twips::rect(barLeft, RowHeight - 15, 330, 330),
        StopwatchTarget::BreathHold, QStringLiteral("Замерить секундомером задержку дыхания"));

    const int standTop = 855;
    Label14 = makeLabel(
        QStringLiteral("Label14"),
        QStringLiteral("3. Станьте на ОДНУ ЛЕВУЮ ногу, опустите руки по швам и закройте глаза."),
        Picture3, Twips::rect(0, 2 * RowHeight + 15, SliderRight, standTop - 2 * RowHeight - 15));
    Label9 = makeLabel(QStringLiteral("Label9"),
                       QStringLiteral("Сколько Вы так простояли не пошатнувшись?"), Picture3,
                       Twips::rect(0, standTop, timedLeft - 60, RowHeight));
    Slider7 = makeSlider(QStringLiteral("Slider7"), Picture3,
                         Twips::rect(timedLeft, standTop + SliderDrop, 3450, 285),
                         QStringLiteral("Время на одной ноге с закрытыми глазами"));
    Label5 = makeLabel(QStringLiteral("Label5"), QString(), Picture3,
                       Twips::rect(ValueLeft, standTop, barLeft - ValueLeft, RowHeight));
    Toolbar3 = makeStopwatchBar(
        QStringLiteral("Toolbar3"), Picture3, Twips::rect(barLeft, standTop - 15, 330, 330),
        StopwatchTarget::Balance, QStringLiteral("Замерить секундомером время на одной ноге"));
}

void Form1::buildStatementsGroup()
{
    Frame1 = new GroupFrame(QStringLiteral("Отметьте верные утверждения"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(Twips::rect(75, 3240, 10785, 4545));
    Picture4 = new QWidget(Frame1);
    Picture4->setObjectName(QStringLiteral("Picture4"));
    Picture4->setGeometry(Twips::rect(75, 195, 10650, 4320));

    // Design places: the left column 0..13 and the right column 14..26, 255 twips apart; the
    // load routine lays the rows out again at 270.
    const QStringList& texts = AssessmentRecord::statementTexts();
    const int columnWidth = 5250;
    for (int i = 0; i < AssessmentRecord::StatementCount; ++i) {
        const bool right = i >= 14;
        const int row = right ? i - 14 : i;
        const int left = right ? 5340 : 60;
        const int height = i == 26 ? 540 : 255;
        auto* check = new StatementCheckBox(texts.value(i), i, Picture4);
        check->setGeometry(Twips::rect(left, row * 255, columnWidth, height));
        check->setAccessibleName(texts.value(i));
        Check1 << check;
    }
    // The last statement is two lines high: break it to the column.
    QCheckBox* last = Check1.last();
    last->setText(wrapped(texts.value(26), last->fontMetrics(), Twips::px(columnWidth) - 24));

    Label10 = makeLabel(QStringLiteral("Label10"), AssessmentRecord::ratingCaption(), Picture4,
                        Twips::rect(60, 3870, 3240, RowHeight));
    Combo1 = new QComboBox(Picture4);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->addItems(AssessmentRecord::ratingTexts());
    Combo1->setGeometry(Twips::rect(3330, 3870, 2100, RowHeight));
    Combo1->setAccessibleName(AssessmentRecord::ratingCaption());
    Label10->setBuddy(Combo1);
}

void Form1::buildBottomStrip()
{
    StatusBar1 = new StatusStrip(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setGeometry(Twips::rect(0, 7845, 10920, 585));

    Command2 = new FlatButton(QStringLiteral("Секундомер"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setGeometry(Twips::rect(105, 7980, 1755, 360));
    connect(Command2, &QPushButton::clicked, this,
            [this] { openStopwatch(StopwatchTarget::None); });

    Panel3d3 = new Panel3d(this);
    Panel3d3->setObjectName(QStringLiteral("Panel3d3"));
    Panel3d3->setGeometry(Twips::rect(1995, 7965, 30, 405));

    Toolbar1 = new QToolBar(this);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setMovable(false);
    Toolbar1->setFloatable(false);
    Toolbar1->setIconSize(QSize(16, 16));
    // Wide enough for the data menu's button after the two profile buttons.
    Toolbar1->setGeometry(Twips::rect(2055, 7965, 5220, 390));

    // The caption and the profile box stand at fixed places in the tool bar, not where its
    // layout (which differs by style) would put them; a blank item as wide as both keeps the
    // buttons to their right.
    Picture1 = new QWidget(Toolbar1);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(Twips::rect(0, 0, 1320, 390));
    Label11 = makeLabel(QStringLiteral("Label11"), QStringLiteral("Профили:"), Picture1,
                        Twips::rect(60, 60, 1260, 315));

    Combo2 = new QComboBox(Toolbar1);
    Combo2->setObjectName(QStringLiteral("Combo2"));
    Combo2->setEditable(true);
    Combo2->lineEdit()->setAccessibleName(QStringLiteral("Имя профиля"));
    Combo2->setGeometry(Twips::rect(1125, 30, 2715, 315));
    Combo2->setAccessibleName(QStringLiteral("Профиль"));
    Combo2->setItemDelegate(new MenuRowDelegate(Combo2));
    Label11->setBuddy(Combo2);

    auto* placeholder = new QWidget;
    placeholder->setFixedSize(Combo2->geometry().right() + 1, 1);
    Toolbar1->addWidget(placeholder);

    const struct
    {
        const char* key;
        const char* icon;
        const char* name;
    } buttons[] = {{"save", ":/icons/save.svg", "Сохранить профиль"},
                   {"del", ":/icons/del.svg", "Удалить профиль"}};
    for (const auto& b : buttons) {
        auto* action = Toolbar1->addAction(QIcon(QString::fromLatin1(b.icon)), QString());
        action->setObjectName(QString::fromLatin1(b.key));
        action->setEnabled(false);
        // The buttons show only an icon; the tip says what they do.
        action->setToolTip(QString::fromUtf8(b.name));
        reachableButton(Toolbar1, action, QString::fromUtf8(b.name));
    }
    // Over the blank item; the box over the caption's spare width.
    Picture1->raise();
    Combo2->raise();

    Command1 = new FlatButton(QStringLiteral("Рассчитать"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(Twips::rect(9060, 7980, 1755, 360));
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
}

void Form1::Form_Load()
{
    // The settings store of "Kalder_Programming"; the profile sections are Vitalon2\Presets.
    m_settings = std::make_unique<SettingsStore>();
    setWindowTitle(designCaption() + VersionString());

    // Sliders in order: maximum, minimum, position, then the label update; Slider3 is
    // switched off right after its own set-up.
    const struct
    {
        int max, min, start;
    } bounds[] = {{90, 5, 20}, {200, 10, 65}, {36, 4, 11}, {24, 4, 8}, {300, 5, 10}, {60, 1, 3}};
    for (size_t i = 0; i < std::size(bounds); ++i) {
        Slider* slider = m_sliders[i].slider;
        slider->setMax(bounds[i].max);
        slider->setMin(bounds[i].min);
        slider->setValue(bounds[i].start);
        (this->*m_sliders[i].scroll)(slider->value());
        if (slider == Slider3)
            Slider3->setEnable(false);
    }

    Combo1->setCurrentIndex(1);

    // Statement rows: 270 high, each below the one before; row 14 heads the right column and
    // the last row keeps its two-line height.
    QRect first = Check1[0]->geometry();
    first.setHeight(Twips::px(270));
    Check1[0]->setGeometry(first);
    for (int i = 1; i <= 26; ++i) {
        QRect g = Check1[i]->geometry();
        if (i != 26)
            g.setHeight(Check1[0]->height());
        if (i != 14)
            g.moveTop(Check1[i - 1]->geometry().top() + Check1[i - 1]->height());
        Check1[i]->setGeometry(g);
    }

    MakeFlat(Command1);
    MakeFlat(Command2);

    m_image4 = Picture5->picture();

    // Last: the profile list, once every input stands at its start value.
    const auto key = [this](const char* name) {
        const QList<QAction*> actions = Toolbar1->actions();
        for (QAction* action : actions) {
            if (action->objectName() == QLatin1String(name))
                return action;
        }
        return static_cast<QAction*>(nullptr);
    };
    m_profileCommands = std::make_unique<ProfileCommands>(
        this, Combo2, key("save"), key("del"), [this] { return profileInputs(); },
        [this](const ProfileInputs& inputs) { applyProfile(inputs); }, *m_settings);
    m_profileCommands->LoadPresets();

    m_dataMenu = new DataMenu(this, Toolbar1, *m_settings, *m_history,
                              [this] { m_profileCommands->LoadPresets(); });
    setTabOrder(Toolbar1->widgetForAction(key("del")), m_dataMenu->button());
}

const QPixmap& Form1::litBanner() const
{
    if (!m_image3Drawn) {
        m_image3Drawn = true;
        // At the plain banner's pixel ratio, so that strips copy one to one.
        const QSize size = Twips::size(BannerSweep::PictureWidth, BannerSweep::PictureHeight);
        m_image3 = SvgArt::pixmap(QStringLiteral(":/banner/banner-lit.svg"), size,
                                  m_image4.devicePixelRatio());
    }
    return m_image3;
}

void Form1::Slider2_Scroll(int Value)
{
    Label12->setText(AgeString(Value));
}

void Form1::Slider3_Scroll(int Value)
{
    Label13->setText(QString::number(Value) + QStringLiteral(" кг"));
}

void Form1::updatePressureLabel()
{
    Label15->setText(QString::number(SystolicPressure) + QStringLiteral(" / ") +
                     QString::number(DiastolicPressure));
}

void Form1::Slider4_Scroll(int Value)
{
    SystolicPressure = Value * 10;
    updatePressureLabel();
}

void Form1::Slider5_Scroll(int Value)
{
    DiastolicPressure = Value * 10;
    updatePressureLabel();
}

void Form1::Slider6_Scroll(int Value)
{
    Label7->setText(QString::number(Value) + QStringLiteral(" сек"));
}

void Form1::Slider7_Scroll(int Value)
{
    Label5->setText(QString::number(Value) + QStringLiteral(" сек"));
}

void Form1::refreshSliders()
{
    for (const SliderBinding& binding : m_sliders)
        (this->*binding.scroll)(binding.slider->value());
}

void Form1::setOptionValue(int index, bool value)
{
    if (index < 0 || index > 1)
        return;
    if (value) {
        // The group's exclusivity clears the other button.
        Option1[index]->setChecked(true);
        return;
    }
    optionGroup->setExclusive(false);
    Option1[index]->setChecked(false);
    optionGroup->setExclusive(true);
}

void Form1::Option1_Click()
{
    const bool male = Option1[0]->isChecked();
    const bool female = Option1[1]->isChecked();
    Slider6->setEnable(male);
    Label13->setEnabled(female);
    Label2->setEnabled(female);
    Slider3->setEnable(!Slider6->enable());
    Label6->setEnabled(male);
    Label7->setEnabled(male);
    if (!Toolbar2->actions().isEmpty())
        Toolbar2->actions().first()->setEnabled(male);
}

AssessmentRecord Form1::currentRecord() const
{
    AssessmentRecord record;
    record.sex = Option1[0]->isChecked() ? Sex::Male : Sex::Female;
    record.calendarAge = LeadingNumber(Label12->text());
    record.bodyMass = LeadingNumber(Label13->text());
    record.systolicPressure = SystolicPressure;
    record.diastolicPressure = DiastolicPressure;
    record.breathHold = LeadingNumber(Label7->text());
    record.balance = LeadingNumber(Label5->text());
    for (int i = 0; i < AssessmentRecord::StatementCount; ++i)
        record.statements[static_cast<size_t>(i)] = Check1[i]->value();
    record.healthRating = Combo1->currentIndex();
    return record;
}

ProfileInputs Form1::profileInputs() const
{
    ProfileInputs inputs;
    inputs.systolic = Slider4->value();
    inputs.diastolic = Slider5->value();
    inputs.breathHold = Slider6->value();
    inputs.balance = Slider7->value();
    inputs.female = Option1[1]->isChecked();
    inputs.male = Option1[0]->isChecked();
    inputs.calendarAge = Slider2->value();
    inputs.bodyMass = Slider3->value();
    for (int i = 0; i < AssessmentRecord::StatementCount; ++i)
        inputs.statements[size_t(i)] = Check1[i]->value();
    inputs.healthRating = Combo1->currentIndex();
    return inputs;
}

void Form1::applyProfile(const ProfileInputs& inputs)
{
    const auto set = [](Slider* slider, const std::optional<int>& value) {
        if (value)
            slider->setValue(*value);
    };
    set(Slider4, inputs.systolic);
    set(Slider5, inputs.diastolic);
    set(Slider6, inputs.breathHold);
    set(Slider7, inputs.balance);
    if (inputs.female)
        setOptionValue(1, *inputs.female);
    if (inputs.male)
        setOptionValue(0, *inputs.male);
    set(Slider2, inputs.calendarAge);
    set(Slider3, inputs.bodyMass);
    for (int i = 0; i < AssessmentRecord::StatementCount; ++i) {
        if (const std::optional<int>& value = inputs.statements[size_t(i)])
            Check1[i]->setValue(*value);
    }
    // -1 is no selection, as a profile saved without one holds it.
    if (inputs.healthRating && *inputs.healthRating >= -1 && *inputs.healthRating < Combo1->count())
        Combo1->setCurrentIndex(*inputs.healthRating);
    refreshSliders();
}

void Form1::Command1_Click()
{
    const AssessmentRecord record = currentRecord();
    ResultForm results(this);
    results.fill(ComputeAssessment(record), Label12->text());
    results.setInputs(record, QDateTime::currentDateTime());
    results.setHistory(m_history.get(), Combo2->currentText());
    results.exec();
}

void Form1::openStopwatch(StopwatchTarget target)
{
    Secundomer stopwatch(this);
    stopwatch.setTarget(target);
    connect(&stopwatch, &Secundomer::handBack, this, &Form1::stopwatchHandBack);
    stopwatch.exec();
}

void Form1::stopwatchHandBack(StopwatchTarget target, int reading)
{
    switch (target) {
    case StopwatchTarget::BreathHold:
        Slider6->setValue(reading);
        Slider6_Scroll(Slider6->value());
        break;
    case StopwatchTarget::Balance:
        Slider7->setValue(reading);
        Slider7_Scroll(Slider7->value());
        break;
    case StopwatchTarget::None:
        break;
    }
}

void Form1::Timer1_Timer()
{
    Picture5->sweepTick(m_sweepX, litBanner(), m_image4);
}

void Form1::DisLink()
{
    Mail1->setLook(LinkLabel::Look::Plain);
}

void Form1::Mail_Activated()
{
    FormAbout about(this, litBanner(), m_image4);
    about.exec();
}

void Form1::mouseMoveEvent(QMouseEvent* event)
{
    // Moves over controls that pass them on do not count as the background.
    if (!childAt(event->position().toPoint()))
        DisLink();
    QWidget::mouseMoveEvent(event);
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove && (watched == Picture5 || watched == Picture6))
        DisLink();
    return QWidget::eventFilter(watched, event);
}
