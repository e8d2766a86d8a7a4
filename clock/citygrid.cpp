#include "citygrid.h"

#include <QFontMetrics>
#include <QLocale>
#include <algorithm>

#include "clock/timeentry.h"
#include "plan/changes.h"
#include "plan/commonhour.h"
#include "plan/share.h"
#include "platform/clock.h"
#include "rows/geometry.h"
#include "time/timerules.h"
#include "ui/controls.h"
#include "ui/fitting.h"
#include "ui/look.h"

namespace {

QString twoDigits(int number)
{
    return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}

} // namespace

CityGrid::CityGrid(const Clock& clock, QWidget* window) : QObject(window), m_clock(clock), m_window(window)
{
    setObjectName(QStringLiteral("CityGrid"));
}

void CityGrid::createRow(int i)
{
    auto* face = new Picture(m_window, QStringLiteral("Image1_%1").arg(i));
    face->setTwipsGeometry(grid::left(i), grid::faceTop(i), grid::kFaceSize, grid::kFaceSize);
    face->setPicture(look::picture(QStringLiteral("nuit.gif")));

    auto* name = new Label(m_window, QStringLiteral("Ville_%1").arg(i));
    name->setFont(look::sans(11));
    name->setGeometry(look::twipsRect(grid::left(i), grid::nameTop(i), grid::kLabelWidth, grid::kNameHeight));
    name->setHorizontalAlignment(Qt::AlignHCenter);
    name->setTextColor(look::kWhite);
    name->setCaption(QStringLiteral("ville"));
    name->setAutoSize(true);
    name->setAutoSizeLimit(twipsToPixels(grid::nameRoom(i)));
    // The face speaks for the whole row.
    name->setSpoken(false);

    auto* time = new Label(m_window, QStringLiteral("Digit_%1").arg(i));
    time->setFont(look::sans(16, true));
    time->setGeometry(look::twipsRect(grid::left(i), grid::timeTop(i), grid::kLabelWidth, grid::kTimeHeight));
    time->setHorizontalAlignment(Qt::AlignHCenter);
    time->setTextColor(look::kYellow);
    time->setCaption(QStringLiteral("00:00"));
    time->setSpoken(false);

    // The same handlers for the three parts of a row.
    for (auto* label : {name, time}) {
        connect(label, &Label::mouseMoved, this, [this, i] { Image1_MouseMove(i); });
        connect(label, &Label::pressed, this, &CityGrid::pressed);
        connect(label, &Label::wheelTurned, this, &CityGrid::turnWheel);
        if (m_controls.dateLine)
            label->stackUnder(m_controls.dateLine);
    }
    // The keys go from face to face (Up, Down); a click never gives a face the focus, it moves the window.
    face->setFocusPolicy(Qt::TabFocus);
    face->setFocusFrame(look::kWhite, 0);
    connect(face, &Picture::focusChanged, this, [this, i](bool focused) {
        if (focused)
            Image1_GotFocus(i);
        else
            Image1_LostFocus(i);
    });
    connect(face, &Picture::mouseMoved, this, [this, i] { Image1_MouseMove(i); });
    connect(face, &Picture::pressed, this, &CityGrid::pressed);
    connect(face, &Picture::wheelTurned, this, &CityGrid::turnWheel);
    connect(time, &Label::doubleClicked, this, [this, i] { Digit_DblClick(i); });
    if (m_controls.dateLine)
        face->stackUnder(m_controls.dateLine);

    m_widgets.append({name, face, time});
    m_rows.append(ClockRow());
}

void CityGrid::createRows()
{
    for (int i = m_rows.size(); i < kRows; ++i)
        createRow(i);
    for (int i = 0; i < kRows; ++i) {
        m_rows[i].timeShown = m_rows[i].summer.shown = m_rows[i].winter.shown = true;
        for (QWidget* part : std::initializer_list<QWidget*>{m_widgets[i].name, m_widgets[i].face, m_widgets[i].time})
            part->show();
    }
}

void CityGrid::placeRows()
{
    for (int i = 0; i < kRows; ++i) {
        m_widgets[i].name->move(twipsToPixels(grid::left(i)), twipsToPixels(grid::nameTop(i)));
        m_widgets[i].face->setTwipsGeometry(grid::left(i), grid::faceTop(i), grid::kFaceSize, grid::kFaceSize);
        m_widgets[i].time->move(twipsToPixels(grid::left(i)), twipsToPixels(grid::timeTop(i)));
        // Each row shows its number until the cities are loaded, as designed.
        m_rows[i].name = QString::number(i);
    }
    showRows();
    describeRows();
}

void CityGrid::setTimeRules(float computerOffset, bool summer)
{
    m_computerOffset = computerOffset;
    m_summer = summer;
    m_rows[0].name = QStringLiteral("T.U");
    m_rows[0].offset = 0;
    m_widgets[0].name->setCaption(m_rows[0].name);
}

void CityGrid::loadCities(const QList<CityFileRow>& records, const QStringList& zones)
{
    loadCityRows(m_rows, records, zones, m_summer);
    showRows();
    describeRows();
}

void CityGrid::setPreferences(const DayHours& hours, const RowMarks& marks)
{
    m_hours = hours;
    for (int i = 0; i < kRows; ++i)
        m_rows[i].marked = marks[i];
}

void CityGrid::refresh(bool everyRow)
{
    const Instant now = m_clock.now();
    m_controls.digitalClock->setCaption(QStringLiteral("Heure locale : ") + digitalCaption(now.local.time()));
    if (m_shown.isShifted()) {
        if (everyRow || m_shown.hasExpired(now)) {
            backToNow();
            return;
        }
        // The instant shown stands still, and has no seconds: they belong to now. Its distance from now does
        // not: the line says it as time passes, and says when the clocks are about to go back.
        m_controls.hoverSeconds->setCaption(QString());
        if (m_note.isEmpty() || m_shown.secondsBeforeReturn(now) <= ShownInstant::kWarningSeconds)
            m_controls.shiftLine->setCaption(m_shown.lineText(now, localShown(), QLocale()));
        return;
    }
    if (!m_note.isEmpty() && now.universal >= m_noteUntil) {
        restoreLineTip();
        m_note.clear();
        m_controls.shiftLine->hide();
    }
    m_controls.hoverSeconds->setCaption(m_hover.hasSentence() ? twoDigits(now.local.time().second()) : QString());
    // The minute itself, not its number: a clock set by whole hours redraws every row at once.
    const QDateTime minute = toTheMinute(now).local;
    if (!everyRow && minute == m_lastRedraw)
        return;
    m_lastRedraw = minute;

    if (computerOffset(now) != m_computerOffset || isSummerTime(now.local.date()) != m_summer)
        emit timeRulesChanged();

    // A full redraw colours every row by the time alone, but for the city that has the keys.
    const int focused = focusedRow();
    m_hover.highlighted = focused >= 1 ? focused : -1;
    drawRows(now);
    // The sentence follows the minute, which it says.
    if (m_hover.hasSentence())
        writeSentence();
    emit universalTimeChanged(m_rows[0].cityTime.time());
}

void CityGrid::drawRows(const Instant& shown)
{
    for (ClockRow& row : m_rows) {
        setInstant(row, shown, m_computerOffset);
        row.day = isDayHour(row.cityTime.time().hour(), m_hours.day, m_hours.night);
    }
    if (m_hover.described == Hover::kFoundCity)
        setInstant(m_foundCity, shown, m_computerOffset);
    compareWithLocal(m_rows, localShown());
    markWorkStates();
    markChangesComing(shown.universal);
    showRows();
    describeRows();
    placeDateLine();
}

void CityGrid::markWorkStates()
{
    for (int i = 1; i < m_rows.size(); ++i) {
        ClockRow& row = m_rows[i];
        // At rest the faces keep the design's look: whether a city is at work is told only while planning.
        if (!m_shown.isShifted() || !row.marked || !row.timeShown) {
            row.work = WorkState::Unknown;
            continue;
        }
        // By the city's clock at the instant shown, as its face shows it.
        row.work = isAtWork(workingDays(row), row.cityTime, m_workHours) ? WorkState::AtWork : WorkState::Away;
    }
}

void CityGrid::markChangesComing(const QDateTime& shown)
{
    for (ClockRow& row : m_rows) {
        row.changeComing.clear();
        row.changeSeconds = 0;
    }
    for (const ComingChange& change : comingChanges(m_rows, shown, m_computerOffset)) {
        m_rows[change.row].changeComing = changeText(change, QLocale());
        m_rows[change.row].changeSeconds = change.seconds;
    }
}

void CityGrid::showChangeSign(int i, const QString& sign)
{
    if (m_changeSigns.size() <= i)
        m_changeSigns.resize(i + 1);
    Label*& label = m_changeSigns[i];
    if (sign.isEmpty()) {
        if (label)
            label->hide();
        return;
    }
    if (!label) {
        // Right of the row's time, on its line.
        label = new Label(m_window, QStringLiteral("Changement_%1").arg(i));
        label->setFont(look::sans(11, true));
        label->setTextColor(look::kDarkBlue);
        label->setGeometry(
            look::twipsRect(grid::left(i) + grid::kLabelWidth, grid::timeTop(i), 180, grid::kTimeHeight));
        label->setSpoken(false); // the face says it with the row
        // With the rows: under the date line and the panel that opens over them.
        label->stackUnder(m_controls.dateLine);
    }
    label->setCaption(sign);
    if (label->toolTip() != m_rows[i].changeComing)
        label->setToolTip(m_rows[i].changeComing);
    label->show();
}

void CityGrid::showNote(const LineTexts& texts)
{
    Label* line = m_controls.shiftLine;
    if (m_note.isEmpty())
        m_lineTip = line->toolTip();
    const QFontMetrics metrics = line->fontMetrics();
    const int room = line->contentsRect().width();
    const auto fits = [&](const QString& text) { return metrics.horizontalAdvance(text) <= room; };
    const auto form = std::find_if(texts.forms.begin(), texts.forms.end(), fits);
    if (form != texts.forms.end()) {
        m_note = *form;
    } else {
        // Even the shortest form is too long for the name it holds: the name is shortened, as on the hover line.
        const QString last = texts.forms.last();
        const qsizetype at = texts.name.isEmpty() ? -1 : last.indexOf(texts.name);
        m_note = at < 0 ? metrics.elidedText(last, Qt::ElideRight, room)
                        : fitSentence({last.left(at) + texts.name, last.mid(at + texts.name.size())}, metrics, room);
    }
    m_noteUntil = m_clock.now().universal.addSecs(10);
    line->setCaption(m_note);
    setWholeTextTip(line, texts.forms.first());
    line->show();
}

void CityGrid::restoreLineTip()
{
    if (m_note.isEmpty())
        return;
    m_controls.shiftLine->setToolTip(m_lineTip);
    m_controls.shiftLine->setAccessibleDescription(QString());
}

QDateTime CityGrid::shownUniversal() const
{
    return toTheMinute(m_shown.at(m_clock.now())).universal;
}

void CityGrid::setWorkHours(const WorkHours& hours)
{
    m_workHours = hours;
    if (m_shown.isShifted())
        followStep(ShownInstant::Moved);
}

void CityGrid::goToCommonHour(int direction)
{
    QList<PlanCity> cities;
    const Instant now = m_clock.now();
    const QDateTime from = m_shown.at(now).universal, limit = m_shown.limit(direction, now);
    for (int i = 1; i < m_rows.size(); ++i) {
        if (m_rows[i].marked && m_rows[i].timeShown)
            cities.append(planCity(m_rows[i], std::min(from, limit), std::max(from, limit), m_computerOffset));
    }
    if (cities.size() < 2) {
        showNote(tooFewCitiesTexts());
        return;
    }
    const CommonHour common = findCommonHour(cities, from, direction, limit, m_workHours);
    if (common.moves())
        followStep(m_shown.showUniversal(common.start, now));
    showNote(commonHourTexts(common, int(cities.size()), m_clock.localAt(common.start), m_clock.localAt(common.end),
                             m_clock.localAt(limit), QLocale()));
}

QString CityGrid::sharedInstant() const
{
    QList<ClockRow> marked;
    for (int i = 1; i < m_rows.size(); ++i) {
        if (m_rows[i].marked && m_rows[i].timeShown)
            marked.append(m_rows[i]);
    }
    if (!marked.isEmpty())
        return shareText(marked, localShown(), false, QLocale());
    if (m_hover.hasSentence())
        return shareText({describedRow()}, localShown(), true, QLocale());
    return {};
}

QDateTime CityGrid::localShown() const
{
    return m_shown.isShifted() ? m_clock.localAt(m_shown.at(m_clock.now()).universal) : m_clock.now().local;
}

void CityGrid::showRows()
{
    for (int i = 0; i < m_rows.size(); ++i) {
        const ClockRow& row = m_rows[i];
        const RowWidgets& widgets = m_widgets[i];
        const RowLook look = rowLook(i, row, i == m_hover.highlighted);
        const QColor text = look::toColor(look.text);
        widgets.name->setCaption(row.name);
        widgets.name->setTextColor(text);
        widgets.name->setBold(look.bold);
        widgets.time->setTextColor(text);
        widgets.time->setVisible(row.timeShown);
        if (!row.cityTime.isValid())
            continue; // not drawn yet
        widgets.time->setCaption(clockCaption(row.cityTime.time()));
        widgets.face->setPicture(
            look::picture(look.face == Face::Day ? QStringLiteral("jour.gif") : QStringLiteral("nuit.gif")));
        widgets.face->setHands(look.hands);
        widgets.face->setHandColours(look::toColor(look.handColours.minute), look::toColor(look.handColours.hour));
        widgets.face->setRim(look.rim);
        showChangeSign(i, look.changeSign);
    }
}

void CityGrid::describeRows()
{
    for (int i = 0; i < m_rows.size(); ++i) {
        if (const QString description = rowDescription(i, m_rows[i], QLocale());
            description != m_widgets[i].face->accessibleName())
            m_widgets[i].face->setAccessibleName(description);
    }
}

void CityGrid::placeDateLine()
{
    LineItem* line = m_controls.dateLine;
    const int row = dateLineRow(m_rows);
    if (row < 0) {
        // Out of sight, to the left of the window.
        const QLineF ends = line->ends();
        line->setEnds(QLineF(-grid::kDateLineBeforeFace, ends.y1(), -grid::kDateLineBeforeFace, ends.y2()));
        return;
    }
    const int x = grid::left(row) - grid::kDateLineBeforeFace;
    const int top = grid::faceTop(row);
    line->setEnds(QLineF(x, top - grid::kDateLineAbove, x, top + grid::kDateLineBelow));
}

void CityGrid::Image1_MouseMove(int index)
{
    m_hover.highlighted = index >= 1 ? index : -1;
    compareWithLocal(m_rows, localShown());
    showRows();
    if (index < 1)
        return; // Universal Time matches no row: the sentence stays
    m_hover.described = index;
    writeSentence();
    colourSentence(index);
}

void CityGrid::colourSentence(int index)
{
    const ClockRow& row = describedRow();
    const QColor colour = look::toColor(rowLook(index, row, true).text);
    m_controls.hoverLine->setTextColor(colour);
    m_controls.hoverSeconds->setTextColor(colour);
    // A marked city's seconds come with the next tick, as designed; a shifted instant has none.
    if (!row.marked && !m_shown.isShifted())
        m_controls.hoverSeconds->setCaption(twoDigits(m_clock.now().local.time().second()));
}

QString CityGrid::describeCity(const QString& name, const QTimeZone& zone)
{
    m_foundCity = ClockRow();
    m_foundCity.name = name;
    m_foundCity.zone = zone;
    setInstant(m_foundCity, m_shown.at(m_clock.now()), m_computerOffset);
    m_hover = Hover{-1, Hover::kFoundCity};
    compareWithLocal(m_rows, localShown());
    showRows();
    writeSentence();
    colourSentence(Hover::kFoundCity); // as an unmarked city under the pointer
    return hoverSentence(m_foundCity, QLocale(), m_shown.tense()).whole();
}

const ClockRow& CityGrid::describedRow() const
{
    return m_hover.described == Hover::kFoundCity ? m_foundCity : m_rows[m_hover.described];
}

void CityGrid::writeSentence()
{
    Label* line = m_controls.hoverLine;
    const HoverSentence sentence = hoverSentence(describedRow(), QLocale(), m_shown.tense());
    line->setCaption(fitSentence(sentence, line->fontMetrics(), line->contentsRect().width()));
    // Said whole to screen readers with the face that has the keys.
    if (m_hover.described == focusedRow())
        m_widgets[m_hover.described].face->setAccessibleDescription(sentence.whole());
}

void CityGrid::clearHover()
{
    m_hover = Hover();
    compareWithLocal(m_rows, localShown());
    showRows();
    m_controls.hoverLine->setCaption(QString());
    m_controls.hoverSeconds->setCaption(QString());
    if (const int focused = focusedRow(); focused >= 0)
        m_widgets[focused].face->setAccessibleDescription(QString());
}

bool CityGrid::isKeyStop(int index) const
{
    // A row without a time has no record of its own (its name is what the file's reading left in it).
    return index == 0 || m_rows[index].timeShown;
}

int CityGrid::focusedRow() const
{
    return m_keyRow >= 0 && m_widgets[m_keyRow].face->hasFocus() ? m_keyRow : -1;
}

bool CityGrid::isFace(const QWidget* widget) const
{
    return widget && widget->parentWidget() == m_window &&
           std::any_of(m_widgets.begin(), m_widgets.end(),
                       [widget](const RowWidgets& row) { return row.face == widget; });
}

bool CityGrid::holdsKeys(const QWidget* widget) const
{
    return isFace(widget) || (widget && widget == m_entry);
}

QWidget* CityGrid::keyStop() const
{
    if (m_keyRow >= 0 && isKeyStop(m_keyRow))
        return m_widgets[m_keyRow].face;
    for (int i = 1; i < m_rows.size(); ++i) {
        if (isKeyStop(i))
            return m_widgets[i].face;
    }
    return m_widgets[0].face;
}

QWidget* CityGrid::tabPlace() const
{
    return m_widgets[0].face;
}

void CityGrid::moveKeyFocus(int step)
{
    // From none: the first city going down, the last row going up.
    const int from = m_keyRow >= 0 ? m_keyRow : (step > 0 ? 0 : int(m_rows.size()));
    int to = m_keyRow;
    for (int i = from + step; i >= 0 && i < m_rows.size(); i += step) {
        if (isKeyStop(i)) {
            to = i;
            break;
        }
    }
    // At either end the keys stay where they are (a key held down stops there).
    if (to >= 0)
        m_widgets[to].face->setFocus(Qt::OtherFocusReason);
}

void CityGrid::Image1_GotFocus(int index)
{
    m_keyRow = index;
    if (index == 0) {
        // Universal Time has no sentence: none stays about another row while its face has the keys.
        clearHover();
        return;
    }
    Image1_MouseMove(index);
}

void CityGrid::Image1_LostFocus(int index)
{
    // The line stays as a hover's would; only screen readers' description goes with the keys.
    m_widgets[index].face->setAccessibleDescription(QString());
}

bool CityGrid::typeTimeForKeyFocus()
{
    const int row = focusedRow();
    if (row < 0)
        return false;
    Digit_DblClick(row);
    return true;
}

void CityGrid::turnWheel(int angle)
{
    followStep(m_shown.turnWheel(angle, m_clock.now()));
}

bool CityGrid::pressKey(int key)
{
    const std::optional<ShownInstant::Step> step = m_shown.pressKey(key, m_clock.now());
    if (!step)
        return false;
    followStep(*step);
    return true;
}

void CityGrid::backToNow()
{
    followStep(m_shown.backToNow());
}

void CityGrid::Digit_DblClick(int index)
{
    const ClockRow& row = m_rows[index];
    if (!row.timeShown)
        return;
    if (!m_entry) {
        m_entry = new TimeEntry(m_window);
        connect(m_entry, &TimeEntry::timeTyped, this, &CityGrid::showCityTime);
    }
    const QString city = index == 0 ? QStringLiteral("Temps universel") : row.name;
    m_entry->open(index, city, m_widgets[index].time->geometry(), clockCaption(row.cityTime.time()));
}

void CityGrid::showCityTime(int index, const QTime& time)
{
    followStep(m_shown.showCityTime(m_rows[index], time, m_clock.now(), m_computerOffset));
}

void CityGrid::followStep(ShownInstant::Step step)
{
    restoreLineTip(); // a step says where the clocks are now
    m_note.clear();
    switch (step) {
    case ShownInstant::Unchanged:
        return;
    case ShownInstant::BackToNow:
        m_controls.shiftLine->hide();
        m_controls.shiftLine->setCaption(QString());
        refresh(true);
        break;
    case ShownInstant::Moved:
        drawRows(m_shown.at(m_clock.now()));
        m_controls.hoverSeconds->setCaption(QString());
        m_controls.shiftLine->setCaption(m_shown.lineText(m_clock.now(), localShown(), QLocale()));
        m_controls.shiftLine->show();
        break;
    }
    if (m_hover.hasSentence())
        writeSentence();
}
