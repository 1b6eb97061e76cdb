#include "windows/mainwindow/StatementsList.h"

#include "widgets/controls/GroupFrame.h"
#include "widgets/controls/StatementCheckBox.h"
#include "widgets/support/Twips.h"
#include "widgets/support/WheelNeedsFocus.h"
#include "windows/mainwindow/InputRow.h"

#include <QComboBox>
#include <QLabel>

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

constexpr int RightColumnFirst = 14;
constexpr int LastStatement = AssessmentRecord::StatementCount - 1;

} // namespace

StatementsList::StatementsList(QWidget* window) : QObject(window)
{
    m_frame = new GroupFrame(tr("Отметьте верные утверждения"), window);
    m_frame->setObjectName(QStringLiteral("Frame1"));
    m_frame->setGeometry(Twips::rect(75, 3240, 10785, 4545));
    auto* area = new QWidget(m_frame);
    area->setObjectName(QStringLiteral("Picture4"));
    area->setGeometry(Twips::rect(75, 195, 10650, 4320));

    // Design places: the left column 0..13 and the right column 14..26, 255 twips apart; the
    // load routine lays the rows out again at 270.
    const QStringList& texts = AssessmentRecord::statementTexts();
    const int columnWidth = 5250;
    for (int i = 0; i < AssessmentRecord::StatementCount; ++i) {
        const bool right = i >= RightColumnFirst;
        const int row = right ? i - RightColumnFirst : i;
        const int left = right ? 5340 : 60;
        const int height = i == LastStatement ? 540 : 255;
        auto* check = new StatementCheckBox(texts.value(i), i, area);
        check->setGeometry(Twips::rect(left, row * 255, columnWidth, height));
        check->setAccessibleName(texts.value(i));
        m_statements << check;
    }
    // The last statement is two lines high: break it to the column.
    StatementCheckBox* last = m_statements.last();
    last->setText(
        wrapped(texts.value(LastStatement), last->fontMetrics(), Twips::px(columnWidth) - 24));

    QLabel* caption =
        InputRow::makeLabel(area, QStringLiteral("Label10"), AssessmentRecord::ratingCaption(),
                            Twips::rect(60, 3870, 3240, 315));
    m_ratingBox = new QComboBox(area);
    m_ratingBox->setObjectName(QStringLiteral("Combo1"));
    WheelNeedsFocus::apply(m_ratingBox);
    m_ratingBox->addItems(AssessmentRecord::ratingTexts());
    m_ratingBox->setGeometry(Twips::rect(3330, 3870, 2100, 315));
    m_ratingBox->setAccessibleName(AssessmentRecord::ratingCaption());
    caption->setBuddy(m_ratingBox);
}

void StatementsList::load()
{
    m_ratingBox->setCurrentIndex(1);

    // Statement rows: 270 high, each below the one before; the right column's first row heads
    // it and the last row keeps its two-line height.
    QRect first = m_statements[0]->geometry();
    first.setHeight(Twips::px(270));
    m_statements[0]->setGeometry(first);
    for (int i = 1; i <= LastStatement; ++i) {
        QRect g = m_statements[i]->geometry();
        if (i != LastStatement)
            g.setHeight(m_statements[0]->height());
        if (i != RightColumnFirst)
            g.moveTop(m_statements[i - 1]->geometry().top() + m_statements[i - 1]->height());
        m_statements[i]->setGeometry(g);
    }
}
