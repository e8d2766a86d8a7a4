#include "desktop.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QWidget>
#include <QWindow>

#include "data/safefile.h"

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

bool isHighContrastTheme(const QString& name)
{
    const QString theme = name.section(u':', 0, 0).trimmed().toLower();
    return theme.contains(QLatin1String("highcontrast")) || theme.contains(QLatin1String("high-contrast")) ||
           theme.endsWith(QLatin1String("-hc"));
}

namespace {

// The theme GTK's settings file names ("gtk-theme-name=HighContrast" in its [Settings]).
QString settingsFileTheme(const QString& path)
{
    const FileRead read = readRegularFile(path, 64 * 1024);
    for (const QByteArray& line : read.bytes.split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (trimmed.startsWith("gtk-theme-name") && trimmed.contains('='))
            return QString::fromUtf8(trimmed.mid(trimmed.indexOf('=') + 1)).trimmed().remove(u'"');
    }
    return {};
}

// A GNOME setting, as gsettings prints it; empty when it cannot be read within half a second.
QString gnomeSetting(const QString& schema, const QString& key)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("gsettings"));
    if (program.isEmpty())
        return {};
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(program, {QStringLiteral("get"), schema, key});
    if (!process.waitForFinished(500)) {
        process.kill();
        process.waitForFinished(100);
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed().remove(u'\'');
}

} // namespace

bool SystemDesktop::asksForHighContrast()
{
    if (isHighContrastTheme(qEnvironmentVariable("GTK_THEME")))
        return true;
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty())
        config = QDir::home().filePath(QStringLiteral(".config"));
    for (const char* folder : {"gtk-3.0", "gtk-4.0"}) {
        if (isHighContrastTheme(
                settingsFileTheme(QDir(config).filePath(QLatin1String(folder) + QStringLiteral("/settings.ini")))))
            return true;
    }
    return gnomeSetting(QStringLiteral("org.gnome.desktop.a11y.interface"), QStringLiteral("high-contrast")) ==
               QLatin1String("true") ||
           isHighContrastTheme(
               gnomeSetting(QStringLiteral("org.gnome.desktop.interface"), QStringLiteral("gtk-theme")));
}
