#include "core/app/BuildConfig.h"
#include "core/app/DisplayEnvironment.h"
#include "core/app/QtTranslation.h"
#include "core/app/SingleInstance.h"
#include "core/cli/CommandLine.h"
#include "core/history/HistoryStore.h"
#include "core/profiles/ProfileStore.h"
#include "core/profiles/SettingsStore.h"
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
        applySystemLanguage(app);
        return line.run(QStringLiteral(VITALON_INSTANCE_KEY));
    }

    const bool noSharedMemorySetHere = DisplayEnvironment::prepare();
    QApplication app(argc, argv);
    DisplayEnvironment::release(noSharedMemorySetHere);
    QApplication::setDesktopFileName(QStringLiteral("kalder-vitalon"));

    SingleInstance instance(QStringLiteral(VITALON_INSTANCE_KEY));
    if (!instance.claim())
        return 0; // the running copy has been asked to come to the front

    // Russian, or English on a desktop that prefers English; without a catalogue file the
    // texts stay in their source language and the program works all the same.
    applySystemLanguage(app);

    // The chosen style (platform default, -style or QT_STYLE_OVERRIDE), wrapped.
    QApplication::setStyle(new AppStyle(QApplication::style()->name()));
    // The stores outlive the window that uses them. The history opens the first time it is
    // used; the profile list is read on another core while the window is built.
    SettingsStore settings;
    HistoryStore history;
    ProfileStore(settings).readListAhead();

    // The window's pictures are drawn on another core too, while the fonts are read and the
    // window is built.
    Form1::prepare();
    AppFonts::registerTahoma();
    // The program's font for every window and pop-up; nothing then reads the desktop's font
    // just to lay out a text field before it takes the window's.
    QApplication::setFont(AppFonts::tahoma());

    Form1 form(settings, history);
    QObject::connect(&instance, &SingleInstance::activationRequested, &form,
                     [&form] { WindowActivation::bringToFront(&form); });
    form.show();
    return app.exec();
}
