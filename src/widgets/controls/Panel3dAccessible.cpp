#include "widgets/controls/Panel3dAccessible.h"

#include "widgets/controls/Panel3d.h"

Panel3dAccessible::Panel3dAccessible(Panel3d* panel)
    : QAccessibleWidget(panel, QAccessible::Separator)
{
}
