#include "widgets/charts/AgeDifferenceScale.h"

#include "core/assessment/ComputeAssessment.h"
#include "core/assessment/YearsString.h"
#include "widgets/charts/ChartStyle.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr int Boundaries[] = {-30, -9, -3, 3, 9, 30};
constexpr int ScaleEnd = 30;

struct Band
{
    int from;
    int to;
    int group; // 0 slower, 1 matching, 2 faster
    bool outer;
};

constexpr std::array<Band, 5> Bands = {{
    {-30, -9, 0, true},
    {-9, -3, 0, false},
    {-3, 3, 1, false},
    {3, 9, 2, false},
    {9, 30, 2, true},
}};

// A verdict case of each group, for its title.
constexpr int GroupCase[] = {2, 3, 4};

// Slower ageing is good news and faster ageing bad news; their hues carry that meaning, with
// a lightness taken from the palette so that they sit well in light and dark themes alike.
QColor bandColour(const QPalette& palette, int group, bool outer)
{
    if (group == 1)
        return ChartStyle::tint(palette, 0, 0, 0.18);
    const double hue = group == 0 ? 165 : 20;
    return ChartStyle::tint(palette, hue, outer ? 0.5 : 0.45, outer ? 0.42 : 0.27);
}

// A group of two bands shows both shades in its legend swatch, outer shade outermost.
double swatchWidth(int group, double swatch)
{
    return group == 1 ? swatch : 2 * swatch;
}

QString boundaryText(int boundary)
{
    return DecimalString(FixedPoint::fromInt(boundary));
}

QString titleWithoutStop(int verdictCase)
{
    QString title = VerdictTitle(verdictCase);
    if (title.endsWith(QLatin1Char('.')))
        title.chop(1);
    return title;
}

// "Ускоренное старение." read as part of a sentence: "ускоренное старение".
QString verdictPhrase(int verdictCase)
{
    QString title = titleWithoutStop(verdictCase);
    if (!title.isEmpty())
        title[0] = title.at(0).toLower();
    return title;
}

} // namespace

double AgeDifferenceScale::Layout::xFor(FixedPoint difference) const
{
    const double end = FixedPoint::fromInt(ScaleEnd).raw();
    const double d = std::clamp(static_cast<double>(difference.raw()), -end, end);
    return band.left() + (d + end) / (2 * end) * band.width();
}

AgeDifferenceScale::Layout AgeDifferenceScale::layout(const QRectF& rect,
                                                      const QFontMetricsF& metrics)
{
    const double line = std::ceil(metrics.height());
    const double u = ChartStyle::unit(metrics);
    const double pointer = std::round(line * 0.5);

    Layout l;
    l.arrowLength = std::round(line * 0.8);
    const double margin =
        std::max(metrics.horizontalAdvance(boundaryText(-ScaleEnd)) / 2, l.arrowLength + u) + u;
    l.labelTop = rect.top();
    const double bandTop = rect.top() + line + pointer;
    l.band = QRectF(rect.left() + margin, bandTop, std::max(0.0, rect.width() - 2 * margin),
                    std::round(line * 0.9));
    l.tickTop = l.band.bottom();
    l.tickLabelTop = l.tickTop + 3 * u;
    const double captionTop = l.tickLabelTop + line + u;
    l.caption.text = captionText();
    const double captionWidth = std::min(rect.width(), metrics.horizontalAdvance(l.caption.text));
    l.caption.rect = QRectF(std::max(rect.left(), l.band.center().x() - captionWidth / 2),
                            captionTop, captionWidth, line);
    l.caption.group = -1;
    const double titlesTop = captionTop + line + 3 * u;

    // The two outer groups' titles stand under their ends, the middle one under the middle;
    // a title that would run into another moves to a row of its own.
    const double swatch = std::round(line * 0.75);
    const double gap = std::round(line * 0.35);
    QVector<QVector<QRectF>> rows;
    for (int group : {0, 2, 1}) {
        Title title;
        title.group = group;
        title.text = VerdictTitle(GroupCase[group]);
        const double width =
            swatchWidth(group, swatch) + gap + metrics.horizontalAdvance(title.text);
        double left = group == 0   ? l.band.left()
                      : group == 2 ? l.band.right() - width
                                   : l.band.center().x() - width / 2;
        left = std::max(rect.left(), std::min(left, rect.right() - width));
        int row = 0;
        for (; row < rows.size(); ++row) {
            const bool clash =
                std::any_of(rows[row].begin(), rows[row].end(), [&](const QRectF& r) {
                    return left < r.right() + line && r.left() < left + width + line;
                });
            if (!clash)
                break;
        }
        if (row == rows.size())
            rows.append(QVector<QRectF>());
        title.rect = QRectF(left, titlesTop + row * (line + 2 * u), width, line);
        rows[row].append(title.rect);
        l.titles.append(title);
    }
    l.height = titlesTop + rows.size() * (line + 2 * u) - 2 * u - rect.top();
    return l;
}

double AgeDifferenceScale::minimumWidth(const QFontMetricsF& metrics)
{
    const double line = std::ceil(metrics.height());
    const double swatch = std::round(line * 0.75);
    double widest = metrics.horizontalAdvance(captionText());
    for (int group = 0; group < 3; ++group)
        widest = std::max(widest, swatchWidth(group, swatch) + std::round(line * 0.35) +
                                      metrics.horizontalAdvance(VerdictTitle(GroupCase[group])));
    return std::ceil(widest);
}

double AgeDifferenceScale::heightFor(double width, const QFontMetricsF& metrics)
{
    return std::ceil(layout(QRectF(0, 0, width, 0), metrics).height);
}

bool AgeDifferenceScale::isPinned(FixedPoint difference)
{
    // Exactly what no verdict band holds: below −30, and from 30 on.
    return VerdictCase(difference) == 0;
}

double AgeDifferenceScale::markerX(const Layout& layout, FixedPoint difference, double unit)
{
    // A boundary belongs to one band: the marker on it leans into that band, and it never
    // overhangs an end.
    double x = layout.xFor(difference);
    const qint64 raw = difference.raw();
    if (raw == -90000 || raw == -30000)
        x -= 2 * unit;
    else if (raw == 30000 || raw == 90000)
        x += 2 * unit;
    return std::clamp(x, layout.band.left() + 2 * unit, layout.band.right() - 2 * unit);
}

void AgeDifferenceScale::paint(QPainter& painter, const QRectF& rect, FixedPoint difference,
                               const QPalette& palette)
{
    const QFontMetricsF metrics = ChartStyle::metrics(painter);
    const Layout l = layout(rect, metrics);
    const double u = ChartStyle::unit(metrics);
    const double line = std::ceil(metrics.height());
    const QColor text = palette.color(QPalette::WindowText);

    // Edges lie on device pixels, so the bands and rules stay sharp with antialiasing on.
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const double bandTop = ChartStyle::snapY(painter, l.band.top());
    const double bandBottom = ChartStyle::snapY(painter, l.band.bottom());
    for (const Band& band : Bands) {
        const double left = ChartStyle::snapX(painter, l.xFor(FixedPoint::fromInt(band.from)));
        const double right = ChartStyle::snapX(painter, l.xFor(FixedPoint::fromInt(band.to)));
        painter.fillRect(QRectF(left, bandTop, right - left, bandBottom - bandTop),
                         bandColour(palette, band.group, band.outer));
    }

    painter.setPen(text);
    for (int boundary : Boundaries) {
        const double x = l.xFor(FixedPoint::fromInt(boundary));
        const double left = ChartStyle::snapX(painter, x - u / 2);
        painter.fillRect(QRectF(left, bandBottom, u, 3 * u), text);
        const QString label = boundaryText(boundary);
        const double width = metrics.horizontalAdvance(label);
        painter.drawText(QRectF(x - width / 2, l.tickLabelTop, width, line), Qt::AlignCenter,
                         label);
    }

    painter.drawText(l.caption.rect, Qt::AlignCenter, l.caption.text);
    const double swatch = std::round(line * 0.75);
    for (const Title& title : l.titles) {
        const double top = title.rect.center().y() - swatch / 2;
        if (title.group == 1) {
            painter.fillRect(
                ChartStyle::snapped(painter, QRectF(title.rect.left(), top, swatch, swatch)),
                bandColour(palette, 1, false));
        } else {
            // The outer shade on the side the outer band lies.
            const bool outerFirst = title.group == 0;
            for (int half = 0; half < 2; ++half) {
                const QRectF box(title.rect.left() + half * swatch, top, swatch, swatch);
                painter.fillRect(ChartStyle::snapped(painter, box),
                                 bandColour(palette, title.group, (half == 0) == outerFirst));
            }
        }
        painter.drawText(title.rect.adjusted(
                             swatchWidth(title.group, swatch) + std::round(line * 0.35), 0, 0, 0),
                         Qt::AlignLeft | Qt::AlignVCenter, title.text);
    }

    // The marker: a pointer above the band and a bar across it, edged in the window's colour
    // so that it stands out on every band; beyond an end, an arrow beside the band instead.
    const double x = ChartStyle::snapX(painter, markerX(l, difference, u));
    double labelCentre = x;
    QPainterPath shape;
    if (isPinned(difference)) {
        const bool right = difference.raw() > 0;
        const double base = right ? l.band.right() + u : l.band.left() - u;
        const double tip = right ? base + l.arrowLength : base - l.arrowLength;
        const double half = (bandBottom - bandTop) / 2 + u;
        const double middle = (bandTop + bandBottom) / 2;
        shape.moveTo(base, middle - half);
        shape.lineTo(tip, middle);
        shape.lineTo(base, middle + half);
        shape.closeSubpath();
        labelCentre = (base + tip) / 2;
    } else {
        const double pointer = std::round(line * 0.5);
        const double reach = std::round(line * 0.4);
        painter.fillRect(QRectF(x - 2 * u, bandTop, 4 * u, bandBottom - bandTop),
                         palette.color(QPalette::Window));
        painter.fillRect(QRectF(x - u, bandTop, 2 * u, bandBottom - bandTop + 2 * u), text);
        shape.moveTo(x - reach, bandTop - pointer);
        shape.lineTo(x + reach, bandTop - pointer);
        shape.lineTo(x, bandTop);
        shape.closeSubpath();
    }
    painter.fillPath(shape, text);

    QFont bold = painter.font();
    bold.setBold(true);
    painter.setFont(bold);
    const QString value = YearsString(difference, SignStyle::Explicit);
    const double width = QFontMetricsF(bold, painter.device()).horizontalAdvance(value);
    const double left =
        std::max(rect.left(), std::min(labelCentre - width / 2, rect.right() - width));
    painter.drawText(QRectF(left, l.labelTop, width, line), Qt::AlignCenter, value);
    painter.restore();
}

QString AgeDifferenceScale::textEquivalent(FixedPoint difference)
{
    const QString phrase = verdictPhrase(VerdictCase(difference));
    if (isPinned(difference))
        return QCoreApplication::translate("AgeDifferenceScale", "Разница %1, за краем шкалы: %2")
            .arg(YearsString(difference), phrase);
    return QCoreApplication::translate("AgeDifferenceScale", "Разница %1: %2")
        .arg(YearsString(difference), phrase);
}

QString AgeDifferenceScale::captionText()
{
    return QCoreApplication::translate("AgeDifferenceScale",
                                       "Биологический возраст минус полный, лет");
}

QString AgeDifferenceScale::description()
{
    return QCoreApplication::translate(
               "AgeDifferenceScale",
               "Шкала разницы биологического и полного возраста от −30 до 30 лет. "
               "%1: от −30 до −3 включительно. %2: больше −3 и меньше 3. %3: от 3 и меньше 30.")
        .arg(titleWithoutStop(GroupCase[0]), titleWithoutStop(GroupCase[1]),
             titleWithoutStop(GroupCase[2]));
}
