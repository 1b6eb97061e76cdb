#pragma once

#include <QAccessible>

// Installs accessibility factories, each one once however often it is asked for: controls ask
// on construction, so the first control of a kind makes its factory known.
class AccessibleFactories
{
public:
    static void install(QAccessible::InterfaceFactory factory);
};
