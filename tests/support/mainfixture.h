#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <memory>

#include "app/mainwindow.h"
#include "support/fakeplatform.h"
#include "support/testenv.h"

// City file bytes: the lines, each ended by CR LF.
QByteArray cityFile(const QList<QByteArray>& lines);

// 59 cities "Ville1" ... "Ville59", row i with the offset i % 24 - 11 in summer and winter.
QByteArray fullFile();

// A main window on a fake clock, in a throw-away program folder and settings store.
struct ClockFixture
{
    TestEnvironment env;
    FakePlatform platform;
    std::unique_ptr<Main> window;

    explicit ClockFixture(const QByteArray& cities,
                          const QDateTime& local = QDateTime(QDate(2024, 12, 9), QTime(10, 0), Qt::UTC),
                          int offsetHours = 1, bool writeFile = true);
    // Builds the window and runs its start-up sequence.
    Main& start();
    CityGrid& grid() { return window->grid(); }
};
