#include "core/app/BuildConfig.h"
#include "core/app/DisplayEnvironment.h"
#include "core/app/QtTranslation.h"
#include "core/app/SingleInstance.h"
#include "widgets/support/AppFonts.h"
#include "widgets/support/AppStyle.h"
#include "widgets/support/WindowActivation.h"
#include "windows/mainwindow/Form1.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    const bool noSharedMemorySetHere = DisplayEnvironment::prepare();
    QApplication app(argc, argv);
    DisplayEnvironment::release(noSharedMemorySetHere);
    QApplication::setApplicationName(QStringLiteral("kalder-vitalon"));
    QApplication::setOrganizationName(QStringLiteral("Kalder_Programming"));
    QApplication::setDesktopFileName(QStringLiteral("kalder-vitalon"));

    SingleInstance instance(QStringLiteral(VITALON_INSTANCE_KEY));
    if (!instance.claim())
        return 0; // the running copy has been asked to come to the front

    // Without the file Qt's texts stay English; the program works all the same.
    installQtTranslation(app);

    // The chosen style (platform default, -style or QT_STYLE_OVERRIDE), wrapped.
    QApplication::setStyle(new AppStyle(QApplication::style()->name()));
    AppFonts::registerTahoma();

    Form1 form;
    QObject::connect(&instance, &SingleInstance::activationRequested, &form,
                     [&form] { WindowActivation::bringToFront(&form); });
    form.show();
    return app.exec();
}
