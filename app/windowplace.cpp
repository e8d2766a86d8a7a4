#include "windowplace.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <chrono>

#include "data/settings.h"
#include "ui/controls.h"

void placeOnScreen(QWidget* window, const std::optional<QPoint>& place)
{
    const auto onAScreen = [window](const QPoint& topLeft) {
        const QPoint middle = topLeft + window->rect().center();
        const QList<QScreen*> screens = QGuiApplication::screens();
        return std::any_of(screens.begin(), screens.end(),
                           [&middle](const QScreen* screen) { return screen->availableGeometry().contains(middle); });
    };
    if (place && onAScreen(*place))
        window->move(*place);
    else
        centreOnScreen(window);
}

void rememberPlace(const QString& settingsFile, const QPoint& place, bool onTop)
{
    SettingsStore settings(settingsFile);
    settings.writeWindowPlace(place);
    settings.writeAlwaysOnTop(onTop);
    settings.sync(std::chrono::milliseconds(500));
}
