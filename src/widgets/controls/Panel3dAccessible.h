#pragma once

#include <QAccessibleWidget>

class Panel3d;

// A 3D panel only separates groups of elements: a separator to assistive technology.
class Panel3dAccessible : public QAccessibleWidget
{
public:
    explicit Panel3dAccessible(Panel3d* panel);
};
