#include "desktop.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

bool SystemDesktop::openUrl(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

bool SystemDesktop::openHelp(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool SystemDesktop::startSystemMove(QWidget* window)
{
    QWindow* handle = window ? window->window()->windowHandle() : nullptr;
    return handle && handle->startSystemMove();
}

bool SystemDesktop::copyText(const QString& text)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(text);
    // Read back: the clipboard's owner is this program only once the window system has agreed.
    return clipboard->text() == text;
}
