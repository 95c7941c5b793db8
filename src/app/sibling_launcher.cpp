// The launch table of the programs that live beside Morvane.
#include "app/sibling_launcher.h"

#include "common/program_dir.h"

#include <QFileInfo>

SiblingEntry siblingEntry(Sibling which)
{
    switch (which) {
    case Sibling::Editor:
        return {QStringLiteral("editor"), QStringLiteral("pixelmorrowtide"),
                WindowMode::NormalNoFocus, QStringLiteral("文件已经损坏或不存在")};
    case Sibling::Update:
        return {QStringLiteral("Update"), QStringLiteral("pixelmorrowtide"),
                WindowMode::NormalNoFocus, QStringLiteral("升级程序已经损坏或不存在")};
    case Sibling::RelayPub:
        break;
    }
    return {QStringLiteral("relaypub"), QStringLiteral("morvanecms"), WindowMode::MinimizedFocus,
            QStringLiteral("CMS发布程式已经损坏或不存在")};
}

void launchSibling(Sibling which, const QString &programDir, ProcessLauncher &launcher,
                   MessageBoxes &messages)
{
    const SiblingEntry entry = siblingEntry(which);
    const QString path = ProgramDir::file(programDir, entry.executable);
    if (!QFileInfo(path).isFile()) {
        messages.show(MessageIcon::Error, QStringLiteral("提示"), entry.missingMessage);
        return;
    }
    launcher.start(path, {entry.token}, entry.mode);
}
