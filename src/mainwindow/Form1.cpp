#include "mainwindow/Form1.h"

#include "app/AppFonts.h"
#include "app/Module1.h"
#include "app/Twips.h"

#include <QIcon>

Form1::Form1(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(Twips::size(10920, 8430));
    setFont(AppFonts::tahoma());
    setWindowIcon(QIcon(QStringLiteral(":/icons/app.svg")));
    Form_Load();
}

QString Form1::designCaption()
{
    return QStringLiteral("Kalder Vitalon - Расчет биологического возраста ");
}

void Form1::Form_Load()
{
    setWindowTitle(designCaption() + VersionString());
}
