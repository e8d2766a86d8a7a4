#include "mainwindow.h"

#include <QAccessibleWidget>
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
#include <QShowEvent>
#include <algorithm>

#include "about/aboutwindow.h"
#include "app/plancommands.h"
#include "app/windowplace.h"
#include "board/feedback.h"
#include "chrome/buttonbar.h"
#include "chrome/pointerdrag.h"
#include "clock/clockgrid.h"
#include "config/configpanel.h"
#include "data/cityindex.h"
#include "data/messages.h"
#include "data/settings.h"
#include "platform/compositing.h"
#include "rows/geometry.h"
#include "search/citysearch.h"
#include "time/timerules.h"
#include "time/zones.h"
#include "ui/controls.h"
#include "ui/look.h"
#include "ui/menuaccess.h"
#include "ui/windowshape.h"
#include "week/weekview.h"

using look::twipsRect;

namespace {
// How far past the second's change the timer is aimed, so that a tick never lands just before it.
constexpr int kPastTheSecondMs = 5;

// The main window as screen readers see it: a window (Qt takes a window of a class of its own for a filler).
QAccessibleInterface* accessibleMain(const QString& className, QObject* object)
{
    if (className == QLatin1String("Main"))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    return nullptr;
}
} // namespace

Main::Main(Platform platform, const QString& programDirectory, const QString& cityFolder, const QString& settingsFile,
           QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_platform(platform), m_programDirectory(programDirectory),
      m_cityFolder(cityFolder), m_settingsFile(settingsFile), m_board(platform.clock), m_timer(this),
      m_buttons(new ButtonBar(this)), m_drag(new PointerDrag(this))
{
    static const bool accessible = [] {
        QAccessible::installFactory(accessibleMain);
        installMenuCommandAccess();
        return true;
    }();
    Q_UNUSED(accessible);
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QStringLiteral("Horlune."));
    setFixedSize(twipsToPixels(kMainWidth), twipsToPixels(kMainHeight));
    setFont(look::defaultFont());
    setWindowIcon(QIcon(look::picture(QStringLiteral("horlune.ico"))));
    setMouseTracking(true);
    // Outside the rounded background the desktop shows through: where it composes windows, by transparency
    // (decided before the window is made, which takes pixels with an alpha then); elsewhere by the window's
    // shape.
    setAttribute(Qt::WA_TranslucentBackground, desktopComposesWindows());
    // The background of the look in force: the design's grey, or the high-contrast black.
    look::followContrast(this, [this] { shapeWindow(); });
    buildControls();
    buildCommands();
    // The window's keys are the clocks'.
    setFocusProxy(m_grid);

    // The timer wakes the program once a second, just after the displayed second changes, and is aimed
    // again at each tick from the clock itself: a clock set back or forward, or a machine waking from
    // suspend, only moves the next tick.
    m_timer.setObjectName(QStringLiteral("Timer1"));
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &Main::tick);
    m_placeKeeper.setSingleShot(true);
    m_placeKeeper.setInterval(1000);
    connect(&m_placeKeeper, &QTimer::timeout, this, &Main::rememberWindow);
}

Main::~Main()
{
    delete m_about;
    // The clocks go first: they draw from the board, which is gone once this destructor's body has run.
    delete m_grid;
}

void Main::buildControls()
{
    // The clocks lie under every other control, and take the pointer wherever none does.
    m_grid = new ClockGrid(this, m_board, m_platform.clock);
    connect(m_grid, &ClockGrid::pressed, this, &Main::startMove);
    connect(m_grid, &ClockGrid::backgroundMoved, m_buttons, &ButtonBar::lightNone);

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
    Picture* btn3 = makeButton(3, 3735);
    Picture* btn2 = makeButton(2, 1995);
    Picture* btn1 = makeButton(1, 255);
    m_buttons->setButton(3, {btn3, makeCaption(3, 3915, 360, QStringLiteral("A Propos"))});
    m_buttons->setButton(2, {btn2, makeCaption(2, 2190, 360, QStringLiteral("Aide"))});
    m_buttons->setButton(1, {btn1, makeCaption(1, 435, 360, QStringLiteral("Configuration"))});
    Picture* btn0 = makeButton(0, 12945);
    // One pixel more than designed: at a scale of 2 the tail of the bold Q of "Quitter", lit, would be cut.
    m_buttons->setButton(0, {btn0, makeCaption(0, 13140, 195, QStringLiteral("Quitter"))});

    m_search = new CitySearch(this, [this] { return m_board.shownUniversal(m_platform.clock.now()); });
    connect(m_search, &CitySearch::cityChosen, this, [this](const QString& name, const QString& zone) {
        // Told to screen readers once, and the box's description, which keeps the keys for another city.
        const QString sentence = m_board.describeCity(
            name, zoneOf(zone), CityIndex::shared()->coordinatesOf(name, zone), m_platform.clock.now());
        m_grid->draw(Board::Rows | Board::Sentence | Board::Seconds | Board::Announcement);
        m_search->setAccessibleDescription(sentence);
    });
    connect(m_search, &CitySearch::nothingFound, this,
            [this](const QString& typed) { draw(m_board.tellDone(nothingFoundTexts(typed), m_platform.clock.now())); });
    connect(m_search, &CitySearch::closed, this, [this] {
        if (m_grid->hasFocus())
            m_grid->takeKeysBack();
    });
    m_planning = new PlanCommands(this, m_platform, m_board, m_settingsFile);
    connect(m_planning, &PlanCommands::done, this,
            [this](const LineTexts& texts) { draw(m_board.tellDone(texts, m_platform.clock.now())); });
    connect(m_planning, &PlanCommands::workHoursChosen, this, [this](const WorkHours& hours) {
        m_config.workHours = hours;
        draw(m_board.setWorkHours(hours, m_platform.clock.now()));
    });

    // Tab goes as one reads: the buttons along the top from left to right, "Quitter" last of them, then the
    // clocks below; a control added later takes the keys after them. So from the clocks, where the keys are at
    // the start, the first Tab goes to "Configuration", never to "Quitter".
    setTabOrder(btn1, btn2);
    setTabOrder(btn2, btn3);
    setTabOrder(btn3, btn0);
    setTabOrder(btn0, m_grid);
    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("MenuCommandes"));
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
    // As the keys that move the clocks, these act on the clocks, never behind the open panel.
    add(QStringLiteral("Créneau commun suivant"), QKeySequence(Qt::CTRL | Qt::Key_Right), [this] {
        if (!areClocksCovered())
            draw(m_board.goToCommonHour(1, m_platform.clock.now()));
    });
    add(QStringLiteral("Créneau commun précédent"), QKeySequence(Qt::CTRL | Qt::Key_Left), [this] {
        if (!areClocksCovered())
            draw(m_board.goToCommonHour(-1, m_platform.clock.now()));
    });
    add(QStringLiteral("La semaine…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), &Main::openWeek);
    add(QStringLiteral("Heures de bureau…"), QKeySequence(), [this] { m_planning->askOfficeHours(); });
    m_sunFaces = add(QStringLiteral("Jour et nuit selon le soleil"), QKeySequence(), &Main::setSunFaces);
    m_sunFaces->setCheckable(true);
    add(QStringLiteral("Copier l'instant"), QKeySequence::Copy, [this] { m_planning->copyInstant(); });
    add(QStringLiteral("Exporter l'invitation…"), QKeySequence(), [this] { m_planning->exportInvitation(); });
    m_alwaysOnTop = add(QStringLiteral("Toujours au premier plan"), QKeySequence(), [this](bool on) {
        setAlwaysOnTop(on);
        rememberWindow();
    });
    m_alwaysOnTop->setCheckable(true);
    m_highContrast = add(QStringLiteral("Contraste élevé"), QKeySequence(), [this](bool on) {
        applyContrast(on ? Contrast::High : Contrast::Design);
        m_config.highContrast = on;
        keepChoice(m_platform.dialogs, this, m_settingsFile, QStringLiteral("Le choix du contraste élevé"),
                   [on](SettingsStore& settings) { settings.writeHighContrast(on); });
    });
    m_highContrast->setCheckable(true);
    add(QStringLiteral("Rechercher une ville…"), QKeySequence::Find, [this] {
        if (isPanelOpen())
            return;
        dismissOverlays();
        m_search->open(QString());
    });
    QAction* quit = add(QStringLiteral("Quitter"), QKeySequence(Qt::CTRL | Qt::Key_Q), &Main::quit);
    connect(m_buttons, &ButtonBar::quitClicked, quit, &QAction::trigger);
}

ConfigPanel& Main::panel()
{
    if (m_panel)
        return *m_panel;
    m_panel = new ConfigPanel(this, m_platform.clock, m_platform.dialogs, m_cityFolder, m_settingsFile);
    m_buttons->setButton(ButtonBar::Ok, m_panel->okButton());
    showTimeRules();
    m_panel->showPreviewTime(m_board.picture().universalTime);
    connect(m_panel, &ConfigPanel::saved, this, &Main::takeSavedConfiguration);
    connect(m_panel, &Frame::mouseMoved, m_buttons, &ButtonBar::lightNone);
    connect(m_panel, &Frame::pressed, this, &Main::startMove);
    connect(m_panel, &ConfigPanel::closed, this, [this] {
        setClockKeysEnabled(true);
        draw(m_board.leaveRows(m_platform.clock.now()));
        // The keys go back where they were; to the clocks rather than a face, which would describe its city.
        QWidget* back = m_focusBeforePanel;
        (back && back->isVisible() ? back : m_grid)->setFocus(Qt::OtherFocusReason);
    });
    // While the panel's question waits (a modal box keeps the mouse and the keys from the window, not a
    // screen reader's press), no command runs beneath it.
    connect(m_panel, &ConfigPanel::askingChanged, this, [this](bool asking) {
        if (asking) {
            m_menu->close();
            QList<QAction*> commands = actions() + m_grid->actions();
            for (QAction* action : commands) {
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
    return *m_panel;
}

bool Main::isPanelOpen() const
{
    return m_panel && m_panel->isVisible();
}

void Main::start()
{
    const Instant now = m_platform.clock.now();
    m_config = loadConfiguration(m_cityFolder, m_settingsFile, now.local.date().year());
    m_platform.beeper.beep();
    setAlwaysOnTop(m_config.alwaysOnTop);
    m_sunFaces->setChecked(m_config.sunFaces);
    // The look chosen from the menu; never chosen, the design's until the desktop says that it asks for high
    // contrast, which it may tell only after the window shows.
    applyContrast(m_config.highContrast.value_or(false) ? Contrast::High : Contrast::Design);
    if (!m_config.highContrast) {
        m_platform.desktop.askHighContrast(this, [this](bool high) {
            if (high && !m_config.highContrast)
                applyContrast(Contrast::High);
        });
    }
    placeOnScreen(this, m_config.windowPlace);
    draw(m_board.start(m_config, now));
    for (const Configuration::Notice& notice : std::as_const(m_config.notices))
        m_platform.dialogs.inform(this, notice.title, notice.text, DialogIcon::Warning);
    m_config.notices.clear();
    show();
    if (!focusWidget())
        m_grid->setFocus(Qt::OtherFocusReason); // the clocks have the keys, as before any Tab
    tick();
}

void Main::tick()
{
    draw(m_board.tick(m_platform.clock.now()));
    m_timer.start(m_platform.clock.msecsToNextSecond() + kPastTheSecondMs);
}

void Main::draw(Board::Changes changes)
{
    m_grid->draw(changes);
    if (changes & Board::TimeRules)
        showTimeRules();
    if (m_panel && (changes & Board::Rows) && !m_board.isShifted())
        m_panel->showPreviewTime(m_board.picture().universalTime);
}

void Main::showTimeRules()
{
    setWindowTitle(windowCaption(m_board.computerOffset(), QLocale()));
    if (!m_panel)
        return;
    m_panel->setToday(m_platform.clock.now().local.date());
    if (m_config.hasList())
        m_panel->setSeasonMessage(seasonMessage(m_board.isSummer(), m_board.computerOffset(), QLocale()));
}

void Main::setSunFaces(bool bySun)
{
    m_config.sunFaces = bySun;
    draw(m_board.setSunFaces(bySun, m_platform.clock.now()));
    keepChoice(m_platform.dialogs, this, m_settingsFile,
               QStringLiteral("Le choix du jour et de la nuit selon le soleil"),
               [bySun](SettingsStore& settings) { settings.writeSunFaces(bySun); });
}

void Main::takeSavedConfiguration(const Configuration& config)
{
    m_config = config;
    draw(m_board.reload(m_config, m_platform.clock.now()));
}

void Main::bringToFront()
{
    QWidget* shown = m_about ? static_cast<QWidget*>(m_about) : this;
    shown->show();
    shown->raise();
    shown->activateWindow();
}

void Main::showMenu(const QPoint& globalPlace, bool byKeyboard)
{
    if ((m_panel && m_panel->isAsking()) || QApplication::activeModalWidget() || m_menu->isVisible())
        return;
    m_buttons->lightNone();
    // Every command the window has now, in the order it was given them, and the clocks' keys after the
    // window's first three.
    const QList<QAction*> commands = actions();
    m_menu->clear();
    m_menu->addActions(commands.mid(0, 3));
    m_menu->addActions(m_grid->actions());
    m_menu->addActions(commands.mid(3));
    m_menu->popup(globalPlace);
    if (byKeyboard) {
        const QList<QAction*> listed = m_menu->actions();
        const auto first =
            std::find_if(listed.begin(), listed.end(), [](const QAction* action) { return action->isEnabled(); });
        if (first != listed.end())
            m_menu->setActiveAction(*first);
    }
}

QPoint Main::keyboardMenuPlace() const
{
    const QWidget* focus = focusWidget();
    if (focus == m_grid && m_grid->focusedFace() >= 0) {
        const QRect face = m_grid->faceRect(m_grid->focusedFace());
        return m_grid->mapToGlobal(face.bottomLeft());
    }
    if (focus && focus != this && focus != m_grid && focus->isVisible())
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
        m_grid->pointerLeft();
}

void Main::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    // The place given at the start arrives before the window is shown, and is not a move of the user's.
    if (isVisible() && !m_quitting)
        m_placeKeeper.start();
}

void Main::setClockKeysEnabled(bool enabled)
{
    // The clocks' keys act on the clocks, never behind what covers them: the menu lists them, not to be chosen.
    for (QAction* key : m_grid->actions())
        key->setEnabled(enabled);
}

bool Main::areClocksCovered() const
{
    return isPanelOpen() || (m_week && m_week->isOpen());
}

void Main::dismissOverlays()
{
    m_search->dismiss();
    if (m_week)
        m_week->dismiss();
}

void Main::openWeek()
{
    if (isPanelOpen())
        return;
    m_search->dismiss();
    if (!m_week) {
        m_week = new WeekView(this);
        connect(m_week, &WeekView::instantChosen, this,
                [this](const QDateTime& universal) { draw(m_board.showInstant(universal, m_platform.clock.now())); });
        connect(m_week, &WeekView::closed, this, [this] { setClockKeysEnabled(true); });
    }
    setClockKeysEnabled(false);
    // The computer's working days are those of the country its system is set for.
    m_week->open(m_board.weekRequest(m_platform.clock.now(), workingDays(QLocale::system().territory())));
}

void Main::openConfiguration()
{
    dismissOverlays();
    ConfigPanel& configPanel = panel();
    if (!configPanel.isVisible()) {
        m_focusBeforePanel = focusWidget();
        draw(m_board.backToNow(m_platform.clock.now()));
        setClockKeysEnabled(false);
    }
    configPanel.open(m_config);
}

void Main::rememberWindow()
{
    m_placeKeeper.stop();
    rememberPlace(m_settingsFile, pos(), m_alwaysOnTop->isChecked());
}

void Main::setAlwaysOnTop(bool onTop)
{
    m_alwaysOnTop->setChecked(onTop);
    if (bool(windowFlags() & Qt::WindowStaysOnTopHint) == onTop)
        return;
    setStaysOnTop(this, onTop);
}

void Main::startMove()
{
    if (!m_platform.desktop.startSystemMove(this))
        m_drag->follow(this, QCursor::pos());
}

void Main::showAbout()
{
    dismissOverlays();
    m_grid->pointerLeft(); // the pointer is no longer over a hidden window
    const QPoint place = pos();
    hide();
    delete m_about;
    m_about = new HorluneAbout(m_platform.desktop);
    connect(m_about, &HorluneAbout::closed, this, [this, place] {
        move(place);
        show();
        // Back with the keys on the clocks, as at the start: the button pressed to leave never had them.
        m_grid->setFocus(Qt::OtherFocusReason);
        activateWindow();
    });
    m_about->open();
}

void Main::quit()
{
    // Edits in the panel are never lost without its question: "Annuler", or a save that fails, stays.
    if (isPanelOpen() && !m_panel->confirmAndClose())
        return;
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

void Main::shapeWindow()
{
    const bool high = look::highContrast();
    const bool composed = testAttribute(Qt::WA_TranslucentBackground) && desktopComposesWindows();
    const qreal density = qGuiApp->devicePixelRatio();
    if (!m_background.border.isEmpty() && m_background.high == high && m_background.composed == composed &&
        m_background.ratio == density)
        return;
    const QPixmap design = look::pictureOnce(QStringLiteral("background.bmp"));
    const int ratio = qRound(design.devicePixelRatio());
    if (m_outline.ratio != ratio)
        m_outline = shape::readOutline(design.toImage(), ratio);
    // The high-contrast panel has the design's outline, with a grey rim along it to show the window's edge.
    const QImage picture =
        high ? shape::recoloured(m_outline, look::kHighContrastPanel.rgb(), look::kHighContrastRim.rgb(), 2 * ratio)
             : design.toImage();
    // Held as its one colour inside and the strips of its border (the picture whole is 2 MiB, 8 at a scale
    // of 2), with its corners as this desktop shows them drawn over the border.
    auto logical = [ratio](const QImage& part, const QPoint& at) {
        QPixmap shown = QPixmap::fromImage(part);
        shown.setDevicePixelRatio(ratio);
        return std::pair<QPointF, QPixmap>(QPointF(at) / ratio, shown);
    };
    const shape::Framed frame = shape::framed(picture, ratio);
    m_background = Background{high,
                              composed,
                              density,
                              QRectF(frame.inside.topLeft() / ratio, frame.inside.size() / ratio),
                              QColor::fromRgb(frame.colour),
                              {},
                              {}};
    for (const shape::Patch& strip : frame.strips)
        m_background.border.append(logical(strip.picture, strip.at));
    for (const shape::Patch& corner : shape::cornerPatches(picture, m_outline, composed))
        m_background.corners.append(logical(corner.picture, corner.at));
    if (composed)
        clearMask();
    else
        setMask(shape::insideRegion(m_outline));
    update();
}

void Main::applyContrast(Contrast contrast)
{
    m_highContrast->setChecked(contrast == Contrast::High);
    look::setContrast(contrast); // the background, the lines, the buttons and the panel follow it
    draw(m_board.setContrast(contrast));
}

void Main::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // A compositing manager may have come or gone since the window was last shown.
    if (!event->spontaneous())
        shapeWindow();
}

void Main::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRectF area(event->rect());
    if (const QRectF inside = m_background.inside.intersected(area); !inside.isEmpty())
        painter.fillRect(inside, m_background.colour);
    // Each device pixel of the border and the corners is the picture's own: they lie at whole logical pixels.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const auto* parts : {&m_background.border, &m_background.corners}) {
        for (const auto& [place, part] : *parts) {
            if (QRectF(place, part.deviceIndependentSize()).intersects(area))
                painter.drawPixmap(place, part);
        }
    }
}

void Main::closeEvent(QCloseEvent* event)
{
    // When the save fails the panel stays open with the edits, and so does the window.
    if (!m_quitting && isPanelOpen() && !m_panel->confirmAndClose()) {
        event->ignore();
        return;
    }
    if (!m_quitting)
        rememberWindow();
    QWidget::closeEvent(event);
}

void Main::keyPressEvent(QKeyEvent* event)
{
    // Where the window system does not make a request for the menu of these keys itself.
    if ((event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) ||
        (event->key() == Qt::Key_Menu && event->modifiers() == Qt::NoModifier)) {
        if (!event->isAutoRepeat())
            showMenu(keyboardMenuPlace(), true);
        return;
    }
    // A letter, where no control took it, starts a search for a city.
    if (const QString typed = event->text(); !isPanelOpen() &&
                                             (event->modifiers() & ~Qt::ShiftModifier) == Qt::NoModifier &&
                                             !typed.isEmpty() && typed.front().isLetter()) {
        m_search->open(typed);
        return;
    }
    QWidget::keyPressEvent(event);
}

void Main::wheelEvent(QWheelEvent* event)
{
    event->accept();
}

bool Main::focusNextPrevChild(bool next)
{
    if (isPanelOpen())
        return m_panel->moveFocus(next); // the controls it covers are out of reach
    // The window's own order, where the clocks are one stop and the window itself none.
    QWidget* from = focusWidget();
    if (!from || from == this || m_grid->holdsKeys(from))
        from = m_grid;
    QWidget* to = nextTabStop(from, next, [this](const QWidget* control) { return control != this; });
    if (to)
        to->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}
