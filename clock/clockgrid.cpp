#include "clockgrid.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>
#include <algorithm>

#include "clock/clockaccess.h"
#include "clock/timeentry.h"
#include "platform/clock.h"
#include "rows/geometry.h"
#include "ui/announcer.h"
#include "ui/controls.h"
#include "ui/fitting.h"
#include "ui/keyboarduse.h"
#include "ui/look.h"

using look::twipsRect;

namespace {

// As the labels draw their texts: plain text, an ampersand as it is.
constexpr int kNameFlags = Qt::AlignHCenter | Qt::AlignTop;
constexpr int kTimeFlags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
constexpr int kSignFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
constexpr int kSignWidth = 180;

const QString kShiftLineTip = QStringLiteral("Un clic, Échap ou Origine : retour à l'heure actuelle");

// A text drawn as a label of that place would draw it, from the label's own corner: glyphs fall on the same
// fractions of a pixel.
void drawLabelText(QPainter& painter, const QRect& place, int flags, const QString& text)
{
    painter.save();
    painter.translate(place.topLeft());
    painter.drawText(QRect(QPoint(), place.size()), flags, text);
    painter.restore();
}

Label* makeLine(QWidget* parent, const QString& name, const QRect& geometry, const QColor& colour)
{
    auto* label = new Label(parent, name);
    label->setFont(look::sans(16, true));
    label->setGeometry(geometry);
    label->setTextColor(colour);
    return label;
}

} // namespace

ClockGrid::ClockGrid(QWidget* window, Board& board, const Clock& clock)
    : QWidget(window), m_board(board), m_clock(clock)
{
    setObjectName(QStringLiteral("ClockGrid"));
    // Before anything a screen reader may be told of: the grid's object is made at the first event and kept.
    installClockGridAccess();
    setAccessibleName(QStringLiteral("Horloges"));
    setAccessibleDescription(QStringLiteral("Haut et Bas vont d'une ville à l'autre, Entrée tape une heure pour la "
                                            "ville, Droite et Gauche avancent ou reculent les horloges"));
    setGeometry(0, 0, window->width(), window->height());
    setAttribute(Qt::WA_NoMousePropagation);
    setMouseTracking(true);
    // A click gives the clocks the keys; a click on a face does not give it the keys, it moves the window.
    setFocusPolicy(Qt::StrongFocus);

    // Created back to front: a later sibling is drawn in front of an earlier one.
    m_digitalClock = makeLine(this, QStringLiteral("HeureDigitale"), twipsRect(8325, 450, 4380, 285), look::kWhite);
    m_digitalClock->setHorizontalAlignment(Qt::AlignRight);
    m_digitalClock->setCaption(QStringLiteral("00:00:00"));
    connect(m_digitalClock, &Label::pressed, this, &ClockGrid::pressed);
    connect(m_digitalClock, &Label::wheelTurned, this,
            [this](int angle) { draw(m_board.turnWheel(angle, m_clock.now())); });
    // Left of the digital clock, on its baseline, while the clocks show another instant than now; a click
    // brings them back. No press here moves the window.
    m_shiftLine = new Label(this, QStringLiteral("HeureVisee"));
    m_shiftLine->setFont(look::sans(12, true));
    m_shiftLine->setGeometry(twipsRect(5385, 510, 4575, 225));
    m_shiftLine->setHorizontalAlignment(Qt::AlignRight);
    m_shiftLine->setWordWrap(false);
    // Dark blue on the design's grey, light blue on the high-contrast black; the rows follow the board's look.
    look::followContrast(this, [this] {
        m_shiftLine->setTextColor(look::noteColour());
        update();
    });
    m_shiftLine->setCursor(Qt::PointingHandCursor);
    m_shiftLine->setToolTip(kShiftLineTip);
    m_shiftLine->hide();
    connect(m_shiftLine, &Label::clicked, this, &ClockGrid::goBackToNow);
    connect(m_shiftLine, &Label::wheelTurned, this,
            [this](int angle) { draw(m_board.turnWheel(angle, m_clock.now())); });
    m_hoverLine = makeLine(this, QStringLiteral("Label8"), twipsRect(5385, 180, 7050, 285), look::kRed);
    m_hoverLine->setHorizontalAlignment(Qt::AlignRight);
    m_hoverLine->setWordWrap(false);
    connect(m_hoverLine, &Label::pressed, this, &ClockGrid::pressed);
    connect(m_hoverLine, &Label::wheelTurned, this,
            [this](int angle) { draw(m_board.turnWheel(angle, m_clock.now())); });
    m_seconds = makeLine(this, QStringLiteral("Label10"), twipsRect(12435, 180, 450, 285), look::kRed);
    m_seconds->setCaption(QStringLiteral("00"));
    m_announcer = new Announcer(this);
    m_keyboard = new KeyboardUse(window);
    connect(m_keyboard, &KeyboardUse::changed, this, &ClockGrid::updateKeyFrame);
    // The keys may leave the box where a time is typed for anywhere.
    connect(qApp, &QApplication::focusChanged, this, [this] { updateKeyFrame(); });
    m_spoken.resize(kRows);
    m_drawn.rows.resize(kRows);
    m_drawn.areas.resize(kRows);
    buildKeys();
}

ClockGrid::~ClockGrid()
{
    // QWidget's destructor hands the keys on, and the application says so: no longer to this half-made grid.
    disconnect(qApp, nullptr, this, nullptr);
}

QAction* ClockGrid::addKey(const QString& text, const QList<QKeySequence>& keys, void (ClockGrid::*step)(),
                           bool repeats)
{
    auto* action = new QAction(text, this);
    action->setShortcuts(keys);
    // The clocks' keys act while the clocks have the keys; in a box or a menu the keys are theirs.
    action->setShortcutContext(Qt::WidgetShortcut);
    action->setAutoRepeat(repeats);
    connect(action, &QAction::triggered, this, step);
    addAction(action);
    return action;
}

void ClockGrid::buildKeys()
{
    addKey(QStringLiteral("Ville suivante"), {QKeySequence(Qt::Key_Down)}, &ClockGrid::nextCity, true);
    addKey(QStringLiteral("Ville précédente"), {QKeySequence(Qt::Key_Up)}, &ClockGrid::previousCity, true);
    addKey(QStringLiteral("Taper une heure pour la ville…"),
           {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}, &ClockGrid::typeTimeForCity, false);
    addKey(QStringLiteral("Un quart d'heure plus tard"), {QKeySequence(Qt::Key_Right)}, &ClockGrid::laterByAQuarter,
           true);
    addKey(QStringLiteral("Un quart d'heure plus tôt"), {QKeySequence(Qt::Key_Left)}, &ClockGrid::earlierByAQuarter,
           true);
    addKey(QStringLiteral("Une heure plus tard"), {QKeySequence(Qt::Key_PageUp)}, &ClockGrid::laterByAnHour, true);
    addKey(QStringLiteral("Une heure plus tôt"), {QKeySequence(Qt::Key_PageDown)}, &ClockGrid::earlierByAnHour, true);
    addKey(QStringLiteral("Revenir à maintenant"), {QKeySequence(Qt::Key_Home), QKeySequence(Qt::Key_Escape)},
           &ClockGrid::goBackToNow, false);
}

void ClockGrid::laterByAQuarter()
{
    draw(m_board.stepQuarter(1, m_clock.now()));
}

void ClockGrid::earlierByAQuarter()
{
    draw(m_board.stepQuarter(-1, m_clock.now()));
}

void ClockGrid::laterByAnHour()
{
    draw(m_board.stepHour(1, m_clock.now()));
}

void ClockGrid::earlierByAnHour()
{
    draw(m_board.stepHour(-1, m_clock.now()));
}

void ClockGrid::goBackToNow()
{
    draw(m_board.backToNow(m_clock.now()));
}

void ClockGrid::nextCity()
{
    draw(m_board.moveKeys(1, m_clock.now()));
}

void ClockGrid::previousCity()
{
    draw(m_board.moveKeys(-1, m_clock.now()));
}

void ClockGrid::typeTimeForCity()
{
    if (const int face = focusedFace(); face >= 0)
        openTimeEntry(face);
}

void ClockGrid::openTimeEntry(int row)
{
    const Board::RowPicture& shown = m_board.picture().rows[row];
    if (!shown.timeShown)
        return;
    if (!m_entry) {
        m_entry = new TimeEntry(parentWidget());
        connect(m_entry, &TimeEntry::timeTyped, this,
                [this](int typedRow, const QTime& time) { draw(m_board.showCityTime(typedRow, time, m_clock.now())); });
    }
    const QString city = row == 0 ? QStringLiteral("Temps universel") : shown.name;
    m_entry->open(row, city, timeRect(row), shown.time);
}

int ClockGrid::focusedFace() const
{
    return hasFocus() ? m_board.picture().keyRow : -1;
}

bool ClockGrid::holdsKeys(const QWidget* widget) const
{
    return widget && (widget == this || widget == m_entry);
}

QRect ClockGrid::faceRect(int row) const
{
    return twipsRect(grid::left(row), grid::faceTop(row), grid::kFaceSize, grid::kFaceSize);
}

QRect ClockGrid::timeRect(int row) const
{
    return twipsRect(grid::left(row), grid::timeTop(row), grid::kLabelWidth, grid::kTimeHeight);
}

QRect ClockGrid::signRect(int row) const
{
    return twipsRect(grid::left(row) + grid::kLabelWidth, grid::timeTop(row), kSignWidth, grid::kTimeHeight);
}

QFont ClockGrid::nameFont(bool bold) const
{
    return look::sans(11, bold).resolve(font());
}

const ClockGrid::NameLayout& ClockGrid::nameLayout(int row) const
{
    if (m_names.size() != kRows)
        m_names.resize(kRows);
    const Board::RowPicture& shown = m_board.picture().rows[row];
    NameLayout& layout = m_names[row];
    if (layout.rect.isNull() || layout.name != shown.name || layout.bold != shown.look.bold) {
        const QFontMetrics metrics(nameFont(shown.look.bold));
        const int room = twipsToPixels(grid::nameRoom(row));
        layout.name = shown.name;
        layout.bold = shown.look.bold;
        // A name too long for its place ends with "…" before the next one, and shows whole in its tooltip.
        layout.shown = metrics.horizontalAdvance(shown.name) > room
                           ? metrics.elidedText(shown.name, Qt::ElideRight, room)
                           : shown.name;
        layout.rect = QRect(twipsToPixels(grid::left(row)), twipsToPixels(grid::nameTop(row)),
                            qMax(1, metrics.horizontalAdvance(layout.shown)), metrics.height());
    }
    return layout;
}

QString ClockGrid::shownName(int row) const
{
    return nameLayout(row).shown;
}

QRect ClockGrid::nameRect(int row) const
{
    return nameLayout(row).rect;
}

int ClockGrid::rowAt(const QPoint& point) const
{
    const Board::Picture& picture = m_board.picture();
    for (int row = kRows - 1; row >= 0; --row) {
        if ((picture.rows[row].timeShown && timeRect(row).contains(point)) || nameRect(row).contains(point) ||
            faceRect(row).contains(point))
            return row;
    }
    return -1;
}

QRect ClockGrid::keyFrame() const
{
    // Around the grid of clocks, clear of the digital clock above it and of the date line's farthest place.
    return twipsRect(150, 750, kMainWidth - 300, 7050);
}

void ClockGrid::updateKeyFrame()
{
    // The box where a time is typed keeps the keys among the clocks.
    const bool shown = m_keyboard->isOn() && holdsKeys(QApplication::focusWidget());
    if (shown == m_keyFrameShown)
        return;
    m_keyFrameShown = shown;
    // The frame's outline and the face that has the keys: the clocks inside need no repaint.
    const QRect frame = keyFrame();
    QRegion changed = QRegion(frame.adjusted(-1, -1, 1, 1)) - QRegion(frame.adjusted(2, 2, -2, -2));
    if (m_drawn.focusedFace >= 0)
        changed += faceRect(m_drawn.focusedFace);
    update(changed);
}

void ClockGrid::draw(Board::Changes changes)
{
    if (changes & (Board::Rows | Board::KeyRow))
        updateRows();
    drawLines(changes);
    announce(changes);
}

QRect ClockGrid::rowArea(int row) const
{
    return faceRect(row) | nameRect(row) | timeRect(row) | signRect(row);
}

QLineF ClockGrid::dateLine() const
{
    const int row = m_board.picture().dateLineRow;
    if (row < 0)
        return {};
    const int x = grid::left(row) - grid::kDateLineBeforeFace;
    const int top = grid::faceTop(row);
    return QLineF(x, top - grid::kDateLineAbove, x, top + grid::kDateLineBelow);
}

QRect ClockGrid::dateLineArea(int row) const
{
    if (row < 0)
        return {};
    const int x = twipsToPixels(grid::left(row) - grid::kDateLineBeforeFace);
    const int top = grid::faceTop(row);
    return QRect(QPoint(x - 4, twipsToPixels(top - grid::kDateLineAbove) - 1),
                 QPoint(x + 4, twipsToPixels(top + grid::kDateLineBelow) + 1));
}

void ClockGrid::updateRows()
{
    // Only what changed is drawn again: a hover changes two rows, a tick in a new second none.
    const Board::Picture& picture = m_board.picture();
    QRegion changed;
    for (int row = 0; row < kRows; ++row) {
        if (picture.rows[row] == m_drawn.rows[row])
            continue;
        changed += m_drawn.areas[row];
        m_drawn.rows[row] = picture.rows[row];
        m_drawn.areas[row] = rowArea(row);
        changed += m_drawn.areas[row];
    }
    if (picture.dateLineRow != m_drawn.dateLineRow) {
        changed += dateLineArea(m_drawn.dateLineRow);
        m_drawn.dateLineRow = picture.dateLineRow;
        changed += dateLineArea(m_drawn.dateLineRow);
    }
    if (const int face = focusedFace(); face != m_drawn.focusedFace) {
        if (m_drawn.focusedFace >= 0)
            changed += faceRect(m_drawn.focusedFace);
        m_drawn.focusedFace = face;
        if (face >= 0)
            changed += faceRect(face);
    }
    if (!changed.isEmpty())
        update(changed);
}

void ClockGrid::drawLines(Board::Changes changes)
{
    const Board::Picture& picture = m_board.picture();
    if (changes & Board::DigitalClock) {
        m_digitalClock->setCaption(picture.digitalClock);
        // Screen readers hear of the clock once a minute, not at each second it shows.
        if (m_digitalClock->accessibleName() != picture.digitalClockSpoken)
            m_digitalClock->setAccessibleName(picture.digitalClockSpoken);
    }
    if (changes & Board::Sentence) {
        const QString whole = picture.hasSentence ? picture.sentence.whole() : QString();
        const QString shown = picture.hasSentence ? fitSentence(picture.sentence, m_hoverLine->fontMetrics(),
                                                                m_hoverLine->contentsRect().width())
                                                  : QString();
        m_hoverLine->setCaption(shown);
        // Shortened to fit its line, the sentence is whole in the line's tooltip.
        setWholeTextTip(m_hoverLine, shown == whole ? QString() : whole);
    }
    if (changes & (Board::Sentence | Board::Seconds)) {
        const QColor colour = look::toColor(picture.sentenceColour);
        m_hoverLine->setTextColor(colour);
        m_seconds->setTextColor(colour);
        m_seconds->setCaption(picture.seconds);
    }
    if (changes & Board::ShiftLine) {
        const Board::ShiftLinePicture& line = picture.shiftLine;
        if (line.isNote()) {
            const QFontMetrics metrics = m_shiftLine->fontMetrics();
            const int room = m_shiftLine->contentsRect().width();
            const QStringList& forms = line.note.forms;
            const auto form = std::find_if(forms.begin(), forms.end(), [&](const QString& text) {
                return metrics.horizontalAdvance(text) <= room;
            });
            QString text;
            if (form != forms.end()) {
                text = *form;
            } else {
                // Even the shortest form is too long for the name it holds: the name is shortened, as on the
                // hover line.
                const QString last = forms.last();
                const qsizetype at = line.note.name.isEmpty() ? -1 : last.indexOf(line.note.name);
                text = at < 0 ? metrics.elidedText(last, Qt::ElideRight, room)
                              : fitSentence({last.left(at) + line.note.name, last.mid(at + line.note.name.size()), {}},
                                            metrics, room);
            }
            m_shiftLine->setCaption(text);
            setWholeTextTip(m_shiftLine, forms.first());
        } else {
            m_shiftLine->setCaption(line.text);
            m_shiftLine->setToolTip(kShiftLineTip);
            m_shiftLine->setAccessibleDescription(QString());
        }
        m_shiftLine->setVisible(line.shown);
    }
}

void ClockGrid::announce(Board::Changes changes)
{
    const Board::Picture& picture = m_board.picture();
    if (changes & Board::Announcement)
        m_announcer->say(picture.announcement);
    if (!QAccessible::isActive())
        return;
    if (changes & Board::Rows) {
        for (int row = 0; row < kRows; ++row) {
            if (picture.rows[row].description == m_spoken[row])
                continue;
            m_spoken[row] = picture.rows[row].description;
            QAccessibleEvent event(this, QAccessible::NameChanged);
            event.setChild(row);
            QAccessible::updateAccessibility(&event);
        }
    }
    const int face = focusedFace();
    if (face < 0)
        return;
    if (changes & Board::KeyRow) {
        QAccessibleEvent event(this, QAccessible::Focus);
        event.setChild(face);
        QAccessible::updateAccessibility(&event);
    } else if (changes & Board::Sentence) {
        QAccessibleEvent event(this, QAccessible::DescriptionChanged);
        event.setChild(face);
        QAccessible::updateAccessibility(&event);
    }
}

void ClockGrid::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const Board::Picture& picture = m_board.picture();
    const bool high = look::highContrast();
    auto drawDateLine = [&] {
        if (const int row = picture.dateLineRow; row >= 0) {
            const double x = (grid::left(row) - grid::kDateLineBeforeFace) / double(kTwipsPerPixel);
            const double top = grid::faceTop(row);
            painter.setPen(QPen(high ? look::kHighContrastDateLine : look::kLightGrey, 5, Qt::SolidLine, Qt::FlatCap));
            painter.drawLine(QLineF(x, (top - grid::kDateLineAbove) / kTwipsPerPixel, x,
                                    (top + grid::kDateLineBelow) / kTwipsPerPixel));
        }
    };
    if (m_keyFrameShown)
        drawFocusFrame(painter, keyFrame());
    // In high contrast the date line lies behind the rows, whose names stand on the bare panel: no line passes
    // under a name's letters.
    if (high)
        drawDateLine();
    for (int row = 0; row < kRows; ++row) {
        if (event->region().intersects(rowArea(row)))
            paintRow(painter, row);
    }
    // The signs of changes coming, in front of the rows.
    painter.setFont(look::sans(11, true).resolve(font()));
    painter.setPen(look::noteColour());
    for (int row = 0; row < kRows; ++row) {
        if (!picture.rows[row].look.changeSign.isEmpty() && !picture.rows[row].time.isEmpty())
            drawLabelText(painter, signRect(row), kSignFlags, picture.rows[row].look.changeSign);
    }
    // The date line, in front of them all.
    if (!high)
        drawDateLine();
}

void ClockGrid::contextMenuEvent(QContextMenuEvent* event)
{
    // The menu is the window's.
    passMenuRequestOn(this, event);
}

void ClockGrid::paintRow(QPainter& painter, int row) const
{
    const Board::RowPicture& shown = m_board.picture().rows[row];
    const RowLook& look = shown.look;
    const bool drawn = !shown.time.isEmpty();

    // The face and its two hands, drawn from the face's own corner as a picture of that place would draw them.
    const QRect face = faceRect(row);
    const QRect inside(QPoint(), face.size());
    painter.save();
    painter.translate(face.topLeft());
    painter.setClipRect(inside, Qt::IntersectClip);
    painter.drawPixmap(0, 0, look::facePicture(drawn && look.face == Face::Day ? Face::Day : Face::Night));
    if (m_keyFrameShown && focusedFace() == row) // as the window shows that it has the keys
        drawFocusFrame(painter, inside);
    if (drawn && look.rim != Rim::None) {
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(Qt::NoBrush);
        // In high contrast, along the face's edge, beyond the hands' reach: nothing lies under a hand but its face.
        const bool high = look::highContrast();
        const double width = high ? 1.5 : look.rim == Rim::Solid ? 3 : 2, inset = high ? 0.25 : 2;
        painter.setPen(
            QPen(look::toColor(look.rimColour), width, look.rim == Rim::Solid ? Qt::SolidLine : Qt::DotLine));
        painter.drawEllipse(QRectF(inside).adjusted(inset, inset, -inset, -inset));
        painter.restore();
    }
    if (drawn) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.translate(QRectF(inside).center());
        auto hand = [&painter](double angle, double length, const QColor& colour) {
            painter.setPen(QPen(colour, kHandWidth, Qt::SolidLine, Qt::RoundCap));
            painter.drawLine(QPointF(), handEnd(angle, length) / kTwipsPerPixel);
        };
        hand(look.hands.hour, kHourHandLength, look::toColor(look.handColours.hour));
        hand(look.hands.minute, kMinuteHandLength, look::toColor(look.handColours.minute));
    }
    painter.restore();

    // The name, then the time, as their labels drew them; in high contrast the name on the bare panel.
    if (look::highContrast())
        painter.fillRect(nameRect(row), look::kHighContrastPanel);
    const QColor text = look::toColor(look.text);
    painter.setFont(nameFont(look.bold));
    painter.setPen(text);
    drawLabelText(painter, nameRect(row), kNameFlags, shownName(row));
    if (shown.timeShown) {
        painter.setFont(look::sans(16, true).resolve(font()));
        drawLabelText(painter, timeRect(row), kTimeFlags, drawn ? shown.time : QStringLiteral("00:00"));
    }
}

bool ClockGrid::event(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        m_names.clear(); // measured again
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const Board::Picture& picture = m_board.picture();
    QString tip;
    QRect area;
    for (int row = kRows - 1; row >= 0 && area.isNull(); --row) {
        if (!picture.rows[row].look.changeSign.isEmpty() && signRect(row).contains(help->pos())) {
            tip = picture.rows[row].changeTip;
            area = signRect(row);
        } else if (nameRect(row).contains(help->pos())) {
            // The whole of a name shortened in its place.
            if (shownName(row) != picture.rows[row].name)
                tip = plainToolTip(picture.rows[row].name);
            area = nameRect(row);
        }
    }
    if (tip.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), tip, this, area);
    }
    return true;
}

void ClockGrid::mouseMoveEvent(QMouseEvent* event)
{
    const int row = rowAt(event->position().toPoint());
    if (row >= 0) {
        draw(m_board.hoverRow(row, m_clock.now()));
        return;
    }
    // A sign of a change coming keeps the row as it is; elsewhere is the bare window.
    for (int i = 0; i < kRows; ++i) {
        if (!m_board.picture().rows[i].look.changeSign.isEmpty() && signRect(i).contains(event->position().toPoint()))
            return;
    }
    draw(m_board.leaveRows(m_clock.now()));
    emit backgroundMoved();
}

void ClockGrid::mousePressEvent(QMouseEvent* event)
{
    // A click gives the keys to the clocks, not to a face.
    if (hasFocus())
        draw(m_board.keysLeaveFaces(m_clock.now()));
    // The right button asks for the menu instead.
    if (event->button() != Qt::RightButton)
        emit pressed();
}

void ClockGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    const int row = rowAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && row >= 0 && m_board.picture().rows[row].timeShown &&
        timeRect(row).contains(event->position().toPoint())) {
        openTimeEntry(row);
        return;
    }
    mousePressEvent(event);
}

void ClockGrid::wheelEvent(QWheelEvent* event)
{
    event->accept();
    draw(m_board.turnWheel(wheelAngle(event), m_clock.now()));
}

void ClockGrid::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    // A tab brings the keys to the face that had them last; a click brings them to the clocks alone, and says
    // the mouse is in use.
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason) {
        m_keyboard->set(true);
        draw(m_board.keysToClocks(m_clock.now()));
    } else if (event->reason() == Qt::MouseFocusReason) {
        m_keyboard->set(false);
    } else if (event->reason() == Qt::PopupFocusReason) {
        draw(Board::KeyRow); // back from a menu, to the face the keys were on
    }
    updateKeyFrame();
}

void ClockGrid::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    // A menu takes the keys for a moment, and gives them back to the face they were on.
    if (event->reason() == Qt::PopupFocusReason) {
        draw(Board::KeyRow);
        updateKeyFrame();
        return;
    }
    m_faceLeft = m_board.picture().keyRow;
    updateKeyFrame();
    draw(m_board.keysLeaveFaces(m_clock.now()));
}

void ClockGrid::takeKeysBack()
{
    if (!hasFocus())
        setFocus(Qt::OtherFocusReason);
    if (m_faceLeft >= 0 && m_board.isKeyStop(m_faceLeft) && m_board.lastKeyRow() == m_faceLeft)
        draw(m_board.keysToClocks(m_clock.now()));
}

void ClockGrid::pointerLeft()
{
    draw(m_board.leaveRows(m_clock.now()));
}
