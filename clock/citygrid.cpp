#include "citygrid.h"

#include <QLocale>

#include "clock/timeentry.h"
#include "platform/clock.h"
#include "rows/geometry.h"
#include "rows/timeshift.h"
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

void CityGrid::createDesignRow()
{
    auto* face = new Picture(m_window, QStringLiteral("Image1_0"));
    face->setTwipsGeometry(4605, 4620, grid::kFaceSize, grid::kFaceSize);
    face->setPicture(look::picture(QStringLiteral("nuit.gif")));

    auto* name = new Label(m_window, QStringLiteral("Ville_0"));
    name->setFont(look::sans(11));
    name->setGeometry(look::twipsRect(3030, 2580, grid::kLabelWidth, grid::kNameHeight));
    name->setHorizontalAlignment(Qt::AlignHCenter);
    name->setTextColor(look::kWhite);
    name->setCaption(QStringLiteral("ville"));
    name->setAutoSize(true);
    // The face speaks for the whole row.
    name->setSpoken(false);

    auto* time = new Label(m_window, QStringLiteral("Digit_0"));
    time->setFont(look::sans(16, true));
    time->setGeometry(look::twipsRect(3030, 3540, grid::kLabelWidth, grid::kTimeHeight));
    time->setHorizontalAlignment(Qt::AlignHCenter);
    time->setTextColor(look::kYellow);
    time->setCaption(QStringLiteral("00:00"));
    time->setSpoken(false);

    m_faces = {face};
    m_names = {name};
    m_times = {time};
    m_rows = {ClockRow()};
    connectRow(0);
}

void CityGrid::connectRow(int i)
{
    // The same handlers for the three parts of a row.
    for (auto* label : {m_names[i], m_times[i]}) {
        connect(label, &Label::mouseMoved, this, [this, i] { Image1_MouseMove(i); });
        connect(label, &Label::pressed, this, &CityGrid::pressed);
        connect(label, &Label::wheelTurned, this, &CityGrid::turnWheel);
    }
    connect(m_faces[i], &Picture::mouseMoved, this, [this, i] { Image1_MouseMove(i); });
    connect(m_faces[i], &Picture::pressed, this, &CityGrid::pressed);
    connect(m_faces[i], &Picture::wheelTurned, this, &CityGrid::turnWheel);
    connect(m_times[i], &Label::doubleClicked, this, [this, i] { Digit_DblClick(i); });
}

void CityGrid::createRows()
{
    for (int i = m_rows.size(); i < kRows; ++i) {
        // A new row copies row 0 and stays behind the date line.
        auto* face = new Picture(m_window, QStringLiteral("Image1_%1").arg(i));
        face->setTwipsGeometry(m_faces[0]->twipsPosition().x(), m_faces[0]->twipsPosition().y(), grid::kFaceSize,
                               grid::kFaceSize);
        face->setPicture(m_faces[0]->picture());
        auto copyLabel = [this, i](const Label* model, const QString& name) {
            auto* label = new Label(m_window, name.arg(i));
            label->setFont(model->font());
            label->setGeometry(model->geometry());
            label->setAlignment(model->alignment());
            label->setTextColor(model->textColor());
            label->setCaption(model->caption());
            label->setAutoSize(model->autoSize());
            label->setSpoken(model->isSpoken());
            return label;
        };
        Label* time = copyLabel(m_times[0], QStringLiteral("Digit_%1"));
        Label* name = copyLabel(m_names[0], QStringLiteral("Ville_%1"));
        for (QWidget* control : {static_cast<QWidget*>(face), static_cast<QWidget*>(time), static_cast<QWidget*>(name)})
            control->stackUnder(m_controls.dateLine);
        m_faces.append(face);
        m_times.append(time);
        m_names.append(name);
        m_rows.append(ClockRow());
        connectRow(i);
    }
    for (int i = 0; i < kRows; ++i) {
        m_rows[i].timeShown = m_rows[i].summer.shown = m_rows[i].winter.shown = true;
        m_faces[i]->show();
        m_names[i]->show();
        m_times[i]->show();
    }
}

void CityGrid::placeRows()
{
    for (int i = 0; i < kRows; ++i) {
        m_names[i]->move(twipsToPixels(grid::left(i)), twipsToPixels(grid::nameTop(i)));
        m_names[i]->setAutoSizeLimit(twipsToPixels(grid::nameRoom(i)));
        m_faces[i]->setTwipsGeometry(grid::left(i), grid::faceTop(i), grid::kFaceSize, grid::kFaceSize);
        m_times[i]->move(twipsToPixels(grid::left(i)), twipsToPixels(grid::timeTop(i)));
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
    m_names[0]->setCaption(m_rows[0].name);
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
    const QTime localTime = now.local.time();
    m_controls.digitalClock->setCaption(QStringLiteral("Heure locale : ") + digitalCaption(localTime));
    if (isShifted()) {
        if (everyRow || shiftExpired(m_lastStep, now.universal)) {
            backToNow();
            return;
        }
        // The instant shown stands still, and has no seconds: they belong to now.
        m_controls.hoverSeconds->setCaption(QString());
        return;
    }
    m_controls.hoverSeconds->setCaption(m_controls.hoverLine->caption().isEmpty() ? QString()
                                                                                  : twoDigits(localTime.second()));
    if (!everyRow && localTime.minute() == m_lastRedrawMinute)
        return;
    m_lastRedrawMinute = localTime.minute();

    if (computerOffset(now) != m_computerOffset || isSummerTime(now.local.date()) != m_summer)
        emit timeRulesChanged();

    for (ClockRow& row : m_rows)
        row.hovered = false; // a full redraw colours every row by the time alone
    drawRows(now);
    emit universalTimeChanged(m_rows[0].cityTime.time());
}

void CityGrid::drawRows(const Instant& shown)
{
    for (ClockRow& row : m_rows) {
        setInstant(row, shown, m_computerOffset);
        row.day = isDayHour(row.cityTime.time().hour(), m_hours.day, m_hours.night);
    }
    compareWithLocal(shown.local.time());
    showRows();
    describeRows();
    placeDateLine();
}

void CityGrid::compareWithLocal(const QTime& localTime)
{
    // The same hour and minute: the same caption under the face.
    for (int i = 1; i < kRows; ++i) {
        const QTime city = m_rows[i].cityTime.time();
        m_rows[i].sameAsLocal = city.hour() == localTime.hour() && city.minute() == localTime.minute();
    }
}

void CityGrid::showRows()
{
    for (int i = 0; i < m_rows.size(); ++i) {
        const ClockRow& row = m_rows[i];
        const RowLook rowlook = rowLook(i, row);
        const QColor text = look::toColor(rowlook.text);
        m_names[i]->setCaption(row.name);
        m_names[i]->setTextColor(text);
        m_names[i]->setBold(rowlook.bold);
        m_times[i]->setTextColor(text);
        m_times[i]->setVisible(row.timeShown);
        if (!row.cityTime.isValid())
            continue; // not drawn yet
        m_times[i]->setCaption(clockCaption(row.cityTime.time()));
        m_faces[i]->setPicture(
            look::picture(rowlook.face == Face::Day ? QStringLiteral("jour.gif") : QStringLiteral("nuit.gif")));
        m_faces[i]->setHands(rowlook.hands.minute, rowlook.hands.hour);
        m_faces[i]->setHandColours(look::toColor(rowlook.handColours.minute), look::toColor(rowlook.handColours.hour));
    }
}

void CityGrid::describeRows()
{
    for (int i = 0; i < m_rows.size(); ++i) {
        if (const QString description = rowDescription(i, m_rows[i], QLocale());
            description != m_faces[i]->accessibleName())
            m_faces[i]->setAccessibleName(description);
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
    for (int i = 1; i < kRows; ++i)
        m_rows[i].hovered = i == index;
    compareWithLocal(localTimeShown());
    showRows();
    if (index < 1)
        return; // Universal Time matches no row: the sentence stays
    const ClockRow& row = m_rows[index];
    const QColor colour = look::toColor(rowLook(index, row).text);
    writeSentence(index);
    m_controls.hoverLine->setTextColor(colour);
    m_controls.hoverSeconds->setTextColor(colour);
    // A marked city's seconds come with the next tick; a shifted instant has none.
    if (!row.marked && !isShifted())
        m_controls.hoverSeconds->setCaption(twoDigits(m_clock.now().local.time().second()));
}

void CityGrid::writeSentence(int index)
{
    m_sentenceRow = index;
    const Tense tense = m_shift > 0 ? Tense::Future : m_shift < 0 ? Tense::Past : Tense::Present;
    Label* line = m_controls.hoverLine;
    line->setCaption(
        fitSentence(hoverSentence(m_rows[index], QLocale(), tense), line->fontMetrics(), line->contentsRect().width()));
}

QTime CityGrid::localTimeShown() const
{
    // This computer's own time at the instant shown, its own change of summer time on the way included.
    return isShifted() ? m_clock.localAt(shiftedInstant(m_anchor, m_shift).universal).time()
                       : m_clock.now().local.time();
}

void CityGrid::clearHover()
{
    for (ClockRow& row : m_rows)
        row.hovered = false;
    compareWithLocal(localTimeShown());
    showRows();
    m_sentenceRow = -1;
    m_controls.hoverLine->setCaption(QString());
    m_controls.hoverSeconds->setCaption(QString());
}

void CityGrid::turnWheel(int angle)
{
    const WheelTurn turn = ::turnWheel(m_shift, m_pendingWheel, angle);
    m_pendingWheel = turn.pending;
    setShift(anchor(), turn.shift);
}

bool CityGrid::pressKey(int key)
{
    const std::optional<qint64> shift = keyShift(key, m_shift);
    if (!shift)
        return false;
    setShift(anchor(), *shift);
    return true;
}

void CityGrid::Digit_DblClick(int index)
{
    if (!m_rows[index].timeShown)
        return;
    if (!m_entry) {
        m_entry = new TimeEntry(m_window);
        connect(m_entry, &TimeEntry::timeTyped, this, &CityGrid::showCityTime);
    }
    const QString city = index == 0 ? QStringLiteral("Temps universel") : m_rows[index].name;
    m_entry->open(index, city, m_times[index]->geometry(), m_times[index]->caption());
}

void CityGrid::showCityTime(int index, const QTime& time)
{
    const Instant from = anchor();
    setShift(from, shiftForCityTime(m_rows[index], from, m_shift, time, m_computerOffset));
}

Instant CityGrid::anchor() const
{
    return isShifted() ? m_anchor : toTheMinute(m_clock.now());
}

void CityGrid::setShift(const Instant& anchor, qint64 seconds)
{
    m_lastStep = m_clock.now().universal;
    if (seconds == 0) {
        backToNow();
        return;
    }
    if (seconds == m_shift)
        return; // at a limit
    m_anchor = anchor;
    m_shift = seconds;
    const Instant shown = shiftedInstant(m_anchor, m_shift);
    drawRows(shown);
    if (m_sentenceRow > 0)
        writeSentence(m_sentenceRow);
    m_controls.hoverSeconds->setCaption(QString());
    m_controls.shiftLine->setCaption(shiftText(m_shift, m_clock.localAt(shown.universal), QLocale()));
    m_controls.shiftLine->show();
}

void CityGrid::backToNow()
{
    if (!isShifted())
        return;
    m_shift = 0;
    m_controls.shiftLine->hide();
    m_controls.shiftLine->setCaption(QString());
    refresh(true);
    if (m_sentenceRow > 0)
        writeSentence(m_sentenceRow);
}
