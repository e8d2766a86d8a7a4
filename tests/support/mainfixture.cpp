#include "mainfixture.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

#include "about/aboutwindow.h"
#include "chrome/buttonbar.h"
#include "clock/clockgrid.h"
#include "config/cityeditor.h"
#include "config/configpanel.h"
#include "rows/geometry.h"
#include "support/mouse.h"
#include "ui/controls.h"
#include "ui/fitting.h"
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
    window->start();
    // Active, as a window the user works in: the keys go to the control that has them, and a command's keys
    // are its shortcut.
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get()))
        qWarning("the window did not become active");
    return *window;
}

Main& ClockFixture::startActive()
{
    return start();
}

ClockGrid& ClockFixture::grid() const
{
    return *control<ClockGrid>(*window, QStringLiteral("ClockGrid"));
}

const Board& ClockFixture::board() const
{
    return grid().board();
}

Board::Changes ClockFixture::run(const std::function<Board::Changes(Board&, const Instant&)>& step) const
{
    // The board is the window's; a test steps it as the window's commands do.
    auto& board = const_cast<Board&>(grid().board());
    const Board::Changes changes = step(board, platform.clock.now());
    grid().draw(changes);
    return changes;
}

ButtonBar& ClockFixture::buttons() const
{
    return *control<ButtonBar>(*window, QStringLiteral("ButtonBar"));
}

ConfigPanel& ClockFixture::panel() const
{
    return window->panel();
}

CityEditor& ClockFixture::editor() const
{
    return *control<CityEditor>(*window, QStringLiteral("Frame2"));
}

QLineEdit* ClockFixture::box(const QString& name) const
{
    return find<QLineEdit>(name);
}

QCheckBox* ClockFixture::mark(const QString& name) const
{
    return find<QCheckBox>(name);
}

void ClockFixture::setLine(int i, const EditorLine& line) const
{
    box(QStringLiteral("Tvil_%1").arg(i))->setText(line.name);
    box(QStringLiteral("TEte_%1").arg(i))->setText(line.summer);
    box(QStringLiteral("THiver_%1").arg(i))->setText(line.winter);
    mark(QStringLiteral("Pref_%1").arg(i))->setChecked(line.marked);
}

ClockFixture::Spot ClockFixture::spot(const QString& name, const QPoint& inside) const
{
    const int row = name.section(u'_', 1).toInt();
    const auto onRow = [&](RowPart::Kind kind) { return Spot{&grid(), RowPart{&grid(), row, kind}.pos() + inside}; };
    if (name.startsWith(QLatin1String("Image1_")))
        return onRow(RowPart::Face);
    if (name.startsWith(QLatin1String("Ville_")))
        return onRow(RowPart::Name);
    if (name.startsWith(QLatin1String("Digit_")))
        return onRow(RowPart::Time);
    if (name == QLatin1String("Main"))
        return {&grid(), inside};
    return {find(name), inside};
}

bool ClockFixture::isLit(int i) const
{
    const auto* picture = find<Picture>(QStringLiteral("btn_%1").arg(i));
    return picture->picture().cacheKey() == look::buttonPicture(true).cacheKey();
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
    buttons().press(ButtonBar::Configuration);
}

void ClockFixture::pressOk() const
{
    emit panel().okButton().picture->clicked();
}

QString RowPart::caption() const
{
    const Board::RowPicture& shown = grid->board().picture().rows[row];
    if (kind == Time)
        return shown.time.isEmpty() ? QStringLiteral("00:00") : shown.time;
    if (kind == Sign)
        return shown.look.changeSign;
    return shown.name;
}

QString RowPart::text() const
{
    return kind == Name ? grid->shownName(row) : caption();
}

QColor RowPart::textColor() const
{
    return look::toColor(grid->board().picture().rows[row].look.text);
}

bool RowPart::isBold() const
{
    return grid->board().picture().rows[row].look.bold;
}

bool RowPart::isVisible() const
{
    const Board::RowPicture& shown = grid->board().picture().rows[row];
    if (kind == Sign)
        return grid->isVisible() && !shown.look.changeSign.isEmpty() && !shown.time.isEmpty();
    return grid->isVisible() && (kind != Time || shown.timeShown);
}

QRect RowPart::geometry() const
{
    switch (kind) {
    case Name:
        return grid->nameRect(row);
    case Time:
        return grid->timeRect(row);
    case Sign:
        return grid->signRect(row);
    case Face:
        break;
    }
    return grid->faceRect(row);
}

QString RowPart::toolTip() const
{
    const Board::RowPicture& shown = grid->board().picture().rows[row];
    if (kind == Name)
        return grid->shownName(row) == shown.name ? QString() : plainToolTip(shown.name);
    if (kind == Sign)
        return shown.changeTip;
    return {};
}

QPixmap RowPart::picture() const
{
    const Board::RowPicture& shown = grid->board().picture().rows[row];
    const bool day = !shown.time.isEmpty() && shown.look.face == Face::Day;
    return look::facePicture(day ? Face::Day : Face::Night);
}

std::optional<Hands> RowPart::hands() const
{
    const Board::RowPicture& shown = grid->board().picture().rows[row];
    return shown.time.isEmpty() ? std::nullopt : std::optional(shown.look.hands);
}

QColor RowPart::minuteColour() const
{
    return look::toColor(grid->board().picture().rows[row].look.handColours.minute);
}

QColor RowPart::hourColour() const
{
    return look::toColor(grid->board().picture().rows[row].look.handColours.hour);
}

Rim RowPart::rim() const
{
    return grid->board().picture().rows[row].look.rim;
}

QAccessibleInterface* RowPart::accessible() const
{
    QAccessibleInterface* interface = QAccessible::queryAccessibleInterface(const_cast<ClockGrid*>(grid));
    return interface ? interface->child(row) : nullptr;
}

QString RowPart::accessibleName() const
{
    return accessible()->text(QAccessible::Name);
}

QString RowPart::accessibleDescription() const
{
    return accessible()->text(QAccessible::Description);
}

void moveOver(const RowPart& part, const QPoint& point)
{
    auto* grid = const_cast<ClockGrid*>(part.grid);
    sendMouse(grid, QEvent::MouseMove, grid->mapToGlobal(part.pos() + point), Qt::NoButton);
}

void turnWheelOver(const RowPart& part, int angle, bool inverted, const QPoint& point)
{
    turnWheelOver(const_cast<ClockGrid*>(part.grid), angle, inverted, part.pos() + point);
}

void doubleClick(const RowPart& part, const QPoint& point)
{
    QTest::mouseDClick(const_cast<ClockGrid*>(part.grid), Qt::LeftButton, {}, part.pos() + point);
}

QPoint faceCentre(int i)
{
    return QPoint(twipsToPixels(grid::left(i) + grid::kFaceSize / 2),
                  twipsToPixels(grid::faceTop(i) + grid::kFaceSize / 2));
}

void pointAt(QWidget& window, const QPoint& place)
{
    QWidget* under = window.childAt(place);
    sendMouse(under ? under : &window, QEvent::MouseMove, window.mapToGlobal(place), Qt::NoButton);
}

void wheelAt(QWidget& window, const QPoint& place, int notches)
{
    QWidget* under = window.childAt(place);
    QWidget* target = under ? under : &window;
    turnWheelOver(target, notches * 120, false, target->mapFrom(&window, place));
}

void key(int code, Qt::KeyboardModifiers modifiers)
{
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus);
    QTest::keyClick(focus, Qt::Key(code), modifiers);
}
