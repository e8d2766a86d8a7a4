#include "desktop.h"

#include <QDesktopServices>
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
