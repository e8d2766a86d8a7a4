#include "desktop.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <memory>

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

} // namespace

bool gtkThemeAsksForHighContrast()
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
    return false;
}

void SystemDesktop::askHighContrast(QObject* context, std::function<void(bool)> answer)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("gsettings"));
    if (gtkThemeAsksForHighContrast() || program.isEmpty()) {
        answer(gtkThemeAsksForHighContrast());
        return;
    }
    // GNOME's accessibility setting and its theme, each read by gsettings; the answer once both have spoken.
    struct Reading
    {
        int waiting = 2;
        bool high = false;
        std::function<void(bool)> answer;
    };
    auto reading = std::make_shared<Reading>();
    reading->answer = std::move(answer);
    const std::pair<const char*, const char*> settings[] = {{"org.gnome.desktop.a11y.interface", "high-contrast"},
                                                            {"org.gnome.desktop.interface", "gtk-theme"}};
    for (const auto& [schema, key] : settings) {
        auto* process = new QProcess(context);
        process->setStandardInputFile(QProcess::nullDevice());
        const bool accessibility = QLatin1String(key) == QLatin1String("high-contrast");
        QObject::connect(process, &QProcess::finished, context, [process, reading, accessibility] {
            const QString said = QString::fromUtf8(process->readAllStandardOutput()).trimmed().remove(u'\'');
            reading->high =
                reading->high || (accessibility ? said == QLatin1String("true") : isHighContrastTheme(said));
            process->deleteLater();
            if (--reading->waiting == 0)
                reading->answer(reading->high);
        });
        QObject::connect(process, &QProcess::errorOccurred, context, [process, reading](QProcess::ProcessError error) {
            if (error != QProcess::FailedToStart)
                return; // a crash or a kill ends with finished too
            process->deleteLater();
            if (--reading->waiting == 0)
                reading->answer(reading->high);
        });
        QTimer::singleShot(2000, process, [process] { process->kill(); });
        process->start(program, {QStringLiteral("get"), QLatin1String(schema), QLatin1String(key)});
    }
}
