#include "mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QStandardPaths>
#include <algorithm>

#include "about/aboutwindow.h"
#include "chrome/buttonbar.h"
#include "chrome/pointerdrag.h"
#include "clock/citygrid.h"
#include "config/configpanel.h"
#include "data/cityfile.h"
#include "data/locations.h"
#include "data/messages.h"
#include "data/safefile.h"
#include "data/zonestore.h"
#include "plan/share.h"
#include "rows/geometry.h"
#include "search/citysearch.h"
#include "time/timerules.h"
#include "time/zones.h"
#include "ui/controls.h"
#include "ui/look.h"

using look::twipsRect;

namespace {
// How far past the second's change the timer is aimed, so that a tick never lands just before it.
constexpr int kPastTheSecondMs = 5;

// Around the grid of clocks, clear of the digital clock above it and of the date line's farthest place.
QRect keyFocusFrame()
{
    return twipsRect(150, 750, kMainWidth - 300, 7050);
}
} // namespace

Main::Main(Platform platform, const QString& programDirectory, const QString& cityFolder, const QString& settingsFile,
           QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_platform(platform), m_programDirectory(programDirectory),
      m_cityFolder(cityFolder), m_settingsFile(settingsFile), m_timer(this), m_grid(new CityGrid(platform.clock, this)),
      m_buttons(new ButtonBar(this)), m_drag(new PointerDrag(this))
{
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QStringLiteral("Horlune."));
    setFixedSize(twipsToPixels(kMainWidth), twipsToPixels(kMainHeight));
    setFont(look::defaultFont());
    setWindowIcon(QIcon(look::picture(QStringLiteral("horlune.ico"))));
    setMouseTracking(true);
    // The keys that move the clocks come to the window itself.
    setFocusPolicy(Qt::StrongFocus);
    m_background = look::picture(QStringLiteral("background.bmp"));
    buildControls();
    buildCommands();
    placeWindow();

    // The timer wakes the program once a second, just after the displayed second changes, and is aimed
    // again at each tick from the clock itself: a clock set back or forward, or a machine waking from
    // suspend, only moves the next tick.
    m_timer.setObjectName(QStringLiteral("Timer1"));
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &Main::Timer1_Timer);
    m_placeKeeper.setSingleShot(true);
    m_placeKeeper.setInterval(1000);
    connect(&m_placeKeeper, &QTimer::timeout, this, &Main::rememberWindow);
    connect(m_grid, &CityGrid::pressed, this, &Main::startMove);
    connect(m_grid, &CityGrid::timeRulesChanged, this, &Main::reloadForNewTimeRules);
    connect(m_grid, &CityGrid::universalTimeChanged, m_panel, &ConfigPanel::showPreviewTime);
    connect(m_panel, &ConfigPanel::saved, this, &Main::Form_Load);
    connect(m_panel, &Frame::mouseMoved, m_buttons, &ButtonBar::clearHover);
    connect(m_panel, &Frame::pressed, this, &Main::startMove);
    connect(m_buttons, &ButtonBar::okClicked, m_panel, &ConfigPanel::confirmAndClose);
    // Nothing stays described once the list or the panel has changed under it.
    connect(m_panel, &ConfigPanel::saved, m_grid, &CityGrid::clearHover);
    connect(m_panel, &ConfigPanel::closed, this, [this] {
        m_grid->clearHover();
        // The keys go back where they were; to the clocks rather than a face, which would describe its city.
        QWidget* back = m_focusBeforePanel;
        (back && back->isVisible() && !m_grid->isFace(back) ? back : this)->setFocus(Qt::OtherFocusReason);
    });
    // While the panel's question waits (a modal box keeps the mouse and the keys from the window, not a
    // screen reader's press), no command runs beneath it.
    connect(m_panel, &ConfigPanel::askingChanged, this, [this](bool asking) {
        if (asking) {
            m_menu->close();
            for (QAction* action : actions()) {
                if (action->isEnabled()) {
                    action->setEnabled(false);
                    m_heldCommands.append(action);
                }
            }
            return;
        }
        for (const QPointer<QAction>& action : std::as_const(m_heldCommands)) {
            if (action)
                action->setEnabled(true);
        }
        m_heldCommands.clear();
    });
    // The frame around the clocks goes when the keys leave them.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (m_grid->isFace(now))
            showKeyFocus(true);
        else if (now != this && !m_grid->holdsKeys(now))
            showKeyFocus(false);
    });
}

Main::~Main()
{
    // The widgets' own destructors move the focus: nothing of this window may answer then.
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
    delete m_about;
}

void Main::buildCommands()
{
    auto add = [this](const QString& text, const QKeySequence& keys, auto run) {
        auto* action = new QAction(text, this);
        action->setShortcut(keys);
        action->setAutoRepeat(false);
        connect(action, &QAction::triggered, this, run);
        addAction(action);
        return action;
    };
    // Ctrl+, opens the preferences in GNOME's programs and many others, and the comma is a key of its own
    // on a French keyboard; F2 renames, in French desktops as elsewhere. F1 and Ctrl+Q as everywhere. The
    // picture buttons run the same commands.
    QAction* configuration =
        add(QStringLiteral("Configuration"), QKeySequence(Qt::CTRL | Qt::Key_Comma), &Main::openConfiguration);
    QAction* help = add(QStringLiteral("Aide"), QKeySequence(Qt::Key_F1), &Main::openHelp);
    QAction* about = add(QStringLiteral("A propos"), QKeySequence(), &Main::showAbout);
    connect(m_buttons, &ButtonBar::configurationClicked, configuration, &QAction::trigger);
    connect(m_buttons, &ButtonBar::helpClicked, help, &QAction::trigger);
    connect(m_buttons, &ButtonBar::aboutClicked, about, &QAction::trigger);
    QAction* now =
        add(QStringLiteral("Revenir à maintenant"), QKeySequence(Qt::Key_Home), [this] { m_grid->backToNow(); });
    now->setShortcutContext(Qt::WidgetShortcut); // the key of the clocks; in a box, Home is the box's
    // As the keys that move the clocks, these act on the clocks, never behind the open panel.
    add(QStringLiteral("Créneau commun suivant"), QKeySequence(Qt::CTRL | Qt::Key_Right), [this] {
        if (!m_panel->isVisible())
            m_grid->goToCommonHour(1);
    });
    add(QStringLiteral("Créneau commun précédent"), QKeySequence(Qt::CTRL | Qt::Key_Left), [this] {
        if (!m_panel->isVisible())
            m_grid->goToCommonHour(-1);
    });
    add(QStringLiteral("Heures de bureau…"), QKeySequence(), &Main::askOfficeHours);
    add(QStringLiteral("Copier l'instant"), QKeySequence::Copy, &Main::copyInstant);
    add(QStringLiteral("Exporter l'invitation…"), QKeySequence(), &Main::exportInvitation);
    m_alwaysOnTop = add(QStringLiteral("Toujours au premier plan"), QKeySequence(), [this](bool on) {
        setAlwaysOnTop(on);
        rememberWindow();
    });
    m_alwaysOnTop->setCheckable(true);
    add(QStringLiteral("Rechercher une ville…"), QKeySequence::Find, [this] {
        if (!m_panel->isVisible())
            m_search->open(QString());
    });
    QAction* quit = add(QStringLiteral("Quitter"), QKeySequence(Qt::CTRL | Qt::Key_Q), &Main::quit);
    connect(m_buttons, &ButtonBar::quitClicked, quit, &QAction::trigger);
}

void Main::showMenu(const QPoint& globalPlace, bool byKeyboard)
{
    if (m_panel->isAsking() || QApplication::activeModalWidget() || m_menu->isVisible())
        return;
    m_buttons->clearHover();
    // Every command the window has now, in the order it was given them.
    m_menu->clear();
    m_menu->addActions(actions());
    m_menu->popup(globalPlace);
    if (byKeyboard) {
        const QList<QAction*> commands = m_menu->actions();
        const auto first =
            std::find_if(commands.begin(), commands.end(), [](const QAction* action) { return action->isEnabled(); });
        if (first != commands.end())
            m_menu->setActiveAction(*first);
    }
}

QPoint Main::keyboardMenuPlace() const
{
    const QWidget* focus = focusWidget();
    if (focus && focus != this && focus->isVisible())
        return focus->mapToGlobal(focus->rect().bottomLeft());
    return mapToGlobal(QPoint(20, 20));
}

void Main::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
    const bool byKeyboard = event->reason() == QContextMenuEvent::Keyboard;
    showMenu(byKeyboard ? keyboardMenuPlace() : event->globalPos(), byKeyboard);
}

void Main::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    // Not for a menu that takes the pointer over: the city it was opened on stays described. (Where the
    // pointer is, Wayland does not say once it has left.)
    if (!QApplication::activePopupWidget())
        m_grid->clearHover();
}

QString Main::instantToShare(const QString& purpose)
{
    const QString text = m_grid->sharedInstant();
    if (text.isEmpty())
        m_platform.dialogs.inform(this, QStringLiteral("Horlune"),
                                  QStringLiteral("Cochez des villes dans le panneau de configuration, ou montrez une "
                                                 "ville (souris, flèches), pour %1.")
                                      .arg(purpose),
                                  DialogIcon::Information);
    return text;
}

void Main::copyInstant()
{
    const QString text = instantToShare(QStringLiteral("copier l'instant"));
    if (text.isEmpty())
        return;
    if (!m_platform.desktop.copyText(text))
        m_platform.dialogs.inform(this, QStringLiteral("Horlune"),
                                  QStringLiteral("Le presse-papiers n'a pas pris le texte :\n\n") + text,
                                  DialogIcon::Warning);
}

void Main::exportInvitation()
{
    const QString description = instantToShare(QStringLiteral("en faire une invitation"));
    if (description.isEmpty())
        return;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const std::optional<QString> path = m_platform.dialogs.askSavePath(
        this, QStringLiteral("Exporter l'invitation"), QDir(folder).filePath(QStringLiteral("rendez-vous.ics")),
        QStringLiteral("Invitation (*.ics)"));
    if (!path)
        return;
    const QByteArray text = calendarText(m_grid->shownUniversal(), m_platform.clock.now().universal, description);
    const ExportTarget target = exportTarget(*path);
    if (!target.refusal.isEmpty()) {
        m_platform.dialogs.inform(this, QStringLiteral("Horlune"), target.refusal, DialogIcon::Warning);
        return;
    }
    if (!target.question.isEmpty() &&
        !m_platform.dialogs.askYesNo(this, QStringLiteral("Horlune"), target.question, DialogIcon::Question))
        return;
    if (QString reason; !writeExport(target, text, &reason))
        m_platform.dialogs.inform(this, QStringLiteral("Horlune"),
                                  QStringLiteral("L'invitation n'a pas pu être écrite dans %1 : %2").arg(*path, reason),
                                  DialogIcon::Warning);
}

void Main::askOfficeHours()
{
    const std::optional<QString> typed = m_platform.dialogs.askText(
        this, QStringLiteral("Heures de bureau"),
        QStringLiteral("Heures de bureau des villes cochées (jours ouvrés de leur pays), par exemple 9.00 – 18.00 :"),
        workHoursText(m_workHours));
    if (!typed)
        return;
    const std::optional<WorkHours> hours = readWorkHours(*typed);
    if (!hours || hours->start == hours->end) {
        m_platform.dialogs.inform(this, QStringLiteral("Horlune"),
                                  hours ? QStringLiteral("Les deux heures sont égales : il n'y aurait aucune heure de "
                                                         "bureau. Rien n'est changé.")
                                        : QStringLiteral("« %1 » n'est pas une plage d'heures : écrivez par exemple "
                                                         "9.00 – 18.00. Rien n'est changé.")
                                              .arg(typed->left(80)),
                                  DialogIcon::Warning);
        return;
    }
    m_workHours = *hours;
    m_grid->setWorkHours(m_workHours);
    SettingsStore settings(m_settingsFile);
    settings.writeOfficeHours(workHoursText(m_workHours));
    if (!settings.sync())
        m_platform.dialogs.inform(
            this, QStringLiteral("Horlune"),
            unsavedSettingsText(QStringLiteral("Les heures de bureau"), m_settingsFile, settings.error()),
            DialogIcon::Warning);
}

void Main::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    // The place given at the start arrives before the window is shown, and is not a move of the user's.
    if (isVisible() && !m_quitting)
        m_placeKeeper.start();
}

void Main::openConfiguration()
{
    m_search->dismiss();
    if (!m_panel->isVisible())
        m_focusBeforePanel = focusWidget();
    m_grid->backToNow();
    showKeyFocus(false);
    m_panel->open(m_hours, m_marks);
}

void Main::placeWindow()
{
    const SettingsStore settings(m_settingsFile);
    setAlwaysOnTop(settings.readAlwaysOnTop());
    const std::optional<QPoint> place = settings.readWindowPlace();
    // Back on a screen: its middle must lie on one that is still there.
    const auto onAScreen = [this](const QPoint& topLeft) {
        const QPoint middle = topLeft + rect().center();
        const QList<QScreen*> screens = QGuiApplication::screens();
        return std::any_of(screens.begin(), screens.end(),
                           [&middle](const QScreen* screen) { return screen->availableGeometry().contains(middle); });
    };
    if (place && onAScreen(*place))
        move(*place);
    else
        centreOnScreen(this);
}

void Main::rememberWindow()
{
    m_placeKeeper.stop();
    SettingsStore settings(m_settingsFile);
    settings.writeWindowPlace(pos());
    settings.writeAlwaysOnTop(m_alwaysOnTop->isChecked());
    settings.sync(std::chrono::milliseconds(500)); // a place not kept is no loss worth a message
}

void Main::setAlwaysOnTop(bool onTop)
{
    m_alwaysOnTop->setChecked(onTop);
    if (bool(windowFlags() & Qt::WindowStaysOnTopHint) == onTop)
        return;
    const bool shown = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (shown)
        show(); // changing a window's flags hides it
}

void Main::buildControls()
{
    // Created back to front: a later sibling is drawn in front of an earlier one.
    auto makeButton = [this](int i, int left) {
        auto* picture = new Picture(this, QStringLiteral("btn_%1").arg(i));
        picture->setTwipsGeometry(left, 210, 1560, 360);
        picture->setPicture(look::picture(QStringLiteral("btnoff.gif")));
        return picture;
    };
    auto makeCaption = [this](int i, int left, int height, const QString& text) {
        auto* label = new Label(this, QStringLiteral("LabBTN_%1").arg(i));
        label->setGeometry(twipsRect(left, 285, 1200, height));
        label->setHorizontalAlignment(Qt::AlignHCenter);
        label->setTextColor(look::kBlack);
        label->setCaption(text);
        return label;
    };
    auto makeClockLabel = [this](const QString& name, const QRect& geometry, const QColor& colour) {
        auto* label = new Label(this, name);
        label->setFont(look::sans(16, true));
        label->setGeometry(geometry);
        label->setTextColor(colour);
        return label;
    };
    Picture* btn3 = makeButton(3, 3735);
    Picture* btn2 = makeButton(2, 1995);
    Picture* btn1 = makeButton(1, 255);
    m_buttons->setButton(3, {btn3, makeCaption(3, 3915, 360, QStringLiteral("A Propos"))});
    m_buttons->setButton(2, {btn2, makeCaption(2, 2190, 360, QStringLiteral("Aide"))});
    m_buttons->setButton(1, {btn1, makeCaption(1, 435, 360, QStringLiteral("Configuration"))});

    m_grid->createDesignRow();
    ClockControls controls;
    controls.dateLine = new LineItem(this, QStringLiteral("Line1"), look::kLightGrey, 5);
    controls.dateLine->setEnds(QLineF(9990, -990, 9990, -225));
    controls.digitalClock =
        makeClockLabel(QStringLiteral("HeureDigitale"), twipsRect(8325, 450, 4380, 285), look::kWhite);
    controls.digitalClock->setHorizontalAlignment(Qt::AlignRight);
    controls.digitalClock->setCaption(QStringLiteral("00:00:00"));
    connect(controls.digitalClock, &Label::pressed, this, &Main::startMove);
    connect(controls.digitalClock, &Label::wheelTurned, m_grid, &CityGrid::turnWheel);
    // Left of the digital clock, on its baseline, while the clocks show another instant than now; a click
    // brings them back. No press here moves the window.
    controls.shiftLine = new Label(this, QStringLiteral("HeureVisee"));
    controls.shiftLine->setFont(look::sans(12, true));
    controls.shiftLine->setGeometry(twipsRect(5385, 510, 4575, 225));
    controls.shiftLine->setHorizontalAlignment(Qt::AlignRight);
    controls.shiftLine->setWordWrap(false);
    controls.shiftLine->setTextColor(look::kDarkBlue);
    controls.shiftLine->setCursor(Qt::PointingHandCursor);
    controls.shiftLine->setToolTip(QStringLiteral("Un clic, Échap ou Origine : retour à l'heure actuelle"));
    controls.shiftLine->hide();
    connect(controls.shiftLine, &Label::clicked, m_grid, &CityGrid::backToNow);
    connect(controls.shiftLine, &Label::wheelTurned, m_grid, &CityGrid::turnWheel);

    Picture* btn0 = makeButton(0, 12945);
    // One pixel more than designed: at a scale of 2 the tail of the bold Q of "Quitter", lit, would be cut.
    m_buttons->setButton(0, {btn0, makeCaption(0, 13140, 195, QStringLiteral("Quitter"))});

    controls.hoverLine = makeClockLabel(QStringLiteral("Label8"), twipsRect(5385, 180, 7050, 285), look::kRed);
    controls.hoverLine->setHorizontalAlignment(Qt::AlignRight);
    controls.hoverLine->setWordWrap(false);
    connect(controls.hoverLine, &Label::pressed, this, &Main::startMove);
    connect(controls.hoverLine, &Label::wheelTurned, m_grid, &CityGrid::turnWheel);
    controls.hoverSeconds = makeClockLabel(QStringLiteral("Label10"), twipsRect(12435, 180, 450, 285), look::kRed);
    controls.hoverSeconds->setCaption(QStringLiteral("00"));
    m_grid->setControls(controls);
    m_search = new CitySearch(this, [this] { return m_grid->shownUniversal(); });
    connect(m_search, &CitySearch::cityChosen, this, [this](const QString& name, const QString& zone) {
        // Said to screen readers by the box, which keeps the keys for another city.
        m_search->setAccessibleDescription(m_grid->describeCity(name, zoneOf(zone)));
    });

    m_panel = new ConfigPanel(this, m_platform.clock, m_platform.dialogs, m_cityFolder, m_settingsFile);
    m_buttons->setButton(ButtonBar::Ok, m_panel->okButton());
    // Tab goes left to right: the three buttons, the clocks, "Quitter"; a control added later takes the keys
    // after them.
    setTabOrder(btn1, btn2);
    setTabOrder(btn2, btn3);
    setTabOrder(btn3, m_grid->tabPlace());
    setTabOrder(m_grid->tabPlace(), btn0);
    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("MenuCommandes"));
}

void Main::Form_Load()
{
    // A later run (after a save) redraws the live window in place rather than hiding it.
    const SettingsStore settings(m_settingsFile);
    settings.readHours(m_hours);
    m_workHours = storedWorkHours(settings.readOfficeHours());
    m_grid->setWorkHours(m_workHours);
    m_timer.stop();
    m_storedMarks = settings.readMarks();
    m_grid->createRows();
    const float offset = computerOffset(m_platform.clock.now());
    m_platform.beeper.beep();
    setWindowTitle(windowCaption(offset, QLocale()));
    m_grid->placeRows();
    loadCities(offset, true);
    if (!settings.problem().isEmpty())
        tellOnce(settings.problem());
    m_grid->refresh(true);
    show();
    if (!focusWidget())
        setFocus(Qt::OtherFocusReason); // the clocks have the keys, as before any Tab
    Timer1_Timer();
}

void Main::Timer1_Timer()
{
    m_grid->refresh();
    m_timer.start(m_platform.clock.msecsToNextSecond() + kPastTheSecondMs);
}

void Main::bringToFront()
{
    QWidget* shown = m_about ? static_cast<QWidget*>(m_about) : this;
    shown->show();
    shown->raise();
    shown->activateWindow();
}

void Main::loadCities(float offset, bool report)
{
    const QDate today = m_platform.clock.now().local.date();
    const bool summer = isSummerTime(today);
    m_grid->setTimeRules(offset, summer);
    m_panel->setToday(today);
    const CityFileContents contents = readCityFile(cityFilePath(m_cityFolder));
    m_marks = contents.status == ReadStatus::Read ? marksForList(m_storedMarks, contents) : m_storedMarks.byRow;
    m_grid->setPreferences(m_hours, m_marks);
    if (contents.status != ReadStatus::Read) {
        if (report)
            m_platform.dialogs.inform(this, unreadCityFileTitle(contents.status),
                                      unreadCityFileText(m_cityFolder, contents), DialogIcon::Warning);
        return;
    }
    if (contents.tooLarge && report)
        tellOnce(tooLargeFileText(cityFilePath(m_cityFolder), kMaxCityFileBytes));
    const StoredZones zones = readZoneStore(zoneStorePath(m_cityFolder));
    if (zones.tooLarge && report)
        tellOnce(tooLargeFileText(zoneStorePath(m_cityFolder), kMaxZoneStoreBytes));
    m_grid->loadCities(contents.rows, cityZones(contents.rows, zones.choices, today.year()));
    m_panel->setSeasonMessage(seasonMessage(summer, offset, QLocale()));
}

void Main::tellOnce(const QString& text)
{
    if (m_told.contains(text))
        return;
    m_told.append(text);
    m_platform.dialogs.inform(this, QStringLiteral("Horlune"), text, DialogIcon::Warning);
}

void Main::reloadForNewTimeRules()
{
    // As a start-up does, without the beep or the messages: a new offset and season for every row.
    const float offset = computerOffset(m_platform.clock.now());
    setWindowTitle(windowCaption(offset, QLocale()));
    m_grid->createRows();
    loadCities(offset, false);
}

void Main::startMove()
{
    if (!m_platform.desktop.startSystemMove(this))
        m_drag->follow(this, QCursor::pos());
}

void Main::showAbout()
{
    m_grid->clearHover(); // the pointer is no longer over a hidden window
    const QPoint place = pos();
    hide();
    delete m_about;
    m_about = new HorluneAbout(m_platform.desktop);
    connect(m_about, &HorluneAbout::closed, this, [this, place] {
        move(place);
        show();
    });
    m_about->Form_Load();
}

void Main::quit()
{
    if (m_about) {
        m_about->disconnect(this);
        m_about->close();
    }
    m_quitting = true;
    rememberWindow();
    close();
    QCoreApplication::exit(0);
}

void Main::openHelp()
{
    const QString page = QDir(m_programDirectory).filePath(QStringLiteral("HLN.html"));
    if (!QFileInfo::exists(page))
        m_platform.dialogs.inform(this, QStringLiteral("Horlune"),
                                  QStringLiteral("La page d'aide est introuvable : ") + page, DialogIcon::Warning);
    else if (!m_platform.desktop.openHelp(page))
        m_platform.dialogs.inform(this, QStringLiteral("Horlune"),
                                  QStringLiteral("Aucun programme n'a pu ouvrir la page d'aide ") + page,
                                  DialogIcon::Warning);
}

void Main::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect area = event->rect();
    // The source rectangle counts the picture's own pixels: two per logical pixel for the double-size one.
    const qreal ratio = m_background.devicePixelRatio();
    if (ratio == 1.0) // copied pixel for pixel, with no scaled copy on the way
        painter.drawPixmap(area.topLeft(), m_background, area);
    else
        painter.drawPixmap(QRectF(area), m_background,
                           QRectF(area.x() * ratio, area.y() * ratio, area.width() * ratio, area.height() * ratio));
    if (m_keyFocusShown) {
        painter.setPen(QPen(look::kWhite, 1, Qt::DotLine));
        painter.drawRect(keyFocusFrame());
    }
}

void Main::mouseMoveEvent(QMouseEvent*)
{
    // Form_MouseMove: the bare window.
    m_grid->clearHover();
    m_buttons->clearHover();
}

void Main::mousePressEvent(QMouseEvent* event)
{
    // The right button asks for the menu instead.
    if (event->button() != Qt::RightButton)
        startMove();
}

void Main::closeEvent(QCloseEvent* event)
{
    // When the save fails the panel stays open with the edits, and so does the window.
    if (!m_quitting && m_panel->isVisible() && !m_panel->confirmAndClose()) {
        event->ignore();
        return;
    }
    if (!m_quitting)
        rememberWindow();
    QWidget::closeEvent(event);
}

void Main::keyPressEvent(QKeyEvent* event)
{
    // A command's keys, where the window system did not take them for a shortcut (a window not active).
    const QKeySequence pressed(event->keyCombination());
    for (QAction* action : actions()) {
        if (!action->shortcut().isEmpty() && action->shortcut() == pressed) {
            if (!event->isAutoRepeat())
                action->trigger();
            return;
        }
    }
    // Where the window system does not make a request for the menu of these keys itself.
    if ((event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) ||
        (event->key() == Qt::Key_Menu && event->modifiers() == Qt::NoModifier)) {
        if (!event->isAutoRepeat())
            showMenu(keyboardMenuPlace(), true);
        return;
    }
    if (m_panel->isVisible()) {
        QWidget::keyPressEvent(event);
        return;
    }
    // The clocks have the keys: Up and Down go from city to city, Enter types a time for the city.
    switch (event->key()) {
    case Qt::Key_Down:
    case Qt::Key_Up:
        m_grid->moveKeyFocus(event->key() == Qt::Key_Down ? 1 : -1);
        showKeyFocus(true);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!event->isAutoRepeat() && m_grid->typeTimeForKeyFocus())
            return;
        break;
    default:
        if (m_grid->pressKey(event->key())) {
            showKeyFocus(true);
            return;
        }
        // A letter starts a search for a city.
        if (const QString typed = event->text(); (event->modifiers() & ~Qt::ShiftModifier) == Qt::NoModifier &&
                                                 !typed.isEmpty() && typed.front().isLetter()) {
            m_search->open(typed);
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

void Main::wheelEvent(QWheelEvent* event)
{
    event->accept();
    if (!m_panel->isVisible())
        m_grid->turnWheel(wheelAngle(event));
}

void Main::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    // As a dialog shows the focus only once the keyboard is used: a tab brings it, a click does not.
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason)
        showKeyFocus(true);
}

bool Main::focusNextPrevChild(bool next)
{
    if (m_panel->isVisible())
        return m_panel->moveFocus(next); // the controls it covers are out of reach
    // The window's own order, where the clocks are one stop (the face that has, or last had, the keys) and
    // the window itself none.
    QWidget* const clocks = m_grid->tabPlace();
    QWidget* from = focusWidget();
    if (!from || from == this || m_grid->holdsKeys(from))
        from = clocks;
    QWidget* to = nextTabStop(from, next, [this, clocks](const QWidget* control) {
        return control == clocks || (control != this && !m_grid->isFace(control));
    });
    if (to == clocks)
        to = m_grid->keyStop();
    if (to)
        to->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void Main::showKeyFocus(bool shown)
{
    if (shown == m_keyFocusShown)
        return;
    m_keyFocusShown = shown;
    // The frame's outline only: the clocks inside need no repaint.
    const QRect frame = keyFocusFrame();
    update(QRegion(frame.adjusted(-1, -1, 1, 1)) - QRegion(frame.adjusted(2, 2, -2, -2)));
}
