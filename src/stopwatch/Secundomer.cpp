#include "stopwatch/Secundomer.h"

// Interim body so the main window can build against the interface; replaced by the real window.

Secundomer::Secundomer(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Secundomer"));
    setWindowTitle(QStringLiteral("Секундомер"));
}

Secundomer::~Secundomer() = default;
