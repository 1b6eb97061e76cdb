#include "windows/mainwindow/ProfileToolbar.h"

#include "widgets/controls/MenuRowDelegate.h"
#include "widgets/support/SvgArt.h"
#include "widgets/support/SvgIconEngine.h"
#include "widgets/support/Twips.h"
#include "widgets/support/WheelNeedsFocus.h"
#include "windows/mainwindow/InputRow.h"
#include "windows/mainwindow/ReachableButton.h"

#include <QAction>
#include <QComboBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>

namespace {

const QString SaveIcon = QStringLiteral(":/icons/save.svg");
const QString DeleteIcon = QStringLiteral(":/icons/del.svg");

} // namespace

void ProfileToolbar::prepare(qreal devicePixelRatio)
{
    SvgIconEngine::prepare(SaveIcon, QSize(IconSize, IconSize), devicePixelRatio);
    SvgIconEngine::prepare(DeleteIcon, QSize(IconSize, IconSize), devicePixelRatio);
}

ProfileToolbar::ProfileToolbar(QWidget* window) : QObject(window)
{
    m_bar = new QToolBar(window);
    m_bar->setObjectName(QStringLiteral("Toolbar1"));
    m_bar->setMovable(false);
    m_bar->setFloatable(false);
    m_bar->setIconSize(QSize(IconSize, IconSize));
    // Wide enough for the data menu's button after the two profile buttons.
    m_bar->setGeometry(Twips::rect(2055, 7965, 5220, 390));

    // The caption and the profile box stand at fixed places in the tool bar, not where its
    // layout (which differs by style) would put them; a blank item as wide as both keeps the
    // buttons to their right.
    auto* captionArea = new QWidget(m_bar);
    captionArea->setObjectName(QStringLiteral("Picture1"));
    captionArea->setGeometry(Twips::rect(0, 0, 1320, 390));
    QLabel* caption = InputRow::makeLabel(captionArea, QStringLiteral("Label11"), tr("Профили:"),
                                          Twips::rect(60, 60, 1260, 315));

    m_profileBox = new QComboBox(m_bar);
    m_profileBox->setObjectName(QStringLiteral("Combo2"));
    WheelNeedsFocus::apply(m_profileBox);
    m_profileBox->setEditable(true);
    m_profileBox->lineEdit()->setAccessibleName(tr("Имя профиля"));
    m_profileBox->setGeometry(Twips::rect(1125, 30, 2715, 315));
    m_profileBox->setAccessibleName(tr("Профиль"));
    m_profileBox->setItemDelegate(new MenuRowDelegate(m_profileBox));
    caption->setBuddy(m_profileBox);

    auto* placeholder = new QWidget;
    placeholder->setFixedSize(m_profileBox->geometry().right() + 1, 1);
    m_bar->addWidget(placeholder);

    const auto addButton = [this](const char* key, const QString& icon, const QString& name) {
        QAction* action = m_bar->addAction(SvgArt::icon(icon), QString());
        action->setObjectName(QString::fromLatin1(key));
        action->setEnabled(false);
        // The buttons show only an icon; the tip says what they do.
        action->setToolTip(name);
        ReachableButton::make(m_bar, action, name);
        return action;
    };
    m_save = addButton("save", SaveIcon, tr("Сохранить профиль"));
    m_delete = addButton("del", DeleteIcon, tr("Удалить профиль"));
    // Over the blank item; the box over the caption's spare width.
    captionArea->raise();
    m_profileBox->raise();
}

QWidget* ProfileToolbar::saveWidget() const
{
    return m_bar->widgetForAction(m_save);
}

QWidget* ProfileToolbar::deleteWidget() const
{
    return m_bar->widgetForAction(m_delete);
}
