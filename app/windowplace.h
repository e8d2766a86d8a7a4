#pragma once

#include <QPoint>
#include <QString>
#include <optional>

class QWidget;

// Where the main window stands from one start to the next.

// Puts the window where the user left it, back on a screen: its middle must lie on a screen that is still
// there; in the middle of its screen when the place is unknown or off every screen.
void placeOnScreen(QWidget* window, const std::optional<QPoint>& place);

// Keeps the window's place and whether it stays above the others, for the next start. A place not kept is
// no loss worth a message, nor worth waiting for.
void rememberPlace(const QString& settingsFile, const QPoint& place, bool onTop);
