#include "widgets/support/AppStyle.h"

#include "widgets/support/DeferredIconEngine.h"

#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>

AppStyle::AppStyle(const QString& baseStyleName)
    : QProxyStyle(baseStyleName.isEmpty() ? nullptr : QStyleFactory::create(baseStyleName))
{
}

QIcon AppStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                             const QWidget* widget) const
{
    if (standardIcon != SP_ToolBarHorizontalExtensionButton &&
        standardIcon != SP_ToolBarVerticalExtensionButton)
        return QProxyStyle::standardIcon(standardIcon, option, widget);

    // The option and the widget may be gone when the icon is made: keep what they say now.
    std::shared_ptr<QStyleOption> kept;
    if (option)
        kept = std::make_shared<QStyleOption>(*option);
    const QPointer<const QWidget> target(widget);
    const QPointer<const AppStyle> self(this);
    return QIcon(new DeferredIconEngine([self, standardIcon, kept, target] {
        if (!self)
            return QIcon();
        return self->QProxyStyle::standardIcon(standardIcon, kept.get(), target.data());
    }));
}
