#include "configpanel.h"

#include <QApplication>
#include <QCollator>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QShortcut>
#include <algorithm>

#include "config/cityeditor.h"
#include "config/linefinder.h"
#include "data/cityfile.h"
#include "data/locations.h"
#include "data/messages.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "rows/clockrow.h"
#include "rows/geometry.h"
#include "save/citylist.h"
#include "save/save.h"
#include "time/timerules.h"
#include "time/zones.h"
#include "ui/look.h"

using look::twipsRect;

QString editorHelpText()
{
    return QStringLiteral(
        "Vous pouvez modifier dans l'écran de droite les villes affichées, en connaissant les décalages avec TU "
        "en été et en hiver.\r\n"
        "Les villes sélectionnées seront colorées dans l'écran principal pour mieux les retrouver.\r\n"
        "A l'enregistrement les villes seront triées automatiquement.");
}

namespace {

const QString kLongDate = QStringLiteral("dddd dd MMM yyyy");

Label* makeLabel(QWidget* parent, const QString& name, const QRect& geometry, const QString& text, const QFont& font,
                 const QColor& colour = look::kBlack)
{
    auto* label = new Label(parent, name);
    label->setFont(font);
    label->setGeometry(geometry);
    label->setTextColor(colour);
    label->setCaption(text);
    return label;
}

// A date or message box: filled with the window's background, outlined, text centred.
Label* makeBox(QWidget* parent, const QString& name, const QRect& geometry, const QFont& font, const QColor& colour)
{
    Label* label = makeLabel(parent, name, geometry, {}, font, colour);
    label->setBoxed(parent->palette().color(QPalette::Base));
    label->setHorizontalAlignment(Qt::AlignHCenter);
    return label;
}

// A rectangle outline behind the other controls; it takes no mouse events.
class ShapeOutline : public QFrame
{
public:
    ShapeOutline(QWidget* parent, const QString& name, const QRect& geometry, const QColor& outline) : QFrame(parent)
    {
        setObjectName(name);
        setGeometry(geometry);
        setFrameStyle(QFrame::Box | QFrame::Plain);
        QPalette palette = this->palette();
        palette.setColor(QPalette::WindowText, outline);
        setPalette(palette);
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
};

QString unwritableCityFileText(const QString& path, const QString& reason)
{
    return QStringLiteral("Les villes n'ont pas pu être enregistrées dans le fichier %1 (%2).\n\n"
                          "Le fichier n'a pas été modifié. Vos modifications restent dans le panneau de "
                          "configuration : vous pouvez réessayer.")
        .arg(path, reason);
}

QString unsavedPreferencesText(const QString& path, const QString& reason)
{
    return QStringLiteral("Les villes sont enregistrées, mais les villes repérées et les heures de jour et de nuit "
                          "n'ont pas pu être enregistrées dans le fichier %1 (%2). Ce fichier n'a pas été modifié : "
                          "vos choix restent dans le panneau de configuration, vous pouvez réessayer.")
        .arg(path, reason);
}

} // namespace

ConfigPanel::ConfigPanel(QWidget* window, const Clock& clock, Dialogs& dialogs, const QString& cityFolder,
                         const QString& settingsFile)
    : Frame(window, QStringLiteral("Frame1"), true), m_clock(clock), m_dialogs(dialogs), m_cityFolder(cityFolder),
      m_settingsFile(settingsFile)
{
    // At the place start-up gives it (Left 210).
    setGeometry(twipsRect(210, 180, 14310, 7635));
    hide();
    setFocusPolicy(Qt::ClickFocus);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && now != this && isAncestorOf(now))
            m_lastFocus = now;
    });
    // Ctrl+S acts as "OK" anywhere in the panel, as Enter does.
    auto* save = new QShortcut(QKeySequence::Save, this, this, [this] { confirmAndClose(); });
    save->setContext(Qt::WidgetWithChildrenShortcut);
    save->setAutoRepeat(false);
    const QFont small = look::sans(11);
    const QFont boxed = look::sans(15);
    const QColor text = palette().color(QPalette::Text);

    // Back to front.
    m_okButton.picture = new Picture(this, QStringLiteral("btn_4"));
    m_okButton.picture->setTwipsGeometry(12570, 7140, 1560, 360);
    m_okButton.picture->setPicture(look::picture(QStringLiteral("btnoff.gif")));
    m_seasonMessage =
        makeBox(this, QStringLiteral("Label"), twipsRect(150, 2070, 3675, 615), look::sans(13, true), look::kDarkBlue);
    m_winterStart = makeBox(this, QStringLiteral("Label4"), twipsRect(150, 1605, 3675, 330), boxed, text);
    makeLabel(this, QStringLiteral("Label3"), twipsRect(150, 1395, 3015, 270),
              QStringLiteral("Date de passage à l'heure d'hiver"), small);
    m_summerStart = makeBox(this, QStringLiteral("Label2"), twipsRect(150, 915, 3675, 330), boxed, text);
    makeLabel(this, QStringLiteral("Label1"), twipsRect(150, 690, 3015, 270),
              QStringLiteral("Date de passage à l'heure d'été"), small);
    makeLabel(this, QStringLiteral("Label6"), twipsRect(150, 60, 3015, 270), QStringLiteral("Nous sommes le:"), small);
    m_today = makeBox(this, QStringLiteral("Label5"), twipsRect(135, 270, 3675, 330), boxed, look::kMaroon);
    m_okButton.caption = makeLabel(this, QStringLiteral("LabBTN_4"), twipsRect(12750, 7215, 1200, 360),
                                   QStringLiteral("OK"), look::defaultFont());
    m_okButton.caption->setHorizontalAlignment(Qt::AlignHCenter);
    // The picture, and the caption in front of it, run "OK".
    connect(m_okButton.picture, &Picture::clicked, this, [this] { confirmAndClose(); });
    connect(m_okButton.caption, &Label::clicked, this, [this] { confirmAndClose(); });
    m_help =
        makeLabel(this, QStringLiteral("Label11"), twipsRect(240, 5070, 4710, 2400), {}, look::sans(16), look::kMaroon);

    // Child windows, above every drawn control.
    m_editor = new CityEditor(this, m_clock);
    connect(m_editor, &CityEditor::changed, this, [this] { m_modified = true; });
    connect(m_editor, &Frame::pressed, this, &Frame::pressed);
    connect(m_editor, &CityEditor::findRequested, this, &ConfigPanel::findCity);
    buildHours();

    m_finder = new LineFinder(this);
    connect(m_finder, &LineFinder::textChanged, this, [this](const QString& text) {
        const int line = m_editor->findLine(text);
        m_editor->showFound(line);
        m_finder->showResult(line, line ? m_editor->lines()[line - 1].name : QString());
    });
    connect(m_finder, &LineFinder::accepted, this, &ConfigPanel::goToFound);
    connect(m_finder, &LineFinder::cancelled, this, &ConfigPanel::leaveFinder);
    connect(m_finder, &LineFinder::closed, this, [this] { m_editor->showFound(0); });
}

ConfigPanel::~ConfigPanel()
{
    // QWidget's destructor hands the keys on, and the application says so: no longer to this half-made panel.
    disconnect(qApp, nullptr, this, nullptr);
}

void ConfigPanel::buildHours()
{
    auto* hours = new Frame(this, QStringLiteral("Frame4"), true);
    hours->setGeometry(twipsRect(1530, 2970, 2190, 1935));
    new ShapeOutline(hours, QStringLiteral("Shape4"), twipsRect(0, 0, 2115, 1845), QColor(0x40, 0x40, 0x40));
    const QFont font = look::defaultFont();
    makeLabel(hours, QStringLiteral("Label9_0"), twipsRect(990, 135, 990, 195), QStringLiteral("Heure de Nuit"), font)
        ->setAutoSize(true);
    m_nightFace = new Picture(hours, QStringLiteral("Nuit"));
    m_nightFace->setTwipsGeometry(195, 180, grid::kFaceSize, grid::kFaceSize);
    // "A partir de..." needs 60 pixels of the bundled font: two more than designed, taken on the left so that
    // the text ends where it did.
    makeLabel(hours, QStringLiteral("Label9_5"), twipsRect(960, 1200, 900, 210), QStringLiteral("A partir de..."), font)
        ->setHorizontalAlignment(Qt::AlignRight);
    makeLabel(hours, QStringLiteral("Label9_4"), twipsRect(1545, 1530, 180, 210), QStringLiteral("h"), font);
    makeLabel(hours, QStringLiteral("Label9_2"), twipsRect(960, 330, 900, 210), QStringLiteral("A partir de..."), font)
        ->setHorizontalAlignment(Qt::AlignRight);
    makeLabel(hours, QStringLiteral("Label9_3"), twipsRect(1545, 645, 180, 210), QStringLiteral("h"), font);
    makeLabel(hours, QStringLiteral("Label9_1"), twipsRect(990, 1005, 1005, 195), QStringLiteral("Heure de Jour"), font)
        ->setAutoSize(true);
    m_dayFace = new Picture(hours, QStringLiteral("Jour"));
    m_dayFace->setTwipsGeometry(195, 1020, grid::kFaceSize, grid::kFaceSize);
    // The faces and hands of the look in force, as the clocks show them.
    look::followContrast(this, [this] {
        for (auto [face, kind] : {std::pair{m_nightFace, Face::Night}, std::pair{m_dayFace, Face::Day}}) {
            face->setPicture(look::facePicture(kind));
            const HandColours colours = handColours(kind, look::contrast());
            face->setHandColours(look::toColor(colours.minute), look::toColor(colours.hour));
        }
    });

    m_dayHour = makeTextBox(hours, QStringLiteral("Text2"), twipsRect(990, 1425, 525, 285));
    m_dayHour->setAccessibleName(QStringLiteral("Heure de jour"));
    m_nightHour = makeTextBox(hours, QStringLiteral("Text1"), twipsRect(990, 570, 525, 285));
    m_nightHour->setAccessibleName(QStringLiteral("Heure de nuit"));
    // Commas stay as typed in the hour boxes.
    for (QLineEdit* box : {m_nightHour, m_dayHour})
        connect(box, &QLineEdit::textChanged, this, [this, box] {
            m_modified = true;
            markBox(box, false);
        });
}

void ConfigPanel::setToday(const QDate& today)
{
    m_today->setCaption(QLocale().toString(today, kLongDate));
}

void ConfigPanel::setSeasonMessage(const QString& message)
{
    m_seasonMessage->setCaption(message);
}

void ConfigPanel::showPreviewTime(const QTime& time)
{
    for (Picture* face : {m_nightFace, m_dayFace})
        face->setHands(handsAt(time));
}

void ConfigPanel::open(const Configuration& config)
{
    if (isVisible()) {
        confirmAndClose();
        return;
    }
    m_config = config;
    m_help->setCaption(editorHelpText());
    const int year = m_clock.now().local.date().year();
    m_summerStart->setCaption(QLocale().toString(summerStart(year), kLongDate));
    m_winterStart->setCaption(QLocale().toString(winterStart(year), kLongDate));
    m_nightHour->setText(QString::number(config.hours.night));
    m_dayHour->setText(QString::number(config.hours.day));

    if (!config.hasList()) {
        m_dialogs.inform(window(), unreadCityFileTitle(config.list.status),
                         unreadCityFileText(m_cityFolder, config.list), DialogIcon::Warning);
    } else {
        QList<EditorLine> lines;
        for (int i = 1; i <= kCityRows; ++i) {
            const CityRecord record = config.list.rows.value(i - 1).record;
            lines.append({record.name, record.summer, record.winter, config.marks[i], config.zones.value(i - 1)});
        }
        m_editor->fill(lines);
        m_modified = false;
    }
    // Tab follows the lines, then the hours, then "OK".
    const QList<QWidget*> stops = tabStops();
    for (qsizetype i = 1; i < stops.size(); ++i)
        QWidget::setTabOrder(stops[i - 1], stops[i]);
    show();
    QWidget* first = stops.first();
    first->setFocus(Qt::TabFocusReason);
    if (auto* box = qobject_cast<QLineEdit*>(first))
        box->selectAll(); // typing replaces the name, as after a Tab
}

QList<QWidget*> ConfigPanel::tabStops() const
{
    QList<QWidget*> stops = m_editor->focusChain();
    stops << m_nightHour << m_dayHour << m_okButton.picture;
    return stops;
}

bool ConfigPanel::moveFocus(bool next)
{
    QWidget* focus = window()->focusWidget();
    QWidget* to = focus && isAncestorOf(focus)
                      ? nextTabStop(focus, next, [this](const QWidget* control) { return isAncestorOf(control); })
                      : (next ? tabStops().first() : tabStops().last());
    if (to)
        to->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void ConfigPanel::focusInEvent(QFocusEvent* event)
{
    Frame::focusInEvent(event);
    QWidget* back = m_lastFocus && m_lastFocus->isVisible() ? m_lastFocus.data() : tabStops().first();
    back->setFocus(event->reason());
}

bool ConfigPanel::focusNextPrevChild(bool next)
{
    // Hidden, the panel leaves the focus to the window.
    return isVisible() ? moveFocus(next) : Frame::focusNextPrevChild(next);
}

bool ConfigPanel::confirmAndClose()
{
    // Pressed again while its question waits (a screen reader's press is not held back by the question).
    if (m_asking)
        return false;
    if (m_modified) {
        m_asking = true;
        emit askingChanged(true);
        // Escape leaves the question with every edit kept, as the panel was.
        const std::optional<bool> answer = m_dialogs.askYesNoOrBack(
            window(), QStringLiteral("Horlune"), QStringLiteral("Enregistrer les modifications"), DialogIcon::Question);
        const bool closing = answer && (!*answer || save());
        m_asking = false;
        emit askingChanged(false);
        if (!closing)
            return false;
    }
    // The keys go to the window before their box disappears, rather than on to the next control Qt finds.
    if (isAncestorOf(window()->focusWidget()))
        parentWidget()->setFocus(Qt::OtherFocusReason);
    m_finder->close();
    hide();
    m_editor->clear();
    emit closed();
    return true;
}

bool ConfigPanel::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Find)) {
        event->accept();
        return true;
    }
    return Frame::event(event);
}

void ConfigPanel::findCity(const QString& typed)
{
    if (m_editor->lineCount() == 0 || m_asking)
        return;
    if (m_finder->isVisible()) {
        m_finder->box()->selectAll(); // Ctrl+F again: a new text replaces the last
        return;
    }
    QWidget* focus = window()->focusWidget();
    m_findFrom = focus && isAncestorOf(focus) ? focus : nullptr;
    m_finder->open(typed);
}

void ConfigPanel::goToFound()
{
    const int line = m_editor->foundLine();
    if (line == 0) {
        // Nothing to go to: an empty box goes back, a text that finds no city stays to be corrected.
        if (m_finder->box()->text().trimmed().isEmpty())
            leaveFinder();
        return;
    }
    const int column = m_editor->columnOf(m_findFrom);
    m_editor->goToLine(line, column >= 0 ? CityEditor::Column(column) : CityEditor::NameColumn);
}

void ConfigPanel::leaveFinder()
{
    QWidget* back = m_findFrom && m_findFrom->isVisible() ? m_findFrom.data() : tabStops().first();
    back->setFocus(Qt::OtherFocusReason);
    m_finder->close();
}

void ConfigPanel::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Find)) {
        findCity(QString());
        return;
    }
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        if (!event->isAutoRepeat())
            confirmAndClose();
        return;
    default:
        Frame::keyPressEvent(event);
    }
}

bool ConfigPanel::save()
{
    // With no lines (the list could not be read) there is nothing to save.
    if (m_editor->lineCount() == 0)
        return true;
    if (!checkEntries())
        return false;
    const QDate today = m_clock.now().local.date();
    const SavePlan plan = planSave(m_editor->lines(), m_cityFolder, m_config.list.fingerprint, today);
    if (const QString refusal = saveRefusal(plan); !refusal.isEmpty()) {
        m_dialogs.inform(window(), QStringLiteral("Horlune"), refusal, DialogIcon::Warning);
        m_editor->markLines(clashingLines(plan));
        return false;
    }
    if (!askBeforeSaving(plan))
        return false; // back to the panel as the user left it
    m_editor->setLines(plan.lines);
    const std::optional<DayHours> hours = acceptedHours(m_nightHour->text(), m_dayHour->text());
    const SaveOutcome outcome = commitSave(plan, hours, m_cityFolder, m_settingsFile);
    switch (outcome.step) {
    case SaveOutcome::ZonesNotWritten:
    case SaveOutcome::ListNotWritten:
        m_dialogs.inform(window(), QStringLiteral("Horlune"), unwritableCityFileText(outcome.path, outcome.reason),
                         DialogIcon::Critical);
        return false;
    case SaveOutcome::SettingsNotWritten:
        m_config = configurationAfterSave(m_config, plan, outcome, hours);
        emit saved(m_config);
        // The cities are saved; the marks and hours stay in the panel, to be saved again.
        m_dialogs.inform(window(), QStringLiteral("Horlune"), unsavedPreferencesText(outcome.path, outcome.reason),
                         DialogIcon::Warning);
        return false;
    case SaveOutcome::Saved:
        break;
    }
    m_config = configurationAfterSave(m_config, plan, outcome, hours);
    emit saved(m_config);
    return true;
}

bool ConfigPanel::checkEntries()
{
    const QList<EditorLine> lines = m_editor->lines();
    const QList<EntryRefusal> refusals = entryRefusals(lines, m_nightHour->text(), m_dayHour->text());
    if (!refusals.isEmpty())
        m_dialogs.inform(window(), QStringLiteral("Horlune"), entryRefusalText(refusals, lines), DialogIcon::Warning);
    // Marked once the message is gone, so that the keys stay in the first box marked.
    const auto refused = [&refusals](std::initializer_list<EntryRefusal::Kind> kinds) {
        return std::any_of(refusals.begin(), refusals.end(), [kinds](const EntryRefusal& refusal) {
            return std::find(kinds.begin(), kinds.end(), refusal.kind) != kinds.end();
        });
    };
    const QString why = QStringLiteral("À corriger avant d'enregistrer : une heure entière de 0 à 24, la nuit après "
                                       "le jour");
    markBox(m_nightHour, refused({EntryRefusal::NightHour, EntryRefusal::NightNotAfterDay}), why);
    markBox(m_dayHour, refused({EntryRefusal::DayHour}), why);
    if (!m_editor->markOffsets(refusals)) {
        if (isBoxMarked(m_nightHour))
            m_nightHour->setFocus(Qt::OtherFocusReason);
        else if (isBoxMarked(m_dayHour))
            m_dayHour->setFocus(Qt::OtherFocusReason);
    }
    return refusals.isEmpty();
}

bool ConfigPanel::askBeforeSaving(const SavePlan& plan)
{
    for (const QString& question : saveQuestions(plan)) {
        if (!m_dialogs.askYesNo(window(), QStringLiteral("Horlune"), question, DialogIcon::Question))
            return false;
    }
    return true;
}
