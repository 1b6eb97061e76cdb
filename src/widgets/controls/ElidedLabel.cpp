#include "widgets/controls/ElidedLabel.h"

#include <QEvent>

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void ElidedLabel::setFullText(const QString& text)
{
    m_fullText = text;
    setAccessibleName(text);
    elide();
}

QSize ElidedLabel::minimumSizeHint() const
{
    const int margins = contentsMargins().left() + contentsMargins().right() + 2 * margin();
    return QSize(fontMetrics().horizontalAdvance(QStringLiteral("…")) + margins,
                 QLabel::minimumSizeHint().height());
}

void ElidedLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    elide();
}

void ElidedLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        elide();
}

void ElidedLabel::elide()
{
    const QString shown =
        fontMetrics().elidedText(m_fullText, Qt::ElideRight, contentsRect().width());
    setText(shown);
    setToolTip(shown == m_fullText ? QString() : m_fullText);
}
