#include "cityeditor.h"

#include <QAccessibleWidget>
#include <QCheckBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>

#include "data/cityfile.h"
#include "data/cityindex.h"
#include "platform/clock.h"
#include "rows/clockrow.h"
#include "rows/geometry.h"
#include "time/zones.h"
#include "ui/citycompleter.h"
#include "ui/fitting.h"
#include "ui/look.h"

using look::twipsRect;

QLineEdit* makeTextBox(QWidget* parent, const QString& name, const QRect& geometry)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    box->setFont(look::defaultFont());
    box->setAlignment(Qt::AlignCenter);
    box->setFrame(false);
    box->setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid #000000; padding: 0px; }"));
    box->setAttribute(Qt::WA_NoMousePropagation);
    // No more than the city file keeps of a text.
    box->setMaxLength(int(kMaxFieldBytes));
    return box;
}

namespace {

const char* const kRefused = "refusedBySave";
const char* const kFound = "foundLine";

// The outline and background a text box shows: red on pink while a save refuses it, on yellow while it is the
// line "Aller à la ville…" found.
void styleBox(QLineEdit* box)
{
    const bool refused = box->property(kRefused).toBool();
    const bool found = box->property(kFound).toBool();
    QString style = refused ? QStringLiteral("QLineEdit { border: 1px solid #FF0000; padding: 0px; ")
                            : QStringLiteral("QLineEdit { border: 1px solid #000000; padding: 0px; ");
    if (found)
        style += QStringLiteral("background: #FFFF80; ");
    else if (refused)
        style += QStringLiteral("background: #FFE0E0; ");
    box->setStyleSheet(style + u'}');
}

} // namespace

void markBox(QLineEdit* box, bool marked, const QString& why)
{
    if (isBoxMarked(box) == marked)
        return;
    box->setProperty(kRefused, marked);
    styleBox(box);
    box->setAccessibleDescription(marked ? why : QString());
}

bool isBoxMarked(const QLineEdit* box)
{
    return box->property(kRefused).toBool();
}

namespace {

void setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

// A column heading, drawn as the design draws it, a text box; read as the label it is: no cursor, selection or
// menu of its own, not a stop of Tab, static text for screen readers.
class Heading : public QLineEdit
{
    Q_OBJECT

public:
    explicit Heading(QWidget* parent) : QLineEdit(parent)
    {
        static const bool installed = [] {
            QAccessible::installFactory([](const QString& className, QObject* object) -> QAccessibleInterface* {
                if (className != QLatin1String("Heading"))
                    return nullptr;
                return new AccessibleHeading(static_cast<Heading*>(object));
            });
            return true;
        }();
        Q_UNUSED(installed);
        setAlignment(Qt::AlignCenter);
        setFrame(false);
        setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid #000000; padding: 0px; }"));
        setReadOnly(true);
        setFocusPolicy(Qt::NoFocus);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setContextMenuPolicy(Qt::NoContextMenu);
    }

private:
    class AccessibleHeading : public QAccessibleWidget
    {
    public:
        explicit AccessibleHeading(Heading* heading) : QAccessibleWidget(heading, QAccessible::StaticText) {}
        QString text(QAccessible::Text kind) const override
        {
            return kind == QAccessible::Name ? static_cast<const QLineEdit*>(object())->text()
                                             : QAccessibleWidget::text(kind);
        }
    };
};

QCheckBox* makeMark(QWidget* parent, const QString& name, const QRect& geometry)
{
    auto* mark = new QCheckBox(parent);
    mark->setObjectName(name);
    mark->setGeometry(geometry);
    mark->setToolTip(QStringLiteral("Cochez pour repérer plus facilement cette ville."));
    mark->setAttribute(Qt::WA_NoMousePropagation);
    return mark;
}

} // namespace

CityEditor::CityEditor(QWidget* panel, const Clock& clock)
    : Frame(panel, QStringLiteral("Frame2"), false), m_clock(clock)
{
    setGeometry(twipsRect(5250, 30, 8925, 6885));
    using namespace editor;
    const int top = editor::top(0);
    m_winterTemplate =
        makeTextBox(this, QStringLiteral("THiver_0"), twipsRect(kWinterLeft, top, kOffsetWidth, kBoxHeight));
    m_winterTemplate->setToolTip(QStringLiteral("Décalage en hiver (de novembre à mars)"));
    m_summerTemplate =
        makeTextBox(this, QStringLiteral("TEte_0"), twipsRect(kSummerLeft, top, kOffsetWidth, kBoxHeight));
    m_summerTemplate->setToolTip(QStringLiteral("Décalage en été (de mars à octobre)"));
    m_nameTemplate = makeTextBox(this, QStringLiteral("Tvil_0"), twipsRect(kNameLeft, top, kNameWidth, kBoxHeight));
    setTextColour(m_nameTemplate, look::kDarkBlue);

    // The column headers, at the place the panel's opening gives them (Top 30).
    m_headers = new Frame(this, QStringLiteral("Frame3"), false);
    m_headers->setGeometry(twipsRect(kNameLeft, 30, 2610, 675));
    auto* heading = new Label(m_headers, QStringLiteral("Label7"));
    heading->setGeometry(twipsRect(1485, 90, 1065, 570));
    heading->setTextColor(palette().color(QPalette::Text));
    heading->setCaption(QStringLiteral("Décalage TU"));
    heading->setBoxed(palette().color(QPalette::Base));
    heading->setHorizontalAlignment(Qt::AlignHCenter);
    auto header = [this](const QString& name, const QRect& geometry, const QString& text, const QColor& colour) {
        auto* box = new Heading(m_headers);
        box->setObjectName(name);
        box->setGeometry(geometry);
        box->setFont(look::sans(12, true));
        box->setText(text);
        setTextColour(box, colour);
        return box;
    };
    header(QStringLiteral("g1_1"), twipsRect(0, 330, 1470, 330), QStringLiteral("Ville"), look::kBlue);
    header(QStringLiteral("g2_1"), twipsRect(1485, 330, 525, 330), QStringLiteral("Eté"), look::kBlack);
    QLineEdit* winter =
        header(QStringLiteral("g3_1"), twipsRect(2025, 330, 525, 330), QStringLiteral("Hiver"), look::kRed);
    // Red on white reads at 4:1; the high-contrast look darkens it.
    look::followContrast(winter, [winter] { setTextColour(winter, look::winterColour()); });

    m_markTemplate = makeMark(this, QStringLiteral("Pref_0"), twipsRect(2565, top, kMarkSize, kMarkSize));
    for (QWidget* model :
         std::initializer_list<QWidget*>{m_winterTemplate, m_summerTemplate, m_nameTemplate, m_markTemplate})
        model->hide();
}

void CityEditor::fill(const QList<EditorLine>& lines)
{
    for (int i = 1; i <= kCityRows; ++i) {
        createLine(i);
        setLine(m_lines.last(), lines.value(i - 1));
    }
}

QList<QWidget*> CityEditor::focusChain() const
{
    QList<QWidget*> chain;
    for (const Line& line : m_lines)
        chain << line.name << line.summer << line.winter << line.mark;
    return chain;
}

void CityEditor::createLine(int i)
{
    using namespace editor;
    const int left = groupLeft(i);
    const int top = editor::top(i);
    auto copyTextBox = [this, i, top](const QLineEdit* model, const QString& name, int boxLeft, int width,
                                      const QColor& colour) {
        QLineEdit* box = makeTextBox(this, name.arg(i), twipsRect(boxLeft, top, width, kBoxHeight));
        box->setFont(model->font());
        box->setAlignment(model->alignment());
        box->setToolTip(model->toolTip());
        box->setMouseTracking(true);
        setTextColour(box, colour);
        return box;
    };
    Line line;
    line.name = copyTextBox(m_nameTemplate, QStringLiteral("Tvil_%1"), left + kNameLeft, kNameWidth, look::kBlue);
    line.summer =
        copyTextBox(m_summerTemplate, QStringLiteral("TEte_%1"), left + kSummerLeft, kOffsetWidth, look::kBlack);
    line.winter =
        copyTextBox(m_winterTemplate, QStringLiteral("THiver_%1"), left + kWinterLeft, kOffsetWidth, look::kRed);
    look::followContrast(line.winter, [box = line.winter] { setTextColour(box, look::winterColour()); });
    line.mark = makeMark(this, QStringLiteral("Pref_%1").arg(i),
                         twipsRect(left + kNameLeft - kMarkBeforeName, top, kMarkSize, kMarkSize));

    connect(line.name, &QLineEdit::textChanged, this, [this, i] { nameChanged(i); });
    connect(line.name, &QLineEdit::textEdited, this, [this, i](const QString& typed) { offerCities(i, typed); });
    connect(line.summer, &QLineEdit::textChanged, this, [this, i] { summerChanged(i); });
    connect(line.winter, &QLineEdit::textChanged, this, [this, i] { winterChanged(i); });
    // Offsets typed by the user are the city's own: it no longer follows a zone.
    for (QLineEdit* offset : {line.summer, line.winter})
        connect(offset, &QLineEdit::textEdited, this, [this, i] { m_lines[i - 1].zone.clear(); });
    connect(line.mark, &QCheckBox::toggled, this, &CityEditor::changed);
    const std::pair<QWidget*, Column> columns[] = {
        {line.name, NameColumn}, {line.summer, SummerColumn}, {line.winter, WinterColumn}, {line.mark, MarkColumn}};
    for (const auto& [control, column] : columns) {
        control->setProperty("editorLine", i);
        control->setProperty("editorColumn", int(column));
        control->installEventFilter(this);
    }

    // Tab runs down each column group: name, summer, winter, mark, then the next line.
    QWidget* previous = m_lines.isEmpty() ? nullptr : m_lines.last().mark;
    for (QWidget* control : std::initializer_list<QWidget*>{line.name, line.summer, line.winter, line.mark}) {
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
        control->show();
    }
    m_lines.append(line);
    describeLine(i);
}

void CityEditor::clear()
{
    m_found = 0;
    frameMark(nullptr);
    for (const Line& line : std::as_const(m_lines)) {
        for (QWidget* control : std::initializer_list<QWidget*>{line.name, line.summer, line.winter, line.mark}) {
            control->disconnect(this);
            delete control;
        }
    }
    m_lines.clear();
}

QList<EditorLine> CityEditor::lines() const
{
    QList<EditorLine> lines;
    for (const Line& line : m_lines)
        lines.append({line.name->text(), line.summer->text(), line.winter->text(), line.mark->isChecked(), line.zone});
    return lines;
}

void CityEditor::setLines(const QList<EditorLine>& lines)
{
    for (int i = 0; i < m_lines.size() && i < lines.size(); ++i)
        setLine(m_lines[i], lines[i]);
}

void CityEditor::markLines(const QList<int>& lines)
{
    for (int i = 1; i <= m_lines.size(); ++i)
        flagLine(i, lines.contains(i));
    if (!lines.isEmpty() && lines.first() <= m_lines.size())
        m_lines[lines.first() - 1].name->setFocus(Qt::OtherFocusReason);
}

bool CityEditor::markOffsets(const QList<EntryRefusal>& refusals)
{
    const QString why = QStringLiteral("À corriger avant d'enregistrer : un nombre d'heures de -12 à +14");
    QLineEdit* first = nullptr;
    for (int i = 1; i <= m_lines.size(); ++i) {
        const Line& line = m_lines[i - 1];
        const std::pair<QLineEdit*, EntryRefusal::Kind> boxes[] = {{line.summer, EntryRefusal::SummerOffset},
                                                                   {line.winter, EntryRefusal::WinterOffset}};
        for (const auto& [box, kind] : boxes) {
            const bool refused = std::any_of(refusals.begin(), refusals.end(), [i, kind = kind](const EntryRefusal& r) {
                return r.line == i && r.kind == kind;
            });
            markBox(box, refused, why);
            if (refused && !first)
                first = box;
        }
    }
    if (first)
        first->setFocus(Qt::OtherFocusReason);
    return first;
}

void CityEditor::flagLine(int i, bool flagged)
{
    Line& line = m_lines[i - 1];
    if (line.flagged == flagged)
        return;
    line.flagged = flagged;
    markBox(line.name, flagged, QStringLiteral("À renommer avant d'enregistrer"));
}

void CityEditor::setLine(Line& line, const EditorLine& values)
{
    line.zone = values.zone;
    const std::pair<QLineEdit*, const QString*> texts[] = {
        {line.name, &values.name}, {line.summer, &values.summer}, {line.winter, &values.winter}};
    for (const auto& [box, text] : texts) {
        box->setText(*text);
        box->home(false); // a long name shows its beginning
    }
    line.mark->setChecked(values.marked);
}

namespace {

void replaceCommas(QLineEdit* box)
{
    if (!box->text().contains(QLatin1Char(',')))
        return;
    // Same length, so the cursor can stay where the user is typing.
    const int cursor = box->cursorPosition();
    box->setText(box->text().replace(QLatin1Char(','), QLatin1Char('.')));
    box->setCursorPosition(cursor);
}

// Whether a text box shows its whole text: within its one-pixel outline and Qt's own margin of two pixels,
// the text and one more pixel for the cursor.
bool showsWhole(const QLineEdit* box)
{
    return box->fontMetrics().horizontalAdvance(box->text()) + 1 <= box->width() - 2 * (1 + 2);
}

} // namespace

void CityEditor::nameChanged(int i)
{
    flagLine(i, false);
    describeLine(i);
    emit changed();
}

void CityEditor::describeLine(int i)
{
    const Line& line = m_lines[i - 1];
    const QString name = line.name->text();
    setWholeTextTip(line.name, showsWhole(line.name) ? QString() : name);
    // "Paris, décalage été": the city and the column, or the line's number while it has no name.
    QString city = spokenName(name);
    if (city.isEmpty())
        city = QStringLiteral("Ligne %1").arg(i);
    line.name->setAccessibleName(city + QStringLiteral(", nom"));
    line.summer->setAccessibleName(city + QStringLiteral(", décalage été"));
    line.winter->setAccessibleName(city + QStringLiteral(", décalage hiver"));
    line.mark->setAccessibleName(city + QStringLiteral(", repérée"));
}

void CityEditor::summerChanged(int i)
{
    flagLine(i, false);
    markBox(m_lines[i - 1].summer, false);
    replaceCommas(m_lines[i - 1].summer);
    emit changed();
}

void CityEditor::winterChanged(int i)
{
    flagLine(i, false);
    markBox(m_lines[i - 1].winter, false);
    replaceCommas(m_lines[i - 1].winter);
    emit changed();
}

void CityEditor::moveHeadersOver(int i)
{
    m_headers->move(m_lines[i - 1].name->x(), m_headers->y());
}

void CityEditor::offerCities(int i, const QString& typed)
{
    QLineEdit* box = m_lines[i - 1].name;
    auto* completer = qobject_cast<CityCompleter*>(box->completer());
    if (!completer) {
        completer = new CityCompleter(box);
        connect(completer, &CityCompleter::cityChosen, this,
                [this, i](const QString& name, const QString& zone) { chooseCity(i, name, zone); });
    }
    completer->offer(typed, m_clock.now().universal);
}

void CityEditor::chooseCity(int i, const QString& name, const QString& zone)
{
    Line& line = m_lines[i - 1];
    const SeasonOffsets offsets = seasonOffsets(zoneOf(zone), m_clock.now().local.date().year());
    line.name->setText(name);
    line.summer->setText(shortestOffsetText(offsets.summer));
    line.winter->setText(shortestOffsetText(offsets.winter));
    line.zone = zone;
}

int CityEditor::lineOf(const QObject* control) const
{
    const int line = control ? control->property("editorLine").toInt() : 0;
    return line >= 1 && line <= m_lines.size() ? line : 0;
}

int CityEditor::columnOf(const QObject* control) const
{
    return lineOf(control) ? control->property("editorColumn").toInt() : -1;
}

int CityEditor::findLine(const QString& typed) const
{
    const QString folded = foldForSearch(typed).trimmed();
    if (folded.isEmpty())
        return 0;
    int wordMatch = 0;
    for (int i = 1; i <= m_lines.size(); ++i) {
        const QString name = foldForSearch(m_lines[i - 1].name->text()).trimmed();
        if (name.startsWith(folded))
            return i;
        if (!wordMatch && name.contains(u' ' + folded))
            wordMatch = i;
    }
    return wordMatch;
}

void CityEditor::showFound(int line)
{
    line = line >= 1 && line <= m_lines.size() ? line : 0;
    if (line == m_found)
        return;
    for (int i : {m_found, line}) {
        if (i == 0)
            continue;
        QLineEdit* name = m_lines[i - 1].name;
        name->setProperty(kFound, i == line);
        styleBox(name);
    }
    m_found = line;
}

void CityEditor::goToLine(int line, Column column)
{
    if (line < 1 || line > m_lines.size())
        return;
    const Line& target = m_lines[line - 1];
    QWidget* const controls[] = {target.name, target.summer, target.winter, target.mark};
    controls[column]->setFocus(Qt::TabFocusReason);
}

int CityEditor::lineForKey(const QKeyEvent* event, int from) const
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const int last = int(m_lines.size());
    if (modifiers == Qt::NoModifier) {
        switch (event->key()) {
        case Qt::Key_Up:
            return std::max(from - 1, 1);
        case Qt::Key_Down:
            return std::min(from + 1, last);
        case Qt::Key_PageUp:
            return std::max(from - 10, 1);
        case Qt::Key_PageDown:
            return std::min(from + 10, last);
        default:
            return 0;
        }
    }
    if (modifiers == Qt::ControlModifier && event->key() == Qt::Key_Home)
        return 1;
    if (modifiers == Qt::ControlModifier && event->key() == Qt::Key_End)
        return last;
    return 0;
}

QRect CityEditor::markFrameRect(const QCheckBox* mark) const
{
    QStyleOptionButton option;
    option.initFrom(mark);
    const QRect box = mark->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, mark);
    // Two pixels of black around the box, within the room the line leaves it: a pixel short of the name's box.
    return box.translated(mark->pos()).adjusted(-2, -2, 2, 2);
}

void CityEditor::frameMark(QCheckBox* mark)
{
    if (mark == m_framed)
        return;
    if (m_framed)
        update(markFrameRect(m_framed));
    m_framed = mark;
    if (m_framed)
        update(markFrameRect(m_framed));
}

void CityEditor::paintEvent(QPaintEvent* event)
{
    Frame::paintEvent(event);
    if (!m_framed)
        return;
    // Beneath the mark, which draws only its box: the frame shows around it.
    QPainter painter(this);
    const QRect frame = markFrameRect(m_framed);
    constexpr int kWidth = 2;
    painter.fillRect(QRect(frame.left(), frame.top(), frame.width(), kWidth), Qt::black);
    painter.fillRect(QRect(frame.left(), frame.bottom() - kWidth + 1, frame.width(), kWidth), Qt::black);
    painter.fillRect(QRect(frame.left(), frame.top(), kWidth, frame.height()), Qt::black);
    painter.fillRect(QRect(frame.right() - kWidth + 1, frame.top(), kWidth, frame.height()), Qt::black);
}

bool CityEditor::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        break;
    default:
        return Frame::eventFilter(watched, event); // the many others, without looking the line up
    }
    const int line = lineOf(watched);
    const int column = line ? watched->property("editorColumn").toInt() : -1;
    auto* mark = column == MarkColumn ? static_cast<QCheckBox*>(watched) : nullptr;
    switch (event->type()) {
    case QEvent::MouseMove:
        if (line && !mark)
            moveHeadersOver(line);
        break;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (!line)
            break;
        if (mark) {
            m_marksByKeys = true;
            frameMark(mark);
        }
        if (const int to = lineForKey(key, line)) {
            goToLine(to, Column(column));
            return true;
        }
        // A letter on a mark types nothing: it looks for a city, as it would on the clock.
        const QString text = key->text();
        if (mark && !text.isEmpty() && text.front().isLetter() &&
            (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) == 0) {
            emit findRequested(text);
            return true;
        }
        break;
    }
    case QEvent::MouseButtonPress:
        if (mark) {
            m_marksByKeys = false;
            frameMark(nullptr);
        }
        break;
    case QEvent::FocusIn:
        if (mark) {
            // The frame shows the keys' place after keyboard use, never after the mouse's alone; coming back
            // to the window or from a popup changes nothing.
            switch (static_cast<QFocusEvent*>(event)->reason()) {
            case Qt::MouseFocusReason:
                m_marksByKeys = false;
                break;
            case Qt::ActiveWindowFocusReason:
            case Qt::PopupFocusReason:
                break;
            default:
                m_marksByKeys = true;
            }
            frameMark(m_marksByKeys ? mark : nullptr);
        }
        break;
    case QEvent::FocusOut:
        if (mark == m_framed)
            frameMark(nullptr);
        break;
    default:
        break;
    }
    return Frame::eventFilter(watched, event);
}

#include "cityeditor.moc"
