#include "windows/stopwatch/StopwatchDisplay.h"

#include "core/app/DisplayLocale.h"
#include "widgets/support/AppFonts.h"
#include "widgets/support/SvgArt.h"
#include "widgets/support/Twips.h"

#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace {

// The reading's place in the display and its size, in twips (39.75 pt).
constexpr double TextX = 255;
constexpr double TextY = 0;
constexpr double TextHeight = 39.75 * 20;
constexpr double CellAscent = 2049.0 / 2048.0;

const QColor TextColor(0x1f, 0x2a, 0x1b);

QFont readingFont()
{
    QFont font = AppFonts::tahoma(39.75);
    // Sized in pixels so that the reading fits the fixed picture at any logical DPI.
    font.setPixelSize(Twips::px(TextHeight));
    return font;
}

} // namespace

StopwatchDisplay::StopwatchDisplay(QWidget* parent)
    : QWidget(parent), m_font(readingFont()), m_glyphs(m_font)
{
    // The picture covers the whole widget: nothing beneath needs repainting on a tick.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The position is the top of the character cell. Tahoma's cell ascent is 2049/2048 em;
    // the metric-compatible substitute reports less, which would push the digits to the rim.
    m_ascent = std::max(QFontMetrics(m_font).ascent(), qRound(m_font.pixelSize() * CellAscent));
}

void StopwatchDisplay::setText(const QString& text)
{
    m_text = text;
    if (m_sincePaint.isValid() && m_sincePaint.elapsed() < frameMs())
        return;
    flush();
}

void StopwatchDisplay::flush()
{
    if (m_text == m_shown)
        return;
    // A tick changes the last digits: repaint from the first changed character on.
    qsizetype same = 0;
    while (same < std::min(m_text.size(), m_shown.size()) && m_text.at(same) == m_shown.at(same))
        ++same;
    const int left =
        Twips::point(TextX, TextY).x() + int(std::floor(m_glyphs.advance(m_shown.left(same)))) - 2;
    // At once rather than queued: the tick's only work is this one small paint.
    repaint(QRect(left, 0, width() - left, height()));
}

int StopwatchDisplay::msToNextFrame() const
{
    if (!m_sincePaint.isValid())
        return 0;
    return int(std::max<qint64>(0, frameMs() - m_sincePaint.elapsed()));
}

int StopwatchDisplay::frameMs() const
{
    const QScreen* shown = screen();
    const qreal rate = shown ? shown->refreshRate() : 0;
    // Less one millisecond, so that ticks that arrive a little early still paint every other
    // time on a screen of 60 Hz.
    return rate > 0 ? std::max(0, int(1000 / rate) - 1) : 15;
}

void StopwatchDisplay::paintEvent(QPaintEvent*)
{
    const qreal dpr = devicePixelRatioF();
    const QColor surround = palette().color(QPalette::Window);
    if (m_background.isNull() || m_background.devicePixelRatio() != dpr || m_surround != surround) {
        // The picture's rounded corners show the window behind; the widget is opaque.
        QPixmap picture(size() * dpr);
        picture.fill(surround);
        m_surround = surround;
        QPainter svg(&picture);
        // The captions under the digits are part of the picture, one per language.
        SvgArt::render(svg, DisplayLocale::isRussian()
                                ? QStringLiteral(":/stopwatch/display.svg")
                                : QStringLiteral(":/stopwatch/display-en.svg"));
        svg.end();
        picture.setDevicePixelRatio(dpr);
        m_background = picture;
    }
    QPainter p(this);
    p.drawPixmap(0, 0, m_background);
    m_shown = m_text;
    m_sincePaint.start();
    p.setPen(TextColor);
    const QPoint origin = Twips::point(TextX, TextY);
    m_glyphs.draw(p, QPointF(origin.x(), origin.y() + m_ascent), m_text);
}
