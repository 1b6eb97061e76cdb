#include "core/app/BuildConfig.h"
#include "core/app/DisplayEnvironment.h"
#include "core/app/QtTranslation.h"
#include "core/app/SingleInstance.h"
#include "core/cli/CommandLine.h"
#include "widgets/support/AppFonts.h"
#include "widgets/support/AppStyle.h"
#include "widgets/support/WindowActivation.h"
#include "windows/mainwindow/Form1.h"

#include <QApplication>
#include <QCoreApplication>

int main(int argc, char* argv[])
{
    // The names that place the user's data, for the window and the commands alike.
    QCoreApplication::setApplicationName(QStringLiteral("kalder-vitalon"));
    QCoreApplication::setOrganizationName(QStringLiteral("Kalder_Programming"));

    // A command runs without a window or a display (over ssh too) and without the single
    // copy's hand-over.
    const CommandLine line = CommandLine::parse(CommandLine::arguments(argc, argv));
    if (line.command() != CommandLine::Command::Window) {
        QCoreApplication app(argc, argv);
        installQtTranslation(app);
        return line.run(QStringLiteral(VITALON_INSTANCE_KEY));
    }

    DisplayEnvironment::prepare();
    QApplication app(argc, argv);
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
