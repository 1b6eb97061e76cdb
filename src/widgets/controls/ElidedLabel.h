#pragma once

#include <QLabel>

// A one-line label that never cuts its text without a sign: a text wider than the label ends
// in "…" and is shown whole in its tool tip. It asks for no more width than an ellipsis, so a
// long text does not push its layout wider than the window.
class ElidedLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    void setFullText(const QString& text);
    const QString& fullText() const { return m_fullText; }

    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void elide();

    QString m_fullText;
};
