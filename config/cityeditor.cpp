#include "cityeditor.h"

#include <QCheckBox>
#include <QEvent>
#include <QLineEdit>

#include "data/cityfile.h"
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

void setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

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
        QLineEdit* box = makeTextBox(m_headers, name, geometry);
        box->setFont(look::sans(12, true));
        box->setText(text);
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::NoFocus); // a heading: Tab goes from line to line
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
    for (QLineEdit* box : {line.name, line.summer, line.winter}) {
        box->setProperty("editorLine", i);
        box->installEventFilter(this);
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

void CityEditor::flagLine(int i, bool flagged)
{
    Line& line = m_lines[i - 1];
    if (line.flagged == flagged)
        return;
    line.flagged = flagged;
    line.name->setStyleSheet(flagged ? QStringLiteral("QLineEdit { border: 1px solid #FF0000; padding: 0px; "
                                                      "background: #FFE0E0; }")
                                     : QStringLiteral("QLineEdit { border: 1px solid #000000; padding: 0px; }"));
    line.name->setAccessibleDescription(flagged ? QStringLiteral("À renommer avant d'enregistrer") : QString());
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
    replaceCommas(m_lines[i - 1].summer);
    emit changed();
}

void CityEditor::winterChanged(int i)
{
    flagLine(i, false);
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

bool CityEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove) {
        const QVariant line = watched->property("editorLine");
        if (line.isValid())
            moveHeadersOver(line.toInt());
    }
    return Frame::eventFilter(watched, event);
}
