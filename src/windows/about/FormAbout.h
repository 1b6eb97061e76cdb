#pragma once

#include <QDialog>
#include <QList>
#include <QPixmap>

class BannerPicture;
class LinkLabel;
class QLabel;
class QPushButton;
class QTimer;

// О программе "Kalder Vitalon": version, authors, method note, the web-site and mail links and
// a banner swept by a band of light that continues where it stopped the last time.
class FormAbout : public QDialog
{
    Q_OBJECT
public:
    // lit and plain are the main window's banner pictures the sweep takes its strips from.
    FormAbout(QWidget* parent, const QPixmap& lit, const QPixmap& plain);

    // Where the next tick lights the banner, in twips; kept for the whole run.
    static float sweepX() { return SweepX; }

    void Timer1_Timer();
    void DisLink();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void centreOnScreen();
    void Mail_Hovered(int index);
    void Mail_Activated(int index);

    static float SweepX;

    QPixmap m_lit;
    QPixmap m_plain;
    BannerPicture* Picture5 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label5 = nullptr;
    QList<LinkLabel*> Mail; // indexed: 0 mail, 1 web site
    QPushButton* Command2 = nullptr;
    QTimer* Timer1 = nullptr;
};
