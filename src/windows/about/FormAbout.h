#pragma once

#include <QDialog>
#include <QList>
#include <QPixmap>

class BannerEffects;
class LinkLabel;
class QPushButton;

// О программе "Kalder Vitalon": version, authors, method note, the web-site and mail links and
// a banner swept by a band of light that continues where it stopped the last time.
class FormAbout : public QDialog
{
    Q_OBJECT
public:
    // lit and plain are the main window's banner pictures the sweep takes its strips from.
    FormAbout(QWidget* parent, const QPixmap& lit, const QPixmap& plain);

    // Where the next tick lights the banner, in twips; kept for the whole run.
    static float sweepX() { return s_sweepX; }

    void sweepTick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void centreOnScreen();
    void openLink(int index);

    static float s_sweepX;

    QPixmap m_lit;
    QPixmap m_plain;
    BannerEffects* m_effects = nullptr;
    QList<LinkLabel*> m_links; // indexed: 0 mail, 1 web site
    QPushButton* m_okButton = nullptr;
};
