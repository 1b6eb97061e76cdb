#include "windows/results/ReportPage.h"

#include "core/app/BuildInfo.h"
#include "core/app/DisplayLocale.h"
#include "core/assessment/AgeString.h"
#include "core/assessment/AssessmentBreakdown.h"
#include "core/assessment/YearsString.h"
#include "widgets/charts/AgeDifferenceScale.h"
#include "widgets/charts/ChartStyle.h"
#include "widgets/charts/HistoryChart.h"
#include "widgets/support/AppFonts.h"

#include <QPainter>
#include <QPalette>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

#include <algorithm>

namespace {

constexpr double TitlePoints = 16;
constexpr double HeadingPoints = 11;
constexpr double TextPoints = 9.5;
constexpr double ChartPoints = 8.5;
// Between the rows of a list, in lines.
constexpr double Leading = 0.15;
// Below this the page would no longer be read comfortably; no A4 page needs it.
constexpr double SmallestScale = 0.5;
constexpr double ScaleStep = 0.93;

// The page is paper: black on white, whatever the desktop's colours.
QPalette pagePalette()
{
    QPalette palette;
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::Highlight, QColor(0, 84, 166));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::PlaceholderText, QColor(90, 90, 90));
    return palette;
}

QString ratingText(int rating)
{
    const QStringList& texts = AssessmentRecord::ratingTexts();
    return rating >= 0 && rating < texts.size() ? texts.at(rating) : ReportPage::tr("не выбрано");
}

QString notCounted(const QString& value, bool counted)
{
    return counted ? value : ReportPage::tr("%1 (не учитывается)").arg(value);
}

struct Row
{
    QString caption;
    QString value;
};

QVector<Row> inputRows(const AssessmentRecord& r)
{
    const bool male = r.sex == Sex::Male;
    return {
        {ReportPage::tr("Пол:"), male ? ReportPage::tr("мужской") : ReportPage::tr("женский")},
        {ReportPage::tr("Календарный возраст:"), AgeString(r.calendarAge)},
        {ReportPage::tr("Масса тела:"), notCounted(ReportPage::tr("%1 кг").arg(r.bodyMass), !male)},
        {ReportPage::tr("Артериальное давление:"),
         ReportPage::tr("%1 / %2 мм рт. ст.").arg(r.systolicPressure).arg(r.diastolicPressure)},
        {ReportPage::tr("Задержка дыхания после полного вдоха:"),
         notCounted(ReportPage::tr("%1 сек").arg(r.breathHold), male)},
        {ReportPage::tr("Время на одной ноге с закрытыми глазами:"),
         ReportPage::tr("%1 сек").arg(r.balance)},
        {AssessmentRecord::ratingCaption() + QLatin1Char(':'), ratingText(r.healthRating)},
    };
}

QVector<Row> resultRows(const ReportContent& c)
{
    const AssessmentResult& r = c.result;
    const auto age = [](int whole, FixedPoint exact) {
        return AgeString(whole) + QStringLiteral(" (") + DecimalString(exact) + QLatin1Char(')');
    };
    return {
        {ReportPage::tr("Ваш календарный возраст:"), AgeString(c.record.calendarAge)},
        {ReportPage::tr("Ваш полный биологический возраст:"),
         age(r.wholeProperBiologicalAge(), r.properBiologicalAge)},
        {ReportPage::tr("Ваш биологический возраст:"),
         age(r.wholeBiologicalAge(), r.biologicalAge)},
        {ReportPage::tr("Разница биологического и полного:"),
         YearsString(r.ageDifference, SignStyle::Explicit)},
        {ReportPage::tr("Индекс здоровья:"), QString::number(r.healthIndex)},
    };
}

// The statements marked true, by their text; a greyed one says so.
QStringList markedStatements(const AssessmentRecord& r)
{
    QStringList marked;
    const QStringList& texts = AssessmentRecord::statementTexts();
    for (int i = 0; i < AssessmentRecord::StatementCount; ++i) {
        const int state = r.statements[static_cast<size_t>(i)];
        if (state == 1)
            marked.append(texts.at(i));
        else if (state == 2)
            marked.append(ReportPage::tr("%1 (отмечено серым)").arg(texts.at(i)));
    }
    return marked;
}

// Lays the page out from the top and, when `draw` is set, draws it. Returns the height used;
// the chart, when there is one, gets `chartHeight`.
class Composer
{
public:
    Composer(QPainter& painter, const QRectF& area, double scale, bool draw)
        : m_painter(painter), m_area(area), m_scale(scale), m_draw(draw), m_y(area.top())
    {
    }

    double used() const { return m_y - m_area.top(); }

    QFont font(double points, bool bold = false) const
    {
        return AppFonts::tahoma(points * m_scale, bold);
    }
    double line() const { return ChartStyle::metrics(m_painter).height(); }
    double unit() const { return ChartStyle::unit(ChartStyle::metrics(m_painter)); }

    // Wrapped text in a column from `top`; returns its height.
    double text(double left, double width, double top, const QString& text, const QFont& font,
                int flags = Qt::AlignLeft)
    {
        m_painter.setFont(font);
        flags |= Qt::AlignTop | Qt::TextWordWrap;
        const QRectF bounds = m_painter.boundingRect(QRectF(left, top, width, 1e7), flags, text);
        if (m_draw)
            m_painter.drawText(QRectF(left, top, width, bounds.height()), flags, text);
        return bounds.height();
    }

    void skip(double lines) { m_y += lines * line(); }

    void title(const QString& text)
    {
        m_y += this->text(m_area.left(), m_area.width(), m_y, text, font(TitlePoints, true));
    }

    // A line with a text on the left and one on the right.
    void ends(const QString& left, const QString& right)
    {
        const QFont f = font(TextPoints);
        const double half = m_area.width() / 2;
        const double height =
            std::max(text(m_area.left(), half, m_y, left, f),
                     text(m_area.left() + half, half, m_y, right, f, Qt::AlignRight));
        m_y += height;
    }

    void rule()
    {
        m_painter.setFont(font(TextPoints));
        const double u = unit();
        m_y += line() * 0.3;
        if (m_draw)
            m_painter.fillRect(
                ChartStyle::snapped(m_painter, QRectF(m_area.left(), m_y, m_area.width(), u)),
                Qt::black);
        m_y += u + line() * 0.3;
    }

    void heading(const QString& text)
    {
        m_painter.setFont(font(TextPoints));
        m_y += line() * 0.6;
        m_y += this->text(m_area.left(), m_area.width(), m_y, text, font(HeadingPoints, true));
        m_y += line() * 0.2;
    }

    // The width that holds the widest caption, so that every value starts at one place.
    double captionWidth(const QVector<Row>& rows) const
    {
        m_painter.setFont(font(TextPoints));
        double widest = 0;
        for (const Row& row : rows)
            widest =
                std::max(widest, ChartStyle::metrics(m_painter).horizontalAdvance(row.caption));
        return std::min(widest + line(), m_area.width() * 0.55);
    }

    // Captions on the left, values in bold beside them.
    void rows(const QVector<Row>& rows, double captionWidth)
    {
        const QFont plain = font(TextPoints);
        const QFont bold = font(TextPoints, true);
        const double valueLeft = m_area.left() + captionWidth;
        const double valueWidth = m_area.right() - valueLeft;
        for (const Row& row : rows) {
            const double height =
                std::max(text(m_area.left(), captionWidth, m_y, row.caption, plain),
                         text(valueLeft, valueWidth, m_y, row.value, bold));
            m_y += height + Leading * line();
        }
    }

    // A bulleted list in two columns, filled down the left one first.
    void list(const QStringList& items)
    {
        const QFont f = font(TextPoints);
        m_painter.setFont(f);
        const double gap = m_area.width() * 0.04;
        const double width = (m_area.width() - gap) / 2;
        const double indent = line() * 0.9;
        const int half = static_cast<int>((items.size() + 1) / 2);
        double bottom = m_y;
        for (int column = 0; column < 2; ++column) {
            const double left = m_area.left() + column * (width + gap);
            double y = m_y;
            for (int i = column * half; i < std::min<int>(items.size(), (column + 1) * half); ++i) {
                text(left, indent, y, QStringLiteral("•"), f);
                y += text(left + indent, width - indent, y, items.at(i), f) + Leading * line();
            }
            bottom = std::max(bottom, y);
        }
        m_y = bottom;
    }

    void paragraph(const QString& text, bool bold = false)
    {
        m_y += this->text(m_area.left(), m_area.width(), m_y, text, font(TextPoints, bold));
    }

    void scale(FixedPoint difference, const QPalette& palette)
    {
        m_painter.setFont(font(TextPoints));
        const double height =
            AgeDifferenceScale::heightFor(m_area.width(), ChartStyle::metrics(m_painter));
        if (m_draw)
            AgeDifferenceScale::paint(m_painter, QRectF(m_area.left(), m_y, m_area.width(), height),
                                      difference, palette);
        m_y += height;
    }

    void chart(const QVector<HistoryPoint>& points, const AgingPace& pace, double height,
               const QPalette& palette)
    {
        m_painter.setFont(font(ChartPoints));
        const QRectF rect(m_area.left(), m_y, m_area.width(), height);
        if (m_draw) {
            HistoryChart::paint(m_painter, rect, points, palette);
            HistoryChart::paintTrend(m_painter, rect, points, pace, palette);
        }
        m_y += height;
    }

private:
    QPainter& m_painter;
    QRectF m_area;
    double m_scale;
    bool m_draw;
    double m_y;
};

double compose(QPainter& painter, const QRectF& area, const ReportContent& c, double scale,
               double chartHeight, bool draw)
{
    const QPalette palette = pagePalette();
    Composer page(painter, area, scale, draw);
    page.title(ReportPage::title());
    page.ends(ReportPage::tr("Профиль: %1").arg(c.profileName),
              ReportPage::tr("Дата расчёта: %1").arg(DisplayLocale::dateTime(c.calculatedAt)));
    page.rule();

    const QVector<Row> inputs = inputRows(c.record);
    const QVector<Row> results = resultRows(c);
    const double captions = page.captionWidth(inputs + results);
    page.heading(ReportPage::tr("Исходные данные"));
    page.rows(inputs, captions);
    const QString pressureWarning = AssessmentBreakdown(c.record).pressureWarning();
    if (!pressureWarning.isEmpty())
        page.paragraph(pressureWarning, true);
    const QStringList marked = markedStatements(c.record);
    if (marked.isEmpty()) {
        page.heading(ReportPage::tr("Отмеченные утверждения"));
        page.paragraph(ReportPage::tr("Ни одно утверждение не отмечено."));
    } else {
        page.heading(ReportPage::tr("Отмеченные утверждения (%1)").arg(marked.size()));
        page.list(marked);
    }

    page.heading(ReportPage::tr("Результат"));
    page.rows(results, captions);
    const QStringList verdict = c.result.verdictText.split(QStringLiteral("\r\n"));
    page.skip(0.4);
    page.paragraph(ReportPage::tr("Вывод: %1").arg(verdict.value(0)), true);
    if (verdict.size() > 1)
        page.paragraph(verdict.mid(1).join(QLatin1Char('\n')));
    page.skip(0.6);
    page.scale(c.result.ageDifference, palette);

    if (!c.history.isEmpty()) {
        page.heading(ReportPage::tr("История: %1").arg(c.profileName));
        page.chart(c.history, c.pace, chartHeight, palette);
        page.paragraph(c.pace.text());
    }
    return page.used();
}

} // namespace

QString ReportPage::title()
{
    return ReportPage::tr("Биологический возраст по методу Войтенко");
}

QPageLayout ReportPage::pageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                       QPageLayout::Millimeter);
}

void ReportPage::paint(QPainter& painter, const QRectF& page, const ReportContent& content)
{
    painter.save();
    const bool chart = !content.history.isEmpty();
    double scale = 1;
    double chartHeight = 0;
    for (;;) {
        const double fixed = compose(painter, page, content, scale, 0, false);
        const double least = chart ? page.width() * 0.3 * scale : 0;
        if (fixed + least <= page.height() || scale * ScaleStep < SmallestScale) {
            if (chart)
                chartHeight = std::max(least, std::min(page.height() - fixed, page.width() * 0.55));
            break;
        }
        scale *= ScaleStep;
    }
    compose(painter, page, content, scale, chartHeight, true);
    painter.restore();
}

bool ReportPage::writePdf(const QString& path, const ReportContent& content, QString* error)
{
    // Written beside the target under another name and renamed over it at the end.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setPageLayout(pageLayout());
        writer.setTitle(title());
        writer.setCreator(QString::fromLatin1(AppTitle) + QLatin1Char(' ') + VersionString());
        QPainter painter;
        if (!painter.begin(&writer)) {
            *error = QStringLiteral("the PDF could not be started");
            return false; // the unfinished file goes with `file`
        }
        paint(painter, QRectF(0, 0, writer.width(), writer.height()), content);
        painter.end();
    }
    // QSaveFile commits even when its last buffered bytes could not be written (a full disk
    // would leave an empty or cut report): those are written and checked first.
    if (!file.flush()) {
        *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

bool ReportPage::print(QPrinter& printer, const ReportContent& content)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    paint(painter, QRectF(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size()), content);
    return painter.end();
}
