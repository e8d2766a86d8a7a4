#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QTest>
#include <memory>

#include "app/mainwindow.h"
#include "save/citylist.h"
#include "support/fakeplatform.h"
#include "support/testenv.h"

class ButtonBar;
class CityEditor;
class CityGrid;
class ConfigPanel;
class HorluneAbout;
class Label;
class Picture;
class QCheckBox;
class QLineEdit;

// City file bytes: the lines, each ended by CR LF.
QByteArray cityFile(const QList<QByteArray>& lines);

// 59 cities "Ville1" ... "Ville59", row i with the offset i % 24 - 11 in summer and winter.
QByteArray fullFile();

// The child of `parent` named `name`; the test stops at once when there is none.
template <class T = QWidget> T* control(const QObject& parent, const QString& name)
{
    T* found = parent.findChild<T*>(name);
    if (!found)
        qFatal("no %s named %s", T::staticMetaObject.className(), qPrintable(name));
    return found;
}

// A main window on a fake clock, in a throw-away program folder and settings store. Its parts are found
// by the names they carry, as the window's design names them.
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
    // The same, the window then made active, as keys need it (a face takes the focus only then).
    Main& startActive();

    CityGrid& grid() const;
    ButtonBar& buttons() const;
    ConfigPanel& panel() const;
    CityEditor& editor() const;
    Label* label(const QString& name) const { return control<Label>(*window, name); }
    QLineEdit* box(const QString& name) const;
    QCheckBox* mark(const QString& name) const;
    // Types a line of the editor as a paste would: its three texts and its mark.
    void setLine(int i, const EditorLine& line) const;
    // Row i's name (`Ville`), time (`Digit`) and face (`Image1`).
    Label* ville(int i) const { return label(QStringLiteral("Ville_%1").arg(i)); }
    Label* digit(int i) const { return label(QStringLiteral("Digit_%1").arg(i)); }
    Picture* face(int i) const;
    // Whether button i shows its lit look.
    bool isLit(int i) const;
    // The About window, while it is open.
    HorluneAbout* about() const;
    // Opens the configuration panel, as its button does.
    void openPanel() const;
    // The panel's "OK".
    void pressOk() const;
};
