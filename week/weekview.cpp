#include "weekview.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <algorithm>
#include <climits>

#include "plan/commonhour.h"
#include "ui/controls.h"
#include "ui/fitting.h"
#include "ui/look.h"

namespace {

// The colours of a quarter: at work in the window's dark blue, deeper by night; free by day white, on a day
// off light grey; free by night as dark as a night face; the common slots in the marked cities' yellow.
const QColor kAtWork = look::kDarkBlue;
const QColor kAtWorkByNight(0x00, 0x00, 0x60);
const QColor kFree = look::kWhite;
const QColor kDayOff = look::kLightGrey;
const QColor kNight(0x40, 0x40, 0x40);
const QColor kCommon = look::kYellow;
const QColor kCursor = look::kRed;
const QColor kStripOutline(0x80, 0x80, 0x80);

const QColor& quarterColour(quint8 flags)
{
    if (flags & AtWork)
        return (flags & Dark) ? kAtWorkByNight : kAtWork;
    if (flags & Dark)
        return kNight;
    return (flags & DayOff) ? kDayOff : kFree;
}

constexpr int kMargin = 8;
constexpr int kNameWidth = 100;
constexpr int kScrollWidth = 14;
constexpr int kMostPitch = 40, kLeastPitch = 12;
constexpr int kPlaceColumns = 3, kMostPlaceRows = 4, kPlaceLine = 15;

const QString kHourPattern = QStringLiteral("HH.mm");

QString tooFewText()
{
    return QStringLiteral("Il faut au moins deux villes cochées pour comparer leurs heures de bureau.\n\n"
                          "Cochez-les dans le panneau de configuration (Ctrl+,) : la case à gauche du nom de "
                          "chaque ville. La semaine montrera alors leurs heures de bureau côte à côte et les "
                          "créneaux où toutes sont au bureau.\n\n"
                          "Échap ferme cette vue.");
}

QString keysText()
{
    return QStringLiteral("← → quart d'heure   Ctrl+← → créneau commun   ↑ ↓ jour   Entrée : y aller   "
                          "Échap : fermer");
}

} // namespace

struct WeekView::Layout
{
    int left = 0, right = 0; // the days, across
    QRect title, days, hours, common, here, strips, heading, places, footer;
    int placeRows = 0;
    int pitch = kMostPitch; // from one strip to the next
    int stripHeight = 14;
    int firstStrip = 0; // the first city in sight
    int stripsInSight = 0;
};

WeekView::WeekView(QWidget* window) : QWidget(window)
{
    setObjectName(QStringLiteral("Semaine"));
    // At the configuration panel's place, over the grid and under nothing else.
    setGeometry(look::twipsRect(210, 180, 14310, 7635));
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, look::kSilver);
    colours.setColor(QPalette::WindowText, look::kBlack);
    setPalette(colours);
    setFont(look::sans(11));
    setFocusPolicy(Qt::StrongFocus);
    // Its own mouse events stay with it: a press chooses an instant and never moves the window.
    setAttribute(Qt::WA_NoMousePropagation);
    setMouseTracking(true);
    setAccessibleName(QStringLiteral("La semaine"));
    m_scroll = new QScrollBar(Qt::Vertical, this);
    m_scroll->setObjectName(QStringLiteral("SemaineDefilement"));
    m_scroll->setFocusPolicy(Qt::NoFocus);
    m_scroll->hide();
    connect(m_scroll, &QScrollBar::valueChanged, this, qOverload<>(&QWidget::update));
    hide();
}

void WeekView::open(const WeekRequest& request)
{
    m_week = planWeek(request);
    m_cursor = std::clamp(m_week->shownQuarter, m_week->earliestQuarter, m_week->latestQuarter);
    m_moved = m_cursor != m_week->shownQuarter;
    m_note.clear();
    m_scroll->setValue(0);
    placeScrollBar();
    if (!isVisible())
        m_focusBefore = window()->focusWidget();
    show();
    raise();
    setFocus(Qt::OtherFocusReason);
    describe();
    update();
}

void WeekView::dismiss()
{
    if (!m_week)
        return;
    m_week.reset();
    m_note.clear();
    hide();
    setAccessibleDescription({});
    if (m_focusBefore && m_focusBefore->isVisible())
        m_focusBefore->setFocus(Qt::OtherFocusReason);
    else
        window()->setFocus(Qt::OtherFocusReason);
    emit closed();
}

QDateTime WeekView::currentInstant() const
{
    if (!m_week)
        return {};
    return QDateTime::fromSecsSinceEpoch(m_moved ? m_week->start(m_cursor) : m_week->shown, Qt::UTC);
}

QString WeekView::currentText() const
{
    if (!m_week)
        return {};
    if (m_week->marked.size() < 2)
        return tooFewText();
    const QString quarter = quarterTexts(*m_week, m_cursor, QLocale()).whole();
    return m_note.isEmpty() ? quarter : m_note + QLatin1Char('\n') + quarter;
}

WeekView::Layout WeekView::layout() const
{
    Layout l;
    l.left = kMargin + kNameWidth + 6; // as xAt()
    l.right = width() - kMargin - kScrollWidth - 4;
    const int across = l.right - l.left, whole = width() - 2 * kMargin;
    l.title = QRect(kMargin, 6, whole, 18);
    l.days = QRect(l.left, 28, across, 15);
    l.hours = QRect(l.left, 43, across, 13);
    l.common = QRect(l.left, 58, across, 12);
    // From the bottom up: the legend and keys, what each place is at the quarter under the keys (three to a
    // line, four lines at most), what the quarter is.
    l.footer = QRect(kMargin, height() - 24, whole, 16);
    const int places = m_week ? int(m_week->strips.size()) : 0;
    l.placeRows = std::min((places + kPlaceColumns - 1) / kPlaceColumns, kMostPlaceRows);
    l.places = QRect(kMargin, l.footer.top() - 6 - l.placeRows * kPlaceLine, whole, l.placeRows * kPlaceLine);
    l.heading = QRect(kMargin, l.places.top() - 19, whole, 17);
    // The strips share what is left, the computer's first, each as high as room allows.
    const int top = l.common.bottom() + 5, room = l.heading.top() - 8 - top;
    const int cities = std::max(places - 1, 1);
    l.pitch = std::clamp(room / (cities + 1), kLeastPitch, kMostPitch);
    l.stripHeight = l.pitch - std::max(3, l.pitch / 4);
    l.here = QRect(l.left, top, across, l.stripHeight);
    const int stripsTop = top + l.pitch + 4;
    l.stripsInSight = std::min(places - 1, std::max((l.heading.top() - 8 - stripsTop) / l.pitch, 0));
    l.strips = QRect(l.left, stripsTop, across, std::max(l.stripsInSight, 1) * l.pitch - (l.pitch - l.stripHeight));
    l.firstStrip = m_scroll->isHidden() ? 0 : m_scroll->value();
    return l;
}

int WeekView::visibleStrips() const
{
    return layout().stripsInSight;
}

void WeekView::placeScrollBar()
{
    const int cities = m_week ? int(m_week->strips.size()) - 1 : 0;
    const int inSight = visibleStrips();
    const bool scrolls = m_week && m_week->marked.size() >= 2 && cities > inSight;
    m_scroll->setVisible(scrolls);
    if (!scrolls)
        return;
    const Layout l = layout();
    m_scroll->setGeometry(width() - kMargin - kScrollWidth, l.strips.top(), kScrollWidth, l.strips.height());
    m_scroll->setRange(0, cities - inSight);
    m_scroll->setPageStep(inSight);
    m_scroll->setSingleStep(1);
}

int WeekView::xAt(int quarter) const
{
    // As layout() places the days, without the rest of it: this runs for every stretch drawn.
    const int left = kMargin + kNameWidth + 6, right = width() - kMargin - kScrollWidth - 4;
    const int quarters = m_week ? std::max(m_week->quarters, 1) : 1;
    return left + int((qint64(quarter) * (right - left) + quarters / 2) / quarters);
}

QRect WeekView::quarterRect(int strip, int quarter) const
{
    if (!m_week || strip < 0 || strip >= m_week->strips.size() || quarter < 0 || quarter >= m_week->quarters)
        return {};
    const Layout l = layout();
    const int x = xAt(quarter), width = std::max(xAt(quarter + 1) - x, 1);
    if (strip == 0)
        return QRect(x, l.here.top(), width, l.here.height());
    const int shown = strip - 1 - l.firstStrip;
    if (shown < 0 || shown >= l.stripsInSight)
        return {};
    return QRect(x, l.strips.top() + shown * l.pitch, width, l.stripHeight);
}

QRect WeekView::commonLine() const
{
    return layout().common;
}

int WeekView::quarterUnder(const QPoint& point) const
{
    const Layout l = layout();
    if (!m_week || m_week->marked.size() < 2 || point.x() < l.left || point.x() >= l.right ||
        point.y() < l.days.top() || point.y() > l.strips.bottom())
        return -1;
    const int quarters = m_week->quarters;
    int k = int(qint64(point.x() - l.left) * quarters / (l.right - l.left));
    // The rounding of xAt: the quarter whose drawn span holds the point.
    while (k > 0 && xAt(k) > point.x())
        --k;
    while (k + 1 < quarters && xAt(k + 1) <= point.x())
        ++k;
    return std::clamp(k, 0, quarters - 1);
}

void WeekView::moveTo(int quarter)
{
    if (!m_week)
        return;
    quarter = std::clamp(quarter, m_week->earliestQuarter, m_week->latestQuarter);
    m_note.clear();
    if (quarter != m_cursor) {
        m_cursor = quarter;
        m_moved = true;
    }
    describe();
    update();
}

void WeekView::stepBy(int quarters)
{
    moveTo(m_cursor + quarters);
}

void WeekView::stepDay(int direction)
{
    // The same time of the computer's clock on the next or the previous day, or the nearest to it there (the
    // day the clock changes its offset).
    const int day = m_week->dayOf(m_cursor) + direction;
    if (day < 0 || day >= m_week->days.size())
        return;
    const QTime now = m_week->hereAt(m_cursor).time();
    const WeekDay& target = m_week->days[day];
    int best = target.first;
    int bestDistance = INT_MAX;
    for (int k = target.first; k < target.first + target.quarters; ++k) {
        const int distance = qAbs(m_week->hereAt(k).time().secsTo(now));
        if (distance < bestDistance) {
            best = k;
            bestDistance = distance;
        }
    }
    if (std::clamp(best, m_week->earliestQuarter, m_week->latestQuarter) != m_cursor)
        moveTo(best);
}

void WeekView::stepSlot(int direction)
{
    // The clocks' own step (Ctrl+Right, Ctrl+Left), within the quarters the view shows and the clocks may.
    const Week& week = *m_week;
    const int limitQuarter = direction > 0 ? week.latestQuarter : week.earliestQuarter;
    const QDateTime limit = QDateTime::fromSecsSinceEpoch(week.start(limitQuarter), Qt::UTC);
    const CommonHour found = findCommonHour(week.marked, currentInstant(), direction, limit, week.work);
    if (found.kind == CommonHour::Slot) {
        moveTo(week.quarterAt(found.start.toSecsSinceEpoch()));
        return;
    }
    // Where the search found no slot, the keys stay and the line says why.
    const auto here = [&week](const QDateTime& at) {
        const int k = at.isValid() ? week.quarterAt(at.toSecsSinceEpoch()) : -1;
        return k < 0 ? QDateTime() : week.hereAt(k);
    };
    m_note = commonHourTexts(found, int(week.marked.size()), here(found.start), here(found.end),
                             week.hereAt(limitQuarter), QLocale())
                 .forms.first();
    describe();
    update();
}

void WeekView::choose(const QDateTime& universal)
{
    emit instantChosen(universal);
    dismiss();
}

void WeekView::describe()
{
    if (!m_week)
        return;
    const bool enough = m_week->marked.size() >= 2;
    setAccessibleName(
        enough
            ? QStringLiteral("La semaine : %1, %2").arg(weekTitle(*m_week, QLocale()), slotSummary(*m_week).toLower())
            : QStringLiteral("La semaine"));
    // The tooltip is made when asked for (event()): laying out sixty lines at each key would cost more than
    // drawing the week.
    setAccessibleDescription(currentText());
    QAccessibleEvent described(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&described);
}

void WeekView::keyPressEvent(QKeyEvent* event)
{
    if (!m_week) {
        QWidget::keyPressEvent(event);
        return;
    }
    const bool enough = m_week->marked.size() >= 2;
    const bool control = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Escape:
        dismiss();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (event->isAutoRepeat())
            return;
        if (enough)
            choose(currentInstant());
        else
            dismiss();
        return;
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (enough) {
            const int direction = event->key() == Qt::Key_Right ? 1 : -1;
            if (control)
                stepSlot(direction);
            else
                stepBy(direction);
        }
        return;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (enough)
            stepDay(event->key() == Qt::Key_Down ? 1 : -1);
        return;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (!m_scroll->isHidden())
            m_scroll->triggerAction(event->key() == Qt::Key_PageDown ? QAbstractSlider::SliderPageStepAdd
                                                                     : QAbstractSlider::SliderPageStepSub);
        return;
    default:
        break;
    }
    // No other key goes through to the clocks under the view (the window's commands come by their shortcuts).
    event->accept();
}

void WeekView::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() != Qt::LeftButton || !m_week)
        return;
    const int k = quarterUnder(event->position().toPoint());
    if (k >= m_week->earliestQuarter && k <= m_week->latestQuarter && k >= 0)
        choose(QDateTime::fromSecsSinceEpoch(m_week->start(k), Qt::UTC));
}

void WeekView::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
}

void WeekView::wheelEvent(QWheelEvent* event)
{
    event->accept();
    // Anywhere over the view, the wheel scrolls the strips as over their scroll bar, parts of a notch included.
    if (!m_scroll->isHidden())
        QCoreApplication::sendEvent(m_scroll, event);
}

void WeekView::contextMenuEvent(QContextMenuEvent* event)
{
    passMenuRequestOn(this, event);
}

void WeekView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeScrollBar();
}

bool WeekView::focusNextPrevChild(bool)
{
    return isVisible();
}

bool WeekView::event(QEvent* event)
{
    // The view's keys are its own, before the window's commands that share them (Ctrl+Left, Ctrl+Right).
    if (event->type() == QEvent::ShortcutOverride && m_week) {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Escape:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            if ((key->modifiers() & ~(Qt::ControlModifier | Qt::KeypadModifier)) == Qt::NoModifier) {
                event->accept();
                return true;
            }
            break;
        default:
            break;
        }
    }
    if (event->type() == QEvent::ToolTip && m_week && m_week->marked.size() < 2) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), plainToolTip(currentText()), this);
        return true;
    }
    if (event->type() == QEvent::ToolTip && m_week) {
        // Over the days, the quarter under the pointer; over a day's label, the changes of offset it holds;
        // elsewhere, the quarter under the keys. Made only when asked for.
        const auto* help = static_cast<QHelpEvent*>(event);
        const Layout l = layout();
        const int k = quarterUnder(help->pos());
        QString text;
        if (k >= 0 && l.days.contains(help->pos())) {
            QStringList changes;
            for (int c : m_week->days[m_week->dayOf(k)].changes)
                changes << weekChangeText(*m_week, m_week->changes[c], QLocale());
            text = changes.join(QLatin1Char('\n'));
        } else if (k >= 0) {
            text = quarterTexts(*m_week, k, QLocale()).whole();
        }
        QToolTip::showText(help->globalPos(), plainToolTip(text.isEmpty() ? currentText() : text), this);
        return true;
    }
    return QWidget::event(event);
}

void WeekView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(look::kBlack);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!m_week)
        return;
    if (m_week->marked.size() < 2)
        paintTooFew(painter);
    else
        paintWeek(painter);
}

void WeekView::paintTooFew(QPainter& painter) const
{
    painter.setFont(look::sans(13, true));
    painter.setPen(look::kDarkBlue);
    painter.drawText(layout().title, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("La semaine"));
    painter.setFont(look::sans(16));
    painter.setPen(look::kMaroon);
    painter.drawText(rect().adjusted(120, 90, -120, -90), Qt::AlignCenter | Qt::TextWordWrap, tooFewText());
}

void WeekView::paintWeek(QPainter& painter) const
{
    const Week& week = *m_week;
    const Layout l = layout();
    const QLocale locale;
    const QFontMetrics small(look::sans(11));
    const int top = l.days.top(), bottom = l.strips.bottom() + 1;
    const int inSight = std::min(l.stripsInSight, int(week.strips.size()) - 1 - l.firstStrip);

    // The title and how many slots.
    painter.setFont(look::sans(13, true));
    const QFontMetrics titleMetrics(painter.font());
    const QString summary = slotSummary(week);
    painter.setPen(look::kMaroon);
    painter.drawText(l.title, Qt::AlignRight | Qt::AlignVCenter, summary);
    painter.setPen(look::kDarkBlue);
    painter.drawText(l.title, Qt::AlignLeft | Qt::AlignVCenter,
                     titleMetrics.elidedText(weekTitle(week, locale), Qt::ElideRight,
                                             l.title.width() - titleMetrics.horizontalAdvance(summary) - 16));

    // The common slots: lit from the line of their own down through every strip.
    const QList<int> starts = week.slotStarts();
    for (int start : starts) {
        int end = start;
        while (end < week.quarters && week.common[end])
            ++end;
        painter.fillRect(QRect(QPoint(xAt(start), l.common.top()), QPoint(xAt(end) - 1, bottom)), kCommon);
    }
    painter.setPen(kStripOutline);
    painter.drawRect(l.common.adjusted(0, 0, -1, -1));
    painter.setPen(look::kBlack);
    painter.setFont(look::sans(11));
    painter.drawText(QRect(kMargin, l.common.top() - 2, kNameWidth, l.common.height() + 4),
                     Qt::AlignRight | Qt::AlignVCenter,
                     small.elidedText(QStringLiteral("Créneaux communs"), Qt::ElideRight, kNameWidth));

    // The strips: the computer, then the cities in sight.
    const auto paintStrip = [&](const WeekStrip& strip, const QRect& band, bool bold) {
        int from = 0;
        for (int k = 1; k <= week.quarters; ++k) {
            if (k < week.quarters && quarterColour(strip.flags[k]) == quarterColour(strip.flags[from]))
                continue;
            painter.fillRect(QRect(xAt(from), band.top(), xAt(k) - xAt(from), band.height()),
                             quarterColour(strip.flags[from]));
            from = k;
        }
        painter.setPen(kStripOutline);
        painter.drawRect(band.adjusted(0, 0, -1, -1));
        painter.setPen(look::kBlack);
        painter.setFont(look::sans(11, bold));
        const QRect name(kMargin, band.top() - 2, kNameWidth, band.height() + 4);
        painter.drawText(name, Qt::AlignRight | Qt::AlignVCenter,
                         small.elidedText(strip.city.name, Qt::ElideRight, kNameWidth));
    };
    paintStrip(week.strips.first(), l.here, true);
    for (int i = 0; i < inSight; ++i) {
        paintStrip(week.strips[1 + l.firstStrip + i],
                   QRect(l.left, l.strips.top() + i * l.pitch, l.right - l.left, l.stripHeight), false);
    }

    // The days: their labels, all of one form (the longest that fits each), the hours of the computer's clock,
    // midnight across everything.
    const QStringList patterns = {QStringLiteral("dddd d MMMM"), QStringLiteral("ddd d MMM"), QStringLiteral("ddd d")};
    const auto dayLabel = [&](const WeekDay& day, int form) {
        QString label = locale.toString(day.date, patterns[form]);
        for (int c : day.changes)
            label += week.changes[c].seconds > 0 ? QStringLiteral(" ▲") : QStringLiteral(" ▼");
        return label;
    };
    const int currentDay = week.dayOf(m_cursor);
    const QFontMetrics bold(look::sans(11, true));
    int form = 0;
    for (const WeekDay& day : week.days) {
        const int room = xAt(day.first + day.quarters) - xAt(day.first) - 4;
        while (form + 1 < patterns.size() && bold.horizontalAdvance(dayLabel(day, form)) > room)
            ++form;
    }
    for (int d = 0; d < week.days.size(); ++d) {
        const WeekDay& day = week.days[d];
        const int x0 = xAt(day.first), x1 = xAt(day.first + day.quarters);
        painter.setFont(look::sans(11, d == currentDay));
        painter.setPen(day.changes.isEmpty() ? look::kBlack : look::kDarkBlue);
        painter.drawText(QRect(x0, l.days.top(), x1 - x0, l.days.height()), Qt::AlignCenter,
                         QFontMetrics(painter.font()).elidedText(dayLabel(day, form), Qt::ElideRight, x1 - x0 - 2));
        painter.setPen(look::kBlack);
        painter.drawLine(x0, top, x0, bottom);
        // 6.00, 12.00 and 18.00 of the computer's clock, where the day has them.
        painter.setFont(look::sans(11));
        for (int k = day.first; k < day.first + day.quarters; ++k) {
            const QTime time = week.hereAt(k).time();
            if (time.minute() != 0 || time.hour() % 6 != 0 || time.hour() == 0)
                continue;
            const int x = xAt(k);
            painter.setPen(kStripOutline);
            painter.drawLine(x, l.hours.bottom() - 2, x, l.hours.bottom());
            painter.setPen(look::kBlack);
            painter.drawText(QRect(x - 15, l.hours.top() - 1, 30, l.hours.height()), Qt::AlignCenter,
                             QString::number(time.hour()));
        }
    }
    painter.drawLine(l.right - 1, top, l.right - 1, bottom);

    // The changes of offset, on their strips.
    painter.setPen(Qt::NoPen);
    painter.setBrush(look::kMaroon);
    for (const WeekChange& change : week.changes) {
        const QRect band = quarterRect(change.strip, change.quarter);
        if (band.isEmpty())
            continue;
        painter.fillRect(QRect(band.left(), band.top(), 2, band.height()), look::kMaroon);
        const QPointF tip(band.left() + 1, band.top() + 3);
        const QPointF corners[] = {tip, {tip.x() - 3, band.top() - 2.0}, {tip.x() + 3, band.top() - 2.0}};
        painter.drawPolygon(corners, 3);
    }
    painter.setBrush(Qt::NoBrush);

    // Beyond the clocks' reach, veiled.
    QColor veil = look::kSilver;
    veil.setAlpha(190);
    if (week.earliestQuarter > 0)
        painter.fillRect(QRect(QPoint(l.left, top), QPoint(xAt(week.earliestQuarter) - 1, bottom)), veil);
    if (week.latestQuarter < week.quarters - 1)
        painter.fillRect(QRect(QPoint(xAt(week.latestQuarter + 1), top), QPoint(l.right - 1, bottom)), veil);

    // The quarter under the keys: a line through the slots and strips, a mark under its hour.
    const int x = xAt(m_cursor), across = std::max(xAt(m_cursor + 1) - x, 2);
    painter.fillRect(QRect(x, l.common.top(), across, bottom - l.common.top()), kCursor);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kCursor);
    const qreal middle = x + across / 2.0;
    const QPointF mark[] = {
        {middle, qreal(l.common.top())}, {middle - 4, l.common.top() - 5.0}, {middle + 4, l.common.top() - 5.0}};
    painter.drawPolygon(mark, 3);
    painter.setBrush(Qt::NoBrush);

    // What the quarter is, then each place, three to a line.
    const QuarterTexts texts = quarterTexts(week, m_cursor, locale);
    painter.setFont(look::sans(12, true));
    painter.setPen(m_note.isEmpty() ? look::kDarkBlue : look::kMaroon);
    const QFontMetrics headingMetrics(painter.font());
    painter.drawText(
        l.heading, Qt::AlignLeft | Qt::AlignVCenter,
        headingMetrics.elidedText(m_note.isEmpty() ? texts.heading() : m_note, Qt::ElideRight, l.heading.width()));
    painter.setFont(look::sans(11));
    painter.setPen(look::kBlack);
    const int cells = l.placeRows * kPlaceColumns, columnWidth = l.places.width() / kPlaceColumns;
    QStringList shown = texts.places;
    if (shown.size() > cells) {
        const qsizetype others = shown.size() - (cells - 1);
        shown = shown.mid(0, cells - 1);
        shown << QStringLiteral("… et %1 autres villes : voir l'infobulle").arg(others);
    }
    for (int i = 0; i < shown.size(); ++i) {
        const QRect cell(l.places.left() + (i / l.placeRows) * columnWidth,
                         l.places.top() + (i % l.placeRows) * kPlaceLine, columnWidth - 8, kPlaceLine);
        painter.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter,
                         small.elidedText(shown[i], Qt::ElideRight, cell.width()));
    }

    const struct
    {
        QColor colour;
        QString text;
    } legend[] = {{kAtWork, QStringLiteral("au bureau")},
                  {kFree, QStringLiteral("libre")},
                  {kDayOff, QStringLiteral("week-end")},
                  {kNight, QStringLiteral("nuit")},
                  {kCommon, QStringLiteral("créneau commun")}};
    int at = l.footer.left();
    for (const auto& item : legend) {
        const QRect swatch(at, l.footer.top() + 3, 16, 10);
        painter.fillRect(swatch, item.colour);
        painter.setPen(kStripOutline);
        painter.drawRect(swatch.adjusted(0, 0, -1, -1));
        painter.setPen(look::kBlack);
        at += 20;
        painter.drawText(QRect(at, l.footer.top(), 200, l.footer.height()), Qt::AlignLeft | Qt::AlignVCenter,
                         item.text);
        at += small.horizontalAdvance(item.text) + 12;
    }
    painter.setPen(look::kDarkBlue);
    painter.drawText(QRect(at, l.footer.top(), l.footer.right() - at, l.footer.height()),
                     Qt::AlignRight | Qt::AlignVCenter,
                     small.elidedText(keysText(), Qt::ElideLeft, l.footer.right() - at));
}
