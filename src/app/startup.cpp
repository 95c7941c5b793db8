// Start-up of the main program.
#include "app/startup.h"

#include "app/app_context.h"
#include "app/main_window.h"
#include "common/program_dir.h"
#include "common/single_instance.h"

#include <QApplication>
#include <QFile>

void applySkin(const QString &programDir)
{
    QFile skin(ProgramDir::file(programDir, QStringLiteral("skinh.she")));
    if (skin.open(QIODevice::ReadOnly))
        qApp->setStyleSheet(QString::fromUtf8(skin.readAll()));
}

std::unique_ptr<FrmMain> startMorvane(AppContext &context, SingleInstance &instance)
{
    if (!instance.tryAcquire()) {
        context.seams.messages->show(MessageIcon::Information, QStringLiteral("提示"),
                                     QStringLiteral("程序已经运行了，请勿重复运行..."));
        return nullptr;
    }
    applySkin(context.programDir);
    auto window = std::make_unique<FrmMain>(context);
    if (!window->load())
        return nullptr;
    FrmMain *w = window.get();
    QObject::connect(w, &FrmMain::loaded, w, &FrmMain::show, Qt::SingleShotConnection);
    return window;
}
