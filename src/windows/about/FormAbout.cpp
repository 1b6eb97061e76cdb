#include "windows/about/FormAbout.h"

#include "core/app/BuildConfig.h"
#include "core/app/BuildInfo.h"
#include "core/geometry/BannerSweep.h"
#include "widgets/controls/BannerEffects.h"
#include "widgets/controls/BannerPicture.h"
#include "widgets/controls/FlatButton.h"
#include "widgets/controls/LinkLabel.h"
#include "widgets/controls/Panel3d.h"
#include "widgets/support/AppFonts.h"
#include "widgets/support/SvgArt.h"
#include "widgets/support/Twips.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

float FormAbout::s_sweepX = 0;

namespace {

constexpr int ClientWidth = 5280;
constexpr int RuleLeft = 113;
constexpr int RuleWidth = 5055;
constexpr int TextLeft = 180;
constexpr int ValueLeft = 900;

QLabel* addLabel(QWidget* parent, const QString& text, const QRect& geometry, bool bold)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    label->setFont(AppFonts::tahoma(8.25, bold));
    return label;
}

void addRule(QWidget* parent, const QString& name, int left, int top, int width)
{
    auto* rule = new Panel3d(parent);
    rule->setObjectName(name);
    rule->setGeometry(Twips::rect(left, top, width, 30));
}

} // namespace

FormAbout::FormAbout(QWidget* parent, const QPixmap& lit, const QPixmap& plain)
    : QDialog(parent), m_lit(lit), m_plain(plain)
{
    setObjectName(QStringLiteral("FormAbout"));
    setWindowTitle(tr("О программе \"Kalder Vitalon\""));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFont(AppFonts::tahoma());
    setFixedSize(Twips::size(ClientWidth, 3360));

    // The white band across the top, the banner 555 twips in from the left.
    auto* band = new QWidget(this);
    band->setObjectName(QStringLiteral("Picture1"));
    band->setGeometry(Twips::rect(0, 0, ClientWidth, 750));
    band->setAutoFillBackground(true);
    QPalette white = band->palette();
    white.setColor(QPalette::Window, Qt::white);
    band->setPalette(white);
    auto* banner = new BannerPicture(band);
    banner->setObjectName(QStringLiteral("Picture5"));
    banner->setGeometry(Twips::rect(555, 0, BannerSweep::PictureWidth, 750));
    banner->setPicture(SvgArt::pixmap(
        BannerPicture::art(false),
        Twips::size(BannerSweep::PictureWidth, BannerSweep::PictureHeight), devicePixelRatioF()));
    banner->setAccessibleName(QStringLiteral("Kalder Vitalon"));
    m_effects = new BannerEffects(
        this, banner, [this]() -> const QPixmap& { return m_lit; },
        [this]() -> const QPixmap& { return m_plain; }, &s_sweepX);
    addRule(this, QStringLiteral("Panel3d1"), 0, 750, ClientWidth);

    addLabel(this, tr("Версия:"), Twips::rect(TextLeft, 870, 720, 255), true);
    QLabel* version = addLabel(this, VersionString(), Twips::rect(ValueLeft, 870, 2000, 255), true);
    version->setObjectName(QStringLiteral("Label3"));
    addRule(this, QStringLiteral("Panel3d2"), RuleLeft, 1230, RuleWidth);

    addLabel(this, tr("Автор:"), Twips::rect(TextLeft, 1335, 1500, 255), true);
    QLabel* authors =
        addLabel(this, AuthorsString(), Twips::rect(ValueLeft, 1590, 3780, 540), false);
    authors->setObjectName(QStringLiteral("Label5"));
    authors->setWordWrap(true);
    authors->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    addRule(this, QStringLiteral("Panel3d3"), RuleLeft, 2175, RuleWidth);

    QLabel* method =
        addLabel(this, tr("Определение биологического возраста производится по методу Войтенко."),
                 Twips::rect(TextLeft, 2265, RuleWidth, 225), false);
    method->setFont(AppFonts::tahoma(6.75));
    addRule(this, QStringLiteral("Panel3d4"), RuleLeft, 2565, RuleWidth);

    addLabel(this, tr("Cайт:"), Twips::rect(TextLeft, 2700, 720, 255), true);
    addLabel(this, QStringLiteral("E-mail:"), Twips::rect(TextLeft, 2985, 720, 255), true);
    const struct
    {
        const char* text;
        const char* target;
        int top;
    } links[] = {{VITALON_MAIL_TEXT, VITALON_MAIL_URL, 2985},
                 {VITALON_SITE_TEXT, VITALON_SITE_URL, 2700}};
    for (int i = 0; i < 2; ++i) {
        auto* link = new LinkLabel(QString::fromUtf8(links[i].text), i, this);
        link->setToolTip(QString::fromUtf8(links[i].target));
        link->setGeometry(Twips::rect(ValueLeft, links[i].top, 2850, 255));
        connect(link, &LinkLabel::activated, this, &FormAbout::openLink);
        m_effects->addLink(link);
        m_links << link;
    }

    m_okButton = new FlatButton(QStringLiteral("Ok"), this);
    m_okButton->setObjectName(QStringLiteral("Command2"));
    m_okButton->setGeometry(Twips::rect(ClientWidth - 120 - 1530, 2730, 1530, 390));
    m_okButton->setDefault(true);
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    MakeFlat(m_okButton);

    // The window opens on Ok, so Enter right away closes it and opens no link; Tab then goes
    // to the links in reading order.
    setTabOrder(m_okButton, m_links[1]);
    setTabOrder(m_links[1], m_links[0]);
    m_okButton->setFocus();

    // The window sees Esc before any of its controls.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);

    m_effects->start();

    centreOnScreen();
}

// On the screen the main window is on, whatever the main window's place. The frame is taken
// to be the main window's, so that the framed window sits in the middle.
void FormAbout::centreOnScreen()
{
    const QWidget* main = parentWidget() ? parentWidget()->window() : nullptr;
    const QScreen* onScreen = main ? main->screen() : QGuiApplication::primaryScreen();
    if (!onScreen)
        return;
    QMargins frame;
    if (main && main->isVisible()) {
        const QRect inner = main->geometry();
        const QRect outer = main->frameGeometry();
        frame = QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    }
    QRect framed = QRect(QPoint(0, 0), size()).marginsAdded(frame);
    framed.moveCenter(onScreen->availableGeometry().center());
    move(framed.topLeft());
}

void FormAbout::sweepTick()
{
    m_effects->sweepTick();
}

void FormAbout::openLink(int index)
{
    LinkLabel* link = m_links.value(index);
    if (!link)
        return;
    // An address that is not valid is not guessed at; a desktop that cannot open one shows
    // nothing.
    const QUrl target(link->toolTip(), QUrl::StrictMode);
    if (target.isValid())
        QDesktopServices::openUrl(target);
}

bool FormAbout::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        reject();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
