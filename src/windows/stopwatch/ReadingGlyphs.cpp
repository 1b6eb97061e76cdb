#include "windows/stopwatch/ReadingGlyphs.h"

#include <QList>
#include <QPainter>
#include <QPointF>
#include <QTextLayout>

ReadingGlyphs::ReadingGlyphs(const QFont& font) : m_font(font), m_metrics(font)
{
    // Each character followed by another, so that every advance shows in the positions.
    QTextLayout layout(QStringLiteral("0123456789:0"), font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    if (runs.size() != 1 || runs.first().glyphIndexes().size() != Count + 1)
        return; // a fallback font supplies some glyph: keep shaping
    const QGlyphRun& run = runs.first();
    const QList<quint32> glyphs = run.glyphIndexes();
    const QList<QPointF> positions = run.positions();
    for (int k = 0; k < Count; ++k) {
        m_glyphs[k] = glyphs.at(k);
        m_advances[k] = positions.at(k + 1).x() - positions.at(k).x();
    }
    m_rawFont = run.rawFont();
}

int ReadingGlyphs::slot(QChar c)
{
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        return c.unicode() - '0';
    return c == QLatin1Char(':') ? 10 : -1;
}

void ReadingGlyphs::draw(QPainter& painter, const QPointF& origin, const QString& text) const
{
    QList<quint32> glyphs;
    QList<QPointF> positions;
    glyphs.reserve(text.size());
    positions.reserve(text.size());
    qreal x = 0;
    for (const QChar c : text) {
        const int k = slot(c);
        if (k < 0 || !m_rawFont.isValid()) {
            painter.setFont(m_font);
            painter.drawText(origin, text);
            return;
        }
        glyphs.append(m_glyphs[k]);
        positions.append(QPointF(x, 0));
        x += m_advances[k];
    }
    QGlyphRun run;
    run.setRawFont(m_rawFont);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    painter.drawGlyphRun(origin, run);
}

qreal ReadingGlyphs::advance(const QString& text) const
{
    qreal width = 0;
    for (const QChar c : text) {
        const int k = slot(c);
        if (k < 0 || !m_rawFont.isValid())
            return m_metrics.horizontalAdvance(text);
        width += m_advances[k];
    }
    return width;
}
