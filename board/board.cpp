#include "board.h"

#include <QLocale>
#include <algorithm>
#include <memory>

#include "plan/changes.h"
#include "plan/share.h"
#include "time/timerules.h"

namespace {

QString twoDigits(int number)
{
    return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}

} // namespace

Board::Board(const ComputerZone& computerZone) : m_computerZone(computerZone)
{
    m_rows.resize(kRows);
    m_picture.rows.resize(kRows);
}

Board::Changes Board::start(const Configuration& config, const Instant& now)
{
    m_hasList = config.hasList();
    m_records = m_hasList ? config.list.rows : QList<CityFileRow>();
    m_zones = config.zones;
    m_places = config.places;
    m_sunFaces = config.sunFaces;
    m_sun.clear();
    m_marks = config.marks;
    m_hours = config.hours;
    m_workHours = config.workHours;
    // Each row shows its number until a list fills it, as designed; a row past the list keeps its offsets.
    for (int i = 0; i < kRows; ++i)
        m_rows[i].name = QString::number(i);
    measureTimeRules(now);
    fillRows();
    m_hover = Hover();
    m_shown.backToNow();
    m_note = {};
    paintSentence();
    paintShiftLine(now);
    m_picture.seconds.clear();
    m_picture.keyRow = m_keyRow;
    return redrawAtNow(now) | Everything;
}

Board::Changes Board::reload(const Configuration& config, const Instant& now)
{
    return start(config, now);
}

void Board::measureTimeRules(const Instant& now)
{
    m_computerOffset = ::computerOffset(now);
    m_summer = isSummerTime(now.local.date());
}

void Board::fillRows()
{
    for (int i = 0; i < kRows; ++i) {
        ClockRow& row = m_rows[i];
        row.timeShown = row.summer.shown = row.winter.shown = true;
        row.marked = m_marks[i];
    }
    m_rows[0].name = QStringLiteral("T.U");
    m_rows[0].offset = 0;
    if (m_hasList)
        loadCityRows(m_rows, m_records, m_zones, m_summer);
}

Board::Changes Board::tick(const Instant& now)
{
    Changes changes = DigitalClock;
    paintDigitalClock(now);
    if (m_shown.isShifted()) {
        if (m_shown.hasExpired(now))
            return changes | backToNow(now);
        // The instant shown stands still, and has no seconds: they belong to now. Its distance from now does
        // not: the line says it as time passes, and says when the clocks are about to go back.
        m_picture.seconds.clear();
        if (m_note.forms.isEmpty() || m_shown.secondsBeforeReturn(now) <= ShownInstant::kWarningSeconds) {
            m_note = {};
            paintShiftLine(now);
        }
        return changes | Seconds | ShiftLine;
    }
    if (!m_note.forms.isEmpty() && now.universal >= m_noteUntil) {
        m_note = {};
        paintShiftLine(now);
        changes |= ShiftLine;
    }
    const QString seconds = m_hover.hasSentence() ? twoDigits(now.local.time().second()) : QString();
    if (seconds != m_picture.seconds) {
        m_picture.seconds = seconds;
        changes |= Seconds;
    }
    // The minute itself, not its number: a clock set by whole hours redraws every row at once.
    if (toTheMinute(now).local == m_lastRedraw)
        return changes;
    return changes | redrawAtNow(now);
}

Board::Changes Board::redrawAtNow(const Instant& now)
{
    Changes changes = NoChange;
    m_lastRedraw = toTheMinute(now).local;
    paintDigitalClock(now);
    // A clock left running across a change of summer time, or a computer that moved: every row follows,
    // from the list held.
    if (::computerOffset(now) != m_computerOffset || isSummerTime(now.local.date()) != m_summer) {
        measureTimeRules(now);
        fillRows();
        changes |= TimeRules;
    }
    // A full redraw colours every row by the time alone, but for the city that has the keys.
    m_hover.highlighted = m_keyRow >= 1 ? m_keyRow : -1;
    changes |= redraw(now, now);
    m_picture.universalTime = m_rows[0].cityTime.time();
    return changes;
}

Board::Changes Board::redraw(const Instant& shown, const Instant& now)
{
    for (int i = 0; i < m_rows.size(); ++i) {
        setInstant(m_rows[i], shown, m_computerOffset);
        markDay(m_rows[i], i, placeOf(i), shown.universal);
    }
    if (m_hover.described == Hover::kFoundCity) {
        setInstant(m_foundCity, shown, m_computerOffset);
        markDay(m_foundCity, -1, m_foundPlace, shown.universal);
        markFoundCityChange(shown.universal);
    }
    compareWithLocal(m_rows, localShown(now));
    markWorkStates();
    markChangesComing(shown.universal);
    m_picture.dateLineRow = dateLineRow(m_rows);
    paintRows(true);
    Changes changes = Rows;
    // The sentence follows the minute, which it says.
    if (m_hover.hasSentence()) {
        paintSentence();
        changes |= Sentence;
    }
    return changes;
}

std::optional<Coordinates> Board::placeOf(int row) const
{
    // A city without a zone follows its own offsets and has no place; nor has a row past the list.
    if (row < 1 || !m_hasList || !m_rows[row].timeShown || !m_rows[row].zone.isValid())
        return std::nullopt;
    return m_places.value(row - 1);
}

void Board::markDay(ClockRow& row, int key, const std::optional<Coordinates>& place, const QDateTime& shown)
{
    if (!m_sunFaces || !place || !place->isValid()) {
        row.day = isDayHour(row.cityTime.time().hour(), m_hours.day, m_hours.night);
        row.sun.clear();
        row.sunShort.clear();
        row.sunSpoken.clear();
        return;
    }
    const SunDay day = m_sun.dayAt(key, *place, row.zone, shown);
    row.day = day.isUp(shown.toMSecsSinceEpoch());
    row.sun = sunText(day);
    row.sunShort = sunShortText(day);
    row.sunSpoken = sunSpokenText(day);
}

Board::Changes Board::setSunFaces(bool bySun, const Instant& now)
{
    if (bySun == m_sunFaces)
        return NoChange;
    m_sunFaces = bySun;
    return m_shown.isShifted() ? redraw(m_shown.at(now), now) : redrawAtNow(now);
}

void Board::markWorkStates()
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

void Board::markChangesComing(const QDateTime& shown)
{
    for (ClockRow& row : m_rows) {
        row.changeComing.clear();
        row.changeSeconds = 0;
        row.changeSentence.clear();
        row.changeSentenceShort.clear();
    }
    const QLocale locale;
    for (const ComingChange& change : comingChanges(m_rows, shown, m_computerOffset)) {
        ClockRow& first = m_rows[change.row];
        first.changeComing = changeText(change, locale);
        first.changeSeconds = change.seconds;
        // The sign stands by the first city of a zone; every city of it says the change in its sentence.
        const QString sentence = changeSentenceText(change, locale), shorter = changeSentenceShortText(change, locale);
        for (ClockRow& row : m_rows) {
            if (&row == &first || (first.zone.isValid() && row.timeShown && row.zone.id() == first.zone.id())) {
                row.changeSentence = sentence;
                row.changeSentenceShort = shorter;
            }
        }
    }
}

void Board::markFoundCityChange(const QDateTime& shown)
{
    m_foundCity.changeSentence.clear();
    m_foundCity.changeSentenceShort.clear();
    // Alone after a row of Universal Time, which is never announced.
    for (const ComingChange& change : comingChanges({ClockRow(), m_foundCity}, shown, m_computerOffset)) {
        m_foundCity.changeSentence = changeSentenceText(change, QLocale());
        m_foundCity.changeSentenceShort = changeSentenceShortText(change, QLocale());
    }
}

void Board::paintDigitalClock(const Instant& now)
{
    const QTime time = now.local.time();
    m_picture.digitalClock = QStringLiteral("Heure locale : ") + digitalCaption(time);
    m_picture.digitalClockSpoken = QStringLiteral("Heure locale : %1 h %2")
                                       .arg(time.hour(), 2, 10, QLatin1Char('0'))
                                       .arg(time.minute(), 2, 10, QLatin1Char('0'));
}

void Board::paintRows(bool describe)
{
    const QLocale locale;
    for (int i = 0; i < kRows; ++i) {
        const ClockRow& row = m_rows[i];
        RowPicture& shown = m_picture.rows[i];
        shown.name = row.name;
        shown.timeShown = row.timeShown;
        shown.look = rowLook(i, row, i == m_hover.highlighted, m_contrast);
        shown.time = row.cityTime.isValid() ? clockCaption(row.cityTime.time()) : QString();
        if (describe)
            shown.description = rowDescription(i, row, locale);
        shown.changeTip = row.changeComing;
    }
}

const ClockRow& Board::describedRow() const
{
    return m_hover.described == Hover::kFoundCity ? m_foundCity : m_rows[m_hover.described];
}

void Board::paintSentence()
{
    m_picture.hasSentence = m_hover.hasSentence();
    m_picture.described = m_hover.described;
    m_picture.sentence =
        m_picture.hasSentence ? hoverSentence(describedRow(), QLocale(), m_shown.tense()) : HoverSentence();
}

QDateTime Board::localShown(const Instant& now) const
{
    return m_shown.isShifted() ? m_computerZone.localAt(m_shown.at(now).universal) : now.local;
}

Board::Changes Board::hover(int row, const Instant& now)
{
    m_hover.highlighted = row >= 1 ? row : -1;
    compareWithLocal(m_rows, localShown(now));
    paintRows(false);
    if (row < 1)
        return Rows; // Universal Time matches no row: the sentence stays
    m_hover.described = row;
    paintSentence();
    m_picture.sentenceColour = rowLook(row, m_rows[row], true, m_contrast).text;
    // A marked city's seconds come with the next tick, as designed; a shifted instant has none.
    if (!m_rows[row].marked && !m_shown.isShifted())
        m_picture.seconds = twoDigits(now.local.time().second());
    return Rows | Sentence | Seconds;
}

Board::Changes Board::setContrast(Contrast contrast)
{
    m_contrast = contrast;
    paintRows(false); // what a row says does not change with the look
    if (m_hover.hasSentence())
        m_picture.sentenceColour = rowLook(m_hover.described, describedRow(), true, m_contrast).text;
    else
        m_picture.sentenceColour = rowLook(-1, ClockRow(), true, m_contrast).text;
    return Rows | Sentence | Seconds;
}

Board::Changes Board::hoverRow(int row, const Instant& now)
{
    return hover(row, now);
}

Board::Changes Board::leaveRows(const Instant& now)
{
    m_hover = Hover();
    compareWithLocal(m_rows, localShown(now));
    paintRows(false);
    paintSentence();
    m_picture.seconds.clear();
    return Rows | Sentence | Seconds;
}

QString Board::describeCity(const QString& name, const QTimeZone& zone, const std::optional<Coordinates>& place,
                            const Instant& now)
{
    m_foundCity = ClockRow();
    m_foundCity.name = name;
    m_foundCity.zone = zone;
    m_foundPlace = place;
    const Instant shown = m_shown.at(now);
    setInstant(m_foundCity, shown, m_computerOffset);
    markDay(m_foundCity, -1, m_foundPlace, shown.universal);
    markFoundCityChange(shown.universal);
    m_hover = Hover{-1, Hover::kFoundCity};
    compareWithLocal(m_rows, localShown(now));
    paintRows(false);
    paintSentence();
    // As an unmarked city under the pointer.
    m_picture.sentenceColour = rowLook(Hover::kFoundCity, m_foundCity, true, m_contrast).text;
    if (!m_shown.isShifted())
        m_picture.seconds = twoDigits(now.local.time().second());
    m_picture.announcement = m_picture.sentence.whole();
    return m_picture.sentence.whole();
}

bool Board::isKeyStop(int row) const
{
    // A row without a time has no record of its own (its name is what the file's reading left in it).
    return row == 0 || m_rows[row].timeShown;
}

Board::Changes Board::moveKeys(int step, const Instant& now)
{
    // From none: the first city going down, the last row going up.
    const int from = m_lastKeyRow >= 0 ? m_lastKeyRow : (step > 0 ? 0 : int(m_rows.size()));
    for (int i = from + step; i >= 0 && i < m_rows.size(); i += step) {
        if (isKeyStop(i))
            return keysTo(i, now);
    }
    // At either end the keys stay where they are (a key held down stops there), or come back there.
    if (m_keyRow >= 0 || m_lastKeyRow < 0)
        return NoChange;
    return keysTo(m_lastKeyRow, now);
}

Board::Changes Board::keysToClocks(const Instant& now)
{
    if (m_lastKeyRow >= 0 && isKeyStop(m_lastKeyRow))
        return keysTo(m_lastKeyRow, now);
    for (int i = 1; i < m_rows.size(); ++i) {
        if (isKeyStop(i))
            return keysTo(i, now);
    }
    return keysTo(0, now);
}

Board::Changes Board::keysTo(int row, const Instant& now)
{
    m_keyRow = m_lastKeyRow = row;
    m_picture.keyRow = row;
    // Universal Time has no sentence: none stays about another row while its face has the keys.
    return KeyRow | (row == 0 ? leaveRows(now) : hover(row, now));
}

Board::Changes Board::keysLeaveFaces(const Instant&)
{
    // The line stays as a hover's would; only what screen readers say of the face goes with the keys.
    if (m_keyRow < 0)
        return NoChange;
    m_keyRow = m_picture.keyRow = -1;
    return KeyRow;
}

Board::Changes Board::follow(ShownInstant::Step step, const Instant& now)
{
    // A step says where the clocks are now: a note goes.
    const bool hadNote = !m_note.forms.isEmpty();
    m_note = {};
    switch (step) {
    case ShownInstant::Unchanged:
        if (!hadNote)
            return NoChange;
        paintShiftLine(now);
        return ShiftLine;
    case ShownInstant::BackToNow: {
        paintShiftLine(now);
        m_picture.seconds = m_hover.hasSentence() ? twoDigits(now.local.time().second()) : QString();
        Changes changes = ShiftLine | Seconds | redrawAtNow(now);
        if (m_hover.hasSentence()) {
            paintSentence();
            changes |= Sentence;
        }
        return changes;
    }
    case ShownInstant::Moved:
        break;
    }
    Changes changes = redraw(m_shown.at(now), now) | Seconds | ShiftLine;
    m_picture.seconds.clear();
    paintShiftLine(now);
    return changes;
}

void Board::paintShiftLine(const Instant& now)
{
    ShiftLinePicture& line = m_picture.shiftLine;
    line.note = m_note;
    line.shown = m_shown.isShifted() || !m_note.forms.isEmpty();
    line.text = m_shown.isShifted() ? m_shown.lineText(now, localShown(now), QLocale()) : QString();
}

Board::Changes Board::showNote(const LineTexts& texts, const Instant& now)
{
    m_note = texts;
    m_noteUntil = now.universal.addSecs(10);
    paintShiftLine(now);
    m_picture.announcement = texts.forms.value(0);
    return ShiftLine | Announcement;
}

Board::Changes Board::tellDone(const LineTexts& texts, const Instant& now)
{
    if (texts.forms.isEmpty())
        return NoChange;
    return showNote(texts, now);
}

Board::Changes Board::turnWheel(int angle, const Instant& now)
{
    return follow(m_shown.turnWheel(angle, now), now);
}

Board::Changes Board::stepQuarter(int direction, const Instant& now)
{
    return follow(m_shown.moveBy(direction * ShownInstant::kStep, now), now);
}

Board::Changes Board::stepHour(int direction, const Instant& now)
{
    return follow(m_shown.moveBy(direction * ShownInstant::kHour, now), now);
}

Board::Changes Board::showCityTime(int row, const QTime& time, const Instant& now)
{
    if (row < 0 || row >= m_rows.size() || !m_rows[row].timeShown)
        return NoChange;
    return follow(m_shown.showCityTime(m_rows[row], time, now, m_computerOffset), now);
}

Board::Changes Board::backToNow(const Instant& now)
{
    return follow(m_shown.backToNow(), now);
}

Board::Changes Board::showInstant(const QDateTime& universal, const Instant& now)
{
    return follow(m_shown.showUniversal(universal, now), now);
}

QDateTime Board::shownUniversal(const Instant& now) const
{
    return toTheMinute(m_shown.at(now)).universal;
}

Board::Changes Board::goToCommonHour(int direction, const Instant& now)
{
    QList<PlanCity> cities;
    const QDateTime from = m_shown.at(now).universal, limit = m_shown.limit(direction, now);
    for (int i = 1; i < m_rows.size(); ++i) {
        if (m_rows[i].marked && m_rows[i].timeShown)
            cities.append(planCity(m_rows[i], std::min(from, limit), std::max(from, limit), m_computerOffset));
    }
    if (cities.size() < 2)
        return showNote(tooFewCitiesTexts(), now);
    const CommonHour common = findCommonHour(cities, from, direction, limit, m_workHours);
    Changes changes = NoChange;
    if (common.moves())
        changes = follow(m_shown.showUniversal(common.start, now), now);
    return changes |
           showNote(commonHourTexts(common, int(cities.size()), m_computerZone.localAt(common.start),
                                    m_computerZone.localAt(common.end), m_computerZone.localAt(limit), QLocale()),
                    now);
}

Board::Changes Board::setWorkHours(const WorkHours& hours, const Instant& now)
{
    m_workHours = hours;
    if (!m_shown.isShifted())
        return NoChange;
    // The rings follow at once, and a search made with the old hours no longer stands on the line.
    return follow(ShownInstant::Moved, now);
}

QString Board::sharedInstant(const Instant& now) const
{
    QList<ClockRow> marked;
    for (int i = 1; i < m_rows.size(); ++i) {
        if (m_rows[i].marked && m_rows[i].timeShown)
            marked.append(m_rows[i]);
    }
    if (!marked.isEmpty())
        return shareText(marked, localShown(now), false, QLocale());
    if (m_hover.hasSentence())
        return shareText({describedRow()}, localShown(now), true, QLocale());
    return {};
}

WeekRequest Board::weekRequest(const Instant& now, const WorkingDays& hereDays) const
{
    WeekRequest request = ::weekRequest(
        m_rows, m_shown.at(now).universal, m_computerOffset, m_workHours, m_hours,
        [this](const QDateTime& universal) { return m_computerZone.localAt(universal); }, hereDays);
    request.earliest = m_shown.limit(-1, now);
    request.latest = m_shown.limit(1, now);
    if (m_sunFaces) {
        // Night by the sun where a city's place is known, as its face: the cities come in the rows' order.
        auto sun = std::make_shared<SunCache>();
        qsizetype city = 0;
        for (int i = 1; i < m_rows.size() && city < request.cities.size(); ++i) {
            if (!m_rows[i].marked || !m_rows[i].timeShown)
                continue;
            if (const std::optional<Coordinates> place = placeOf(i); place && place->isValid()) {
                const QTimeZone zone = m_rows[i].zone;
                request.cities[city].dark = [sun, i, place, zone](qint64 utcSeconds) {
                    return !sun->isSunUp(i, *place, zone, QDateTime::fromSecsSinceEpoch(utcSeconds, Qt::UTC));
                };
            }
            ++city;
        }
    }
    return request;
}
