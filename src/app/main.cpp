// Morvane's entry: wires the real seams and runs start-up.
#include "app/app_context.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "common/desktop_seams.h"
#include "common/http.h"
#include "common/process_launcher.h"
#include "common/program_dir.h"
#include "common/random.h"
#include "common/single_instance.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts); // the web engine needs it
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Morvane"));

    QtMessageBoxes messages;
    DesktopBrowser browser;
    QtProcessLauncher launcher;
    QtSoundPlayer sound;
    QtFileDialogs dialogs;
    SeededRandom random; // seeded from the clock, once per run
    HttpClient http;

    AppContext context;
    context.programDir = ProgramDir::resolve();
    context.seams = {&messages, &browser, &launcher, &sound, &dialogs, &random};
    context.hosts = ServiceHosts(context.programDir);
    context.http = &http;

    SingleInstance instance(QStringLiteral("Morvane"), context.programDir);
    std::unique_ptr<FrmMain> window = startMorvane(context, instance);
    if (!window)
        return 0;
    return app.exec();
}
