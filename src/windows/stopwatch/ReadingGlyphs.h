#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QRawFont>
#include <QString>

#include <array>

class QPainter;
class QPointF;

// The glyphs of the characters a stopwatch reading is made of ("0".."9" and ":"), laid out
// once for a font. The reading changes a hundred times a second; drawing and measuring it from
// these glyphs neither shapes nor measures text again. A text with any other character, or a
// font without one of these glyphs, goes the ordinary way.
class ReadingGlyphs
{
public:
    explicit ReadingGlyphs(const QFont& font);

    // Draws text with its baseline starting at origin, in the painter's pen.
    void draw(QPainter& painter, const QPointF& origin, const QString& text) const;
    // Width of text as drawn.
    qreal advance(const QString& text) const;

private:
    static constexpr int Count = 11; // ten digits and the colon
    static int slot(QChar c);

    QFont m_font;
    QFontMetricsF m_metrics;
    QRawFont m_rawFont; // invalid when the font lacks a glyph: then text is shaped
    std::array<quint32, Count> m_glyphs{};
    std::array<qreal, Count> m_advances{};
};
