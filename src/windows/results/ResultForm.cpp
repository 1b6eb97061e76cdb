#include "windows/results/ResultForm.h"

#include "core/assessment/AgeString.h"
#include "core/assessment/AssessmentResult.h"
#include "widgets/controls/FlatButton.h"
#include "widgets/controls/Panel3d.h"
#include "widgets/support/AppFonts.h"
#include "widgets/support/Twips.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

namespace {

constexpr int CaptionLeft = 165;
constexpr int ValueLeft = 4575;
constexpr int RowWidth = 4965;
// Holds the widest age the inputs' ranges can give ("-92 года", "125 лет", "102 года").
constexpr int ValueWidth = 1200;

QLabel* addLabel(QWidget* page, const QString& name, const QString& text, const QRect& geometry)
{
    auto* label = new QLabel(text, page);
    label->setObjectName(name);
    label->setGeometry(geometry);
    return label;
}

QLabel* addValue(QWidget* page, const QString& name, const QString& text, int top)
{
    QLabel* value = addLabel(page, name, text, Twips::rect(ValueLeft, top, ValueWidth, 255));
    value->setFont(AppFonts::tahoma(8.25, true));
    return value;
}

// The quieter line under a row that says what the number means.
QLabel* addNote(QWidget* page, const QString& text, int top, int height)
{
    QLabel* note = addLabel(page, QString(), text, Twips::rect(CaptionLeft, top, RowWidth, height));
    note->setWordWrap(true);
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    note->setForegroundRole(QPalette::PlaceholderText);
    return note;
}

void addSeparator(QWidget* page, const QString& name, int top, int width)
{
    auto* line = new Panel3d(page);
    line->setObjectName(name);
    line->setGeometry(Twips::rect(CaptionLeft, top, width, 30));
}

} // namespace

ResultForm::ResultForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ResultForm"));
    setWindowTitle(QStringLiteral("Результаты"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFont(AppFonts::tahoma());
    setFixedSize(Twips::size(5700, 5430));

    TabStrip1 = new QTabWidget(this);
    TabStrip1->setObjectName(QStringLiteral("TabStrip1"));
    TabStrip1->setGeometry(Twips::rect(120, 120, 5460, 4710));
    auto* page = new QWidget;
    TabStrip1->addTab(page, QStringLiteral("Ваш результат"));

    addLabel(page, QStringLiteral("Label1"), QStringLiteral("Ваш календарный возраст:"),
             Twips::rect(CaptionLeft, 150, ValueLeft - CaptionLeft, 255));
    Label2 = addValue(page, QStringLiteral("Label2"), QStringLiteral("20 лет"), 150);
    addSeparator(page, QStringLiteral("Panel3d1"), 510, RowWidth);

    addLabel(page, QStringLiteral("Label4"), QStringLiteral("Ваш полный биологический возраст:"),
             Twips::rect(CaptionLeft, 630, ValueLeft - CaptionLeft, 255));
    Label6 = addValue(page, QStringLiteral("Label6"), QStringLiteral("26 лет"), 630);
    addNote(page, QStringLiteral("На сколько Вы должны себя чувствовать (среднестатистически)"),
            885, 255);
    addSeparator(page, QStringLiteral("Panel3d2"), 1260, RowWidth);

    addLabel(page, QStringLiteral("Label5"), QStringLiteral("Ваш биологический возраст:"),
             Twips::rect(CaptionLeft, 1380, ValueLeft - CaptionLeft, 255));
    Label3 = addValue(page, QStringLiteral("Label3"), QStringLiteral("30 лет"), 1380);
    addNote(page,
            QStringLiteral("Степень соответсвия Вашего морфологического статуса (на сколько Вы "
                           "себя чувствуете)"),
            1635, 420);
    addSeparator(page, QStringLiteral("Panel3d3"), 2160, 4950);

    addLabel(page, QStringLiteral("Label7"), QStringLiteral("Вывод:"),
             Twips::rect(CaptionLeft, 2280, RowWidth, 255));
    Text1 = new QPlainTextEdit(page);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    Text1->setGeometry(Twips::rect(CaptionLeft, 2565, RowWidth, 1575));
    Text1->setAccessibleName(QStringLiteral("Вывод"));

    Command1 = new FlatButton(QStringLiteral("Закрыть"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(Twips::rect(5580 - 1755, 4950, 1755, 360));
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);
    MakeFlat(Command1);
}

void ResultForm::fill(const AssessmentResult& result, const QString& calendarAgeText)
{
    Label2->setText(calendarAgeText);
    Label3->setText(AgeString(result.wholeBiologicalAge()));
    Label6->setText(AgeString(result.wholeProperBiologicalAge()));
    // The verdict's CR LF is one line break.
    QString verdict = result.verdictText;
    verdict.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    Text1->setPlainText(verdict);
}
