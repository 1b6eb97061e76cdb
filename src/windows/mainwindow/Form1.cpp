#include "windows/mainwindow/Form1.h"

#include "core/app/BuildInfo.h"
#include "core/assessment/AgeString.h"
#include "core/assessment/ComputeAssessment.h"
#include "widgets/controls/FlatButton.h"
#include "widgets/controls/GroupFrame.h"
#include "widgets/controls/LinkLabel.h"
#include "widgets/controls/Panel3d.h"
#include "widgets/controls/Slider.h"
#include "widgets/controls/StatementCheckBox.h"
#include "widgets/support/AppFonts.h"
#include "widgets/support/ButtonEnterKey.h"
#include "widgets/support/CentredWindow.h"
#include "widgets/support/HandCursor.h"
#include "widgets/support/SvgArt.h"
#include "widgets/support/SvgIconEngine.h"
#include "widgets/support/Twips.h"
#include "windows/about/FormAbout.h"
#include "windows/mainwindow/DataMenu.h"
#include "windows/mainwindow/Form1Accessibility.h"
#include "windows/mainwindow/InputRow.h"
#include "windows/mainwindow/MainBanner.h"
#include "windows/mainwindow/ProfileCommands.h"
#include "windows/mainwindow/ProfileToolbar.h"
#include "windows/mainwindow/StatementsList.h"
#include "windows/mainwindow/StatusStrip.h"
#include "windows/results/ResultForm.h"
#include "windows/stopwatch/Secundomer.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDateTime>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace {

// Row geometry inside the groups, in twips: labels one row high, sliders one pixel lower so
// that their grooves line up with the text.
constexpr int RowHeight = 315;
constexpr int SliderDrop = 15;
constexpr int ValueLeft = 9540;   // value labels, one column in both upper groups
constexpr int SliderRight = 9450; // right edge of every slider

const QString WindowIcon = QStringLiteral(":/icons/app.svg");

QString secondsText(int seconds)
{
    return Form1::tr("%1 сек").arg(seconds);
}

} // namespace

Form1::Form1(SettingsStore& settings, HistoryStore& history, QWidget* parent)
    : QWidget(parent, Qt::Window), m_settings(settings), m_history(history)
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
    setWindowIcon(SvgArt::icon(WindowIcon));
    setWindowTitle(designCaption());

    m_banner = new MainBanner(this);
    connect(m_banner, &MainBanner::aboutActivated, this, &Form1::openAbout);
    buildBiologicalGroup();
    buildMeasurementsGroup();
    m_statements = new StatementsList(this);
    buildBottomStrip();

    // Any change of either button, by the user or by code, runs the switch.
    for (QRadioButton* option : m_sexOptions)
        connect(option, &QRadioButton::toggled, this, &Form1::onSexChanged);
    setTabChain();
    m_rows = {m_ageRow, m_massRow, m_systolicRow, m_diastolicRow, m_breathHoldRow, m_balanceRow};
    for (InputRow* row : std::as_const(m_rows))
        connect(row, &InputRow::stopwatchRequested, this, &Form1::openStopwatch);

    CentredWindow::centre(this);

    Form_Load();
    m_banner->start();
}

Form1::~Form1() = default;

void Form1::prepare()
{
    // The ratio a window reports before it is shown on a screen.
    const qreal ratio = qApp->devicePixelRatio();
    // In the order the window needs them.
    MainBanner::prepare(ratio);
    HandCursor::prepare(ratio);
    for (const QSize& size : SvgIconEngine::offeredSizes())
        SvgIconEngine::prepare(WindowIcon, size, ratio);
    Slider::prepare(ratio);
    InputRow::prepare(ratio);
    ProfileToolbar::prepare(ratio);
    DataMenu::prepare(QSize(ProfileToolbar::IconSize, ProfileToolbar::IconSize), ratio);
}

QString Form1::designCaption()
{
    return tr("Kalder Vitalon - Расчет биологического возраста ");
}

// Tab follows the reading order of the inputs, then the commands of the bottom strip; the
// link comes last. The window starts on the sex ("Мужской", selected at the start), so Enter
// or Space right after the start opens nothing.
void Form1::setTabChain()
{
    QList<QWidget*> chain{m_sexOptions[0],           m_sexOptions[1],
                          m_ageRow->slider(),        m_massRow->slider(),
                          m_systolicRow->slider(),   m_diastolicRow->slider(),
                          m_breathHoldRow->slider(), m_breathHoldRow->stopwatchWidget(),
                          m_balanceRow->slider(),    m_balanceRow->stopwatchWidget()};
    for (StatementCheckBox* statement : m_statements->statements())
        chain << statement;
    chain << m_statements->ratingBox() << m_stopwatchButton << m_profileBar->profileBox()
          << m_profileBar->saveWidget() << m_profileBar->deleteWidget() << m_calculateButton
          << m_banner->aboutLink();
    chain.removeAll(nullptr);
    for (qsizetype i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);
    m_sexOptions[0]->setFocus();
}

void Form1::buildBiologicalGroup()
{
    auto* frame = new GroupFrame(tr("Биологические данные"), this);
    frame->setObjectName(QStringLiteral("Frame2"));
    frame->setGeometry(Twips::rect(75, 825, 10785, 915));
    auto* area = new QWidget(this);
    area->setObjectName(QStringLiteral("Picture2"));
    area->setGeometry(Twips::rect(210, 1035, 10530, 630));

    InputRow::makeLabel(area, QStringLiteral("Label1"), tr("Пол:"),
                        Twips::rect(0, 0, 450, RowHeight));
    m_sexGroup = new QButtonGroup(this);
    const QString sexes[2] = {tr("Мужской"), tr("Женский")};
    for (int i = 0; i < 2; ++i) {
        m_sexOptions[i] = new QRadioButton(sexes[i], area);
        m_sexOptions[i]->setObjectName(QStringLiteral("Option1"));
        m_sexOptions[i]->setProperty("index", i);
        m_sexOptions[i]->setGeometry(Twips::rect(510, i * RowHeight, 1500, RowHeight));
        m_sexGroup->addButton(m_sexOptions[i], i);
    }
    m_sexOptions[0]->setChecked(true);

    auto* rule = new Panel3d(area);
    rule->setObjectName(QStringLiteral("Panel3d1"));
    rule->setGeometry(Twips::rect(2220, 60, 30, 510));

    const int captionLeft = 2400;
    const int sliderLeft = SliderRight - 5610;
    const int captionWidth = sliderLeft - captionLeft - 60;
    const int valueWidth = 10530 - ValueLeft;
    m_ageRow = new InputRow(area, InputRanges::CalendarAge);
    m_ageRow->addCaption(QStringLiteral("Label3"), tr("Возраст:"),
                         Twips::rect(captionLeft, 0, captionWidth, RowHeight));
    m_ageRow->addSlider(QStringLiteral("Slider2"), Twips::rect(sliderLeft, SliderDrop, 5610, 225),
                        tr("Возраст"));
    m_ageRow->addValueLabel(QStringLiteral("Label12"),
                            Twips::rect(ValueLeft, 0, valueWidth, RowHeight), AgeString);

    m_massRow = new InputRow(area, InputRanges::BodyMass);
    m_massRow->addCaption(QStringLiteral("Label2"), tr("Масса тела:"),
                          Twips::rect(captionLeft, RowHeight, captionWidth, RowHeight));
    m_massRow->addSlider(QStringLiteral("Slider3"),
                         Twips::rect(sliderLeft, RowHeight + SliderDrop, 5610, 225),
                         tr("Масса тела"));
    m_massRow->addValueLabel(QStringLiteral("Label13"),
                             Twips::rect(ValueLeft, RowHeight, valueWidth, RowHeight),
                             [](int kg) { return tr("%1 кг").arg(kg); });
    m_massRow->caption()->setEnabled(false);
    m_massRow->valueLabel()->setEnabled(false);
}

void Form1::buildMeasurementsGroup()
{
    auto* frame = new GroupFrame(tr("Измерьте следующие показатели"), this);
    frame->setObjectName(QStringLiteral("Frame3"));
    frame->setGeometry(Twips::rect(75, 1770, 10785, 1440));
    auto* area = new QWidget(this);
    area->setObjectName(QStringLiteral("Picture3"));
    area->setGeometry(Twips::rect(210, 1980, 10515, 1170));

    // Pressure row: systolic slider, "/", diastolic slider ending at the common right edge;
    // one label shows both.
    const int diastolicLeft = SliderRight - 3240;
    const int slashLeft = diastolicLeft - 180;
    const int systolicLeft = slashLeft - 3840;
    m_systolicRow = new InputRow(area, InputRanges::SystolicPressure);
    m_systolicRow->addCaption(QStringLiteral("Label4"), tr("1. Артериальное давление:"),
                              Twips::rect(0, 0, systolicLeft - 30, RowHeight));
    m_systolicRow->addSlider(QStringLiteral("Slider4"),
                             Twips::rect(systolicLeft, SliderDrop, 3810, 285),
                             tr("Артериальное давление, верхнее"));
    InputRow::makeLabel(area, QStringLiteral("Label8"), QStringLiteral("/"),
                        Twips::rect(slashLeft, 0, 180, RowHeight), Qt::AlignHCenter);
    m_diastolicRow = new InputRow(area, InputRanges::DiastolicPressure);
    m_diastolicRow->addSlider(QStringLiteral("Slider5"),
                              Twips::rect(diastolicLeft, SliderDrop, 3240, 285),
                              tr("Артериальное давление, нижнее"));
    // Both read in mmHg, as the label shows them.
    m_systolicRow->slider()->setShownFactor(InputRanges::SystolicPressure.unit);
    m_diastolicRow->slider()->setShownFactor(InputRanges::DiastolicPressure.unit);
    const auto pressures = [this](int) { return pressureText(); };
    QLabel* pressureLabel = m_systolicRow->addValueLabel(
        QStringLiteral("Label15"), Twips::rect(ValueLeft, 0, 10515 - ValueLeft, RowHeight),
        pressures);
    m_diastolicRow->showValueIn(pressureLabel, pressures);

    // Timed tests: question, slider, value, stopwatch button at the group's right edge.
    const int timedLeft = SliderRight - 3450;
    const int barLeft = 10515 - 330;
    const int questionWidth = timedLeft - 60;
    const int valueWidth = barLeft - ValueLeft;
    const auto timedRow =
        [&](const InputRange& range, int top, const QString& captionName, const QString& question,
            const QString& sliderName, const QString& accessibleName, const QString& valueName,
            const QString& barName, StopwatchTarget target, const QString& buttonName) {
            auto* row = new InputRow(area, range);
            row->addCaption(captionName, question, Twips::rect(0, top, questionWidth, RowHeight));
            row->addSlider(sliderName, Twips::rect(timedLeft, top + SliderDrop, 3450, 285),
                           accessibleName);
            row->addValueLabel(valueName, Twips::rect(ValueLeft, top, valueWidth, RowHeight),
                               secondsText);
            row->addStopwatchButton(barName, Twips::rect(barLeft, top - 15, 330, 330), target,
                                    buttonName);
            return row;
        };
    m_breathHoldRow =
        timedRow(InputRanges::BreathHold, RowHeight, QStringLiteral("Label6"),
                 tr("2. На сколько Вы можете задержать дыхание после полного вдоха:"),
                 QStringLiteral("Slider6"), tr("Задержка дыхания после полного вдоха"),
                 QStringLiteral("Label7"), QStringLiteral("Toolbar2"), StopwatchTarget::BreathHold,
                 tr("Замерить секундомером задержку дыхания"));

    const int standTop = 855;
    InputRow::makeLabel(
        area, QStringLiteral("Label14"),
        tr("3. Станьте на ОДНУ ЛЕВУЮ ногу, опустите руки по швам и закройте глаза."),
        Twips::rect(0, 2 * RowHeight + 15, SliderRight, standTop - 2 * RowHeight - 15));
    m_balanceRow =
        timedRow(InputRanges::Balance, standTop, QStringLiteral("Label9"),
                 tr("Сколько Вы так простояли не пошатнувшись?"), QStringLiteral("Slider7"),
                 tr("Время на одной ноге с закрытыми глазами"), QStringLiteral("Label5"),
                 QStringLiteral("Toolbar3"), StopwatchTarget::Balance,
                 tr("Замерить секундомером время на одной ноге"));
}

void Form1::buildBottomStrip()
{
    auto* strip = new StatusStrip(this);
    strip->setObjectName(QStringLiteral("StatusBar1"));
    strip->setGeometry(Twips::rect(0, 7845, 10920, 585));

    m_stopwatchButton = new FlatButton(tr("Секундомер"), this);
    m_stopwatchButton->setObjectName(QStringLiteral("Command2"));
    m_stopwatchButton->setGeometry(Twips::rect(105, 7980, 1755, 360));
    connect(m_stopwatchButton, &QPushButton::clicked, this,
            [this] { openStopwatch(StopwatchTarget::None); });

    auto* rule = new Panel3d(this);
    rule->setObjectName(QStringLiteral("Panel3d3"));
    rule->setGeometry(Twips::rect(1995, 7965, 30, 405));

    m_profileBar = new ProfileToolbar(this);

    m_calculateButton = new FlatButton(tr("Рассчитать"), this);
    m_calculateButton->setObjectName(QStringLiteral("Command1"));
    m_calculateButton->setGeometry(Twips::rect(9060, 7980, 1755, 360));
    connect(m_calculateButton, &QPushButton::clicked, this, &Form1::onCalculate);
}

void Form1::Form_Load()
{
    setWindowTitle(designCaption() + VersionString());

    // Sliders in order: maximum, minimum, position, then the label update; the body mass is
    // switched off right after its own set-up.
    for (InputRow* row : std::as_const(m_rows)) {
        row->setUp();
        if (row == m_massRow)
            row->slider()->setEnable(false);
    }

    m_statements->load();

    MakeFlat(m_calculateButton);
    MakeFlat(m_stopwatchButton);

    // Last: the profile list, once every input stands at its start value.
    m_profileCommands = std::make_unique<ProfileCommands>(
        this, m_profileBar->profileBox(), m_profileBar->saveButton(), m_profileBar->deleteButton(),
        [this] { return profileInputs(); },
        [this](const ProfileInputs& inputs) { applyProfile(inputs); }, m_settings);
    m_profileCommands->LoadPresets();

    m_dataMenu = new DataMenu(this, m_profileBar->bar(), m_settings, m_history,
                              [this] { m_profileCommands->LoadPresets(); });
    setTabOrder(m_profileBar->deleteWidget(), m_dataMenu->button());
}

const QPixmap& Form1::litBanner() const
{
    return m_banner->litBanner();
}

const QPixmap& Form1::plainBanner() const
{
    return m_banner->plainBanner();
}

void Form1::sweepTick()
{
    m_banner->sweepTick();
}

float Form1::sweepPosition() const
{
    return m_banner->sweepPosition();
}

QString Form1::pressureText() const
{
    return QString::number(m_systolicRow->value()) + QStringLiteral(" / ") +
           QString::number(m_diastolicRow->value());
}

void Form1::refreshSliders()
{
    for (InputRow* row : std::as_const(m_rows))
        row->refresh();
}

void Form1::setOptionValue(int index, bool value)
{
    if (index < 0 || index > 1)
        return;
    if (value) {
        // The group's exclusivity clears the other button.
        m_sexOptions[index]->setChecked(true);
        return;
    }
    m_sexGroup->setExclusive(false);
    m_sexOptions[index]->setChecked(false);
    m_sexGroup->setExclusive(true);
}

// Breath-holding is timed for men, body mass weighed for women. With neither option selected
// the mass slider stays on and its labels grey, as the original switch leaves them.
void Form1::onSexChanged()
{
    const bool male = m_sexOptions[0]->isChecked();
    const bool female = m_sexOptions[1]->isChecked();
    m_breathHoldRow->setActive(male);
    m_massRow->caption()->setEnabled(female);
    m_massRow->valueLabel()->setEnabled(female);
    m_massRow->slider()->setEnable(!male);
}

ProfileInputs Form1::profileInputs() const
{
    ProfileInputs inputs;
    for (const InputRow* row : m_rows)
        inputs.*ProfileInputs::position(row->range().id) = row->position();
    inputs.female = m_sexOptions[1]->isChecked();
    inputs.male = m_sexOptions[0]->isChecked();
    const QList<StatementCheckBox*>& statements = m_statements->statements();
    for (int i = 0; i < AssessmentRecord::StatementCount; ++i)
        inputs.statements[size_t(i)] = statements[i]->value();
    inputs.healthRating = m_statements->ratingBox()->currentIndex();
    return inputs;
}

AssessmentRecord Form1::currentRecord() const
{
    return profileInputs().record();
}

void Form1::applyProfile(const ProfileInputs& inputs)
{
    const auto set = [&inputs](InputRow* row) {
        if (const std::optional<int>& position = inputs.*ProfileInputs::position(row->range().id))
            row->slider()->setValue(*position);
    };
    set(m_systolicRow);
    set(m_diastolicRow);
    set(m_breathHoldRow);
    set(m_balanceRow);
    if (inputs.female)
        setOptionValue(1, *inputs.female);
    if (inputs.male)
        setOptionValue(0, *inputs.male);
    set(m_ageRow);
    set(m_massRow);
    const QList<StatementCheckBox*>& statements = m_statements->statements();
    for (int i = 0; i < AssessmentRecord::StatementCount; ++i) {
        if (const std::optional<int>& value = inputs.statements[size_t(i)])
            statements[i]->setValue(*value);
    }
    // -1 is no selection, as a profile saved without one holds it.
    QComboBox* rating = m_statements->ratingBox();
    if (inputs.healthRating && *inputs.healthRating >= -1 && *inputs.healthRating < rating->count())
        rating->setCurrentIndex(*inputs.healthRating);
    refreshSliders();
}

void Form1::onCalculate()
{
    // Positions set by code since the last label update show before the calculation takes
    // them, so the age line of the results and the result come from the same value.
    refreshSliders();
    const AssessmentRecord record = currentRecord();
    ResultForm results(this);
    results.fill(ComputeAssessment(record), m_ageRow->valueLabel()->text());
    results.setInputs(record, QDateTime::currentDateTime());
    results.setHistory(&m_history, m_profileBar->profileBox()->currentText());
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
        m_breathHoldRow->setPosition(reading);
        break;
    case StopwatchTarget::Balance:
        m_balanceRow->setPosition(reading);
        break;
    case StopwatchTarget::None:
        break;
    }
}

void Form1::openAbout()
{
    FormAbout about(this, litBanner(), plainBanner());
    about.exec();
}
