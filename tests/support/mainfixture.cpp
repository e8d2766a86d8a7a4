#include "mainfixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

#include "about/aboutwindow.h"
#include "chrome/buttonbar.h"
#include "clock/citygrid.h"
#include "config/cityeditor.h"
#include "config/configpanel.h"
#include "ui/controls.h"
#include "ui/look.h"

QByteArray cityFile(const QList<QByteArray>& lines)
{
    QByteArray bytes;
    for (const QByteArray& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

QByteArray fullFile()
{
    QList<QByteArray> lines;
    for (int i = 1; i <= kCityRows; ++i)
        lines << "Ville" + QByteArray::number(i) + "," + QByteArray::number(i % 24 - 11) + "," +
                     QByteArray::number(i % 24 - 11);
    return cityFile(lines);
}

ClockFixture::ClockFixture(const QByteArray& cities, const QDateTime& local, int offsetHours, bool writeFile)
{
    if (writeFile)
        env.writeCityFile(cities);
    platform.clock.set(local, offsetHours * 3600);
}

Main& ClockFixture::start()
{
    look::applyDesignLook();
    window =
        std::make_unique<Main>(platform.services(), env.programDirectory(), env.programDirectory(), env.settingsFile());
    window->Form_Load();
    return *window;
}

Main& ClockFixture::startActive()
{
    Main& w = start();
    w.activateWindow();
    if (!QTest::qWaitForWindowActive(&w))
        qWarning("the window did not become active");
    return w;
}

CityGrid& ClockFixture::grid() const
{
    return *control<CityGrid>(*window, QStringLiteral("CityGrid"));
}

ButtonBar& ClockFixture::buttons() const
{
    return *control<ButtonBar>(*window, QStringLiteral("ButtonBar"));
}

ConfigPanel& ClockFixture::panel() const
{
    return *control<ConfigPanel>(*window, QStringLiteral("Frame1"));
}

CityEditor& ClockFixture::editor() const
{
    return *control<CityEditor>(*window, QStringLiteral("Frame2"));
}

QLineEdit* ClockFixture::box(const QString& name) const
{
    return control<QLineEdit>(*window, name);
}

QCheckBox* ClockFixture::mark(const QString& name) const
{
    return control<QCheckBox>(*window, name);
}

void ClockFixture::setLine(int i, const EditorLine& line) const
{
    box(QStringLiteral("Tvil_%1").arg(i))->setText(line.name);
    box(QStringLiteral("TEte_%1").arg(i))->setText(line.summer);
    box(QStringLiteral("THiver_%1").arg(i))->setText(line.winter);
    mark(QStringLiteral("Pref_%1").arg(i))->setChecked(line.marked);
}

Picture* ClockFixture::face(int i) const
{
    return control<Picture>(*window, QStringLiteral("Image1_%1").arg(i));
}

bool ClockFixture::isLit(int i) const
{
    const auto* picture = control<Picture>(*window, QStringLiteral("btn_%1").arg(i));
    return picture->picture().cacheKey() == look::picture(QStringLiteral("btnon.gif")).cacheKey();
}

HorluneAbout* ClockFixture::about() const
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* about = qobject_cast<HorluneAbout*>(widget); about && about->isVisible())
            return about;
    }
    return nullptr;
}

void ClockFixture::openPanel() const
{
    buttons().btn_Click(ButtonBar::Configuration);
}

void ClockFixture::pressOk() const
{
    buttons().btn_Click(ButtonBar::Ok);
}
