// The real seams of the desktop programs.
#include "common/desktop_seams.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QSoundEffect>
#include <QUrl>

namespace {

QWidget *owner()
{
    return QApplication::activeWindow();
}

QString titleOrDefault(const QString &title)
{
    return title.isEmpty() ? QCoreApplication::applicationName() : title;
}

} // namespace

void QtMessageBoxes::show(MessageIcon icon, const QString &title, const QString &text)
{
    QMessageBox::Icon boxIcon = QMessageBox::NoIcon;
    switch (icon) {
    case MessageIcon::Information:
        boxIcon = QMessageBox::Information;
        break;
    case MessageIcon::Error:
        boxIcon = QMessageBox::Critical;
        break;
    case MessageIcon::Question:
        boxIcon = QMessageBox::Question;
        break;
    case MessageIcon::None:
        break;
    }
    QMessageBox box(boxIcon, titleOrDefault(title), text, QMessageBox::Ok, owner());
    box.exec();
}

bool QtMessageBoxes::ask(const QString &title, const QString &text)
{
    return QMessageBox::question(owner(), titleOrDefault(title), text,
                                 QMessageBox::Yes | QMessageBox::No)
           == QMessageBox::Yes;
}

void DesktopBrowser::openUrl(const QString &address)
{
    QDesktopServices::openUrl(QUrl(address, QUrl::TolerantMode));
}

void DesktopBrowser::openFolder(const QString &path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

QtSoundPlayer::QtSoundPlayer() = default;
QtSoundPlayer::~QtSoundPlayer() = default;

void QtSoundPlayer::play(const QString &path)
{
    // One effect at a time; a new sound replaces one still playing. A missing file plays nothing.
    m_effect = std::make_unique<QSoundEffect>();
    m_effect->setSource(QUrl::fromLocalFile(path));
    m_effect->play();
}

QString QtFileDialogs::openFile(const QString &title, const QString &filter, const QString &folder)
{
    return QFileDialog::getOpenFileName(owner(), title, folder, filter, nullptr,
                                        QFileDialog::ReadOnly);
}

QString QtFileDialogs::chooseFolder(const QString &title)
{
    return QFileDialog::getExistingDirectory(owner(), title);
}
