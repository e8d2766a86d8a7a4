#include "mainwindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLocale>
#include <QPainter>

#include "app/controls.h"
#include "app/look.h"
#include "config/cityeditor.h"
#include "config/configpanel.h"
#include "data/numbers.h"
#include "data/settings.h"
#include "time/timerules.h"

QString mainCaption(float offset, const QLocale& locale)
{
    const QString value = formatSingle(offset, locale);
    return offset >= 0 ? QStringLiteral("Horlune (TU + ") + value + QStringLiteral(" )")
                       : QStringLiteral("Horlune (TU  ") + value + QStringLiteral(" )");
}

Main::Main(Platform platform, const QString& programDirectory, const QString& settingsName, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      m_platform(platform),
      m_programDirectory(programDirectory),
      m_settingsName(settingsName),
      m_grid(m_state, platform, programDirectory)
{
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QStringLiteral("Horlune."));
    setFixedSize(981, 529);
    setFont(look::defaultFont());
    setWindowIcon(QIcon(look::picture(QStringLiteral("horlune.ico"))));
    setMouseTracking(true);
    m_background = look::picture(QStringLiteral("background.bmp"));
    buildControls();
    centreOnScreen(this);

    m_timer1.setInterval(300);
    connect(&m_timer1, &QTimer::timeout, this, [this] { m_grid.Timer1_Timer(); });
    m_grid.onRowMouseMove = [this](int i) { m_grid.InfoVille(i); };
    m_grid.onRowMousePress = [this] { Bouge(); };
    m_grid.onTimeRulesChanged = [this] { reloadForNewTimeRules(); };

    m_editor = std::make_unique<CityEditor>(m_state, platform, programDirectory, settingsName, *m_panel, m_grid, this);
    m_editor->formLoad = [this] { Form_Load(); };

    m_buttons.commands[0] = [this] { Quitte(); };
    m_buttons.commands[1] = [this] { m_editor->openPanel(); };
    m_buttons.commands[2] = [this] { openHelp(); };
    m_buttons.commands[3] = [this] { showAbout(); };
    m_buttons.commands[4] = [this] { m_editor->Command1_Click(); };
}

Main::~Main()
{
    delete m_about;
}

void Main::buildControls()
{
    // Created back to front: a later sibling is drawn in front of an earlier one.
    auto makeButton = [this](int i, int left, int top) {
        auto* picture = new Picture(this, QStringLiteral("btn_%1").arg(i));
        picture->setTwipsGeometry(left, top, 1560, 360);
        picture->setPicture(look::picture(QStringLiteral("btnoff.gif")));
        return picture;
    };
    auto makeCaption = [this](int i, int left, int top, int height, const QString& text) {
        auto* label = new Label(this, QStringLiteral("LabBTN_%1").arg(i));
        label->setGeometry(twipsRect(left, top, 1200, height));
        label->setHorizontalAlignment(Qt::AlignHCenter);
        label->setTextColor(palette().color(QPalette::ButtonText));
        label->setCaption(text);
        return label;
    };
    Picture* btn3 = makeButton(3, 3735, 210);
    Picture* btn2 = makeButton(2, 1995, 210);
    Picture* btn1 = makeButton(1, 255, 210);
    Label* caption3 = makeCaption(3, 3915, 285, 360, QStringLiteral("A Propos"));
    Label* caption2 = makeCaption(2, 2190, 285, 360, QStringLiteral("Aide"));
    Label* caption1 = makeCaption(1, 435, 285, 360, QStringLiteral("Configuration"));

    m_grid.createDesignRow(this);

    m_line1 = new LineItem(this, QStringLiteral("Line1"), QColor(0xE0, 0xE0, 0xE0), 5);
    m_line1->setEnds(9990, -990, 9990, -225);

    m_heureDigitale = new Label(this, QStringLiteral("HeureDigitale"));
    m_heureDigitale->setFont(look::arial(16, true));
    m_heureDigitale->setGeometry(twipsRect(8325, 450, 4380, 285));
    m_heureDigitale->setHorizontalAlignment(Qt::AlignRight);
    m_heureDigitale->setTextColor(look::kWhite);
    m_heureDigitale->setCaption(QStringLiteral("00:00:00"));
    m_heureDigitale->mouse.press = [this](QMouseEvent*) { Bouge(); };

    Picture* btn0 = makeButton(0, 12945, 210);
    auto* btnOn = new Picture(this, QStringLiteral("btnon"));
    btnOn->setTwipsGeometry(4830, 2235, 1560, 360);
    btnOn->setPicture(look::picture(QStringLiteral("btnon.gif")));
    btnOn->hide();
    auto* btnOff = new Picture(this, QStringLiteral("BtnOff"));
    btnOff->setTwipsGeometry(6585, 2235, 1560, 360);
    btnOff->setPicture(look::picture(QStringLiteral("btnoff.gif")));
    btnOff->hide();
    Label* caption0 = makeCaption(0, 13140, 285, 180, QStringLiteral("Quitter"));

    m_label8 = new Label(this, QStringLiteral("Label8"));
    m_label8->setFont(look::arial(16, true));
    m_label8->setGeometry(twipsRect(5385, 180, 7050, 285));
    m_label8->setHorizontalAlignment(Qt::AlignRight);
    m_label8->setWordWrap(false);
    m_label8->setTextColor(look::kRed);
    m_label8->mouse.press = [this](QMouseEvent*) { Bouge(); };

    m_label10 = new Label(this, QStringLiteral("Label10"));
    m_label10->setFont(look::arial(16, true));
    m_label10->setGeometry(twipsRect(12435, 180, 450, 285));
    m_label10->setTextColor(look::kRed);
    m_label10->setCaption(QStringLiteral("00"));

    m_panel = new ConfigPanel(this);
    m_panel->mouse.move = [this](QMouseEvent*) { m_buttons.btn_MouseMove(10); };
    m_panel->mouse.press = [this](QMouseEvent*) { Bouge(); };
    m_panel->frame2->mouse.press = [this](QMouseEvent*) { Bouge(); };

    m_buttons.setHolders(btnOff, btnOn);
    m_buttons.setButton(0, btn0, caption0);
    m_buttons.setButton(1, btn1, caption1);
    m_buttons.setButton(2, btn2, caption2);
    m_buttons.setButton(3, btn3, caption3);
    m_buttons.setButton(4, m_panel->btn4, m_panel->labBTN4);

    ClockControls controls;
    controls.window = this;
    controls.heureDigitale = m_heureDigitale;
    controls.label8 = m_label8;
    controls.label10 = m_label10;
    controls.line1 = m_line1;
    controls.label5 = m_panel->label5;
    controls.seasonLabel = m_panel->label;
    controls.nuit = m_panel->nuit;
    controls.jour = m_panel->jour;
    m_grid.setControls(controls);
}

void Main::Form_Load()
{
    // A later run (after a save) redraws the live window in place rather than hiding it.
    const bool firstRun = !isVisible();
    if (firstRun)
        hide();
    m_helpFile = QDir(m_programDirectory).filePath(QStringLiteral("HLN.html"));
    SettingsStore settings(m_settingsName);
    settings.readHours(m_state.HJ, m_state.HN);
    m_timer1.stop();
    const RowFlags marks = settings.readMarks();
    for (int i = 1; i <= 59; ++i) {
        m_state.VillePref[i] = marks[i];
        m_grid.createRow(i);
    }
    m_state.ValFuseau = CalculFuseau(m_platform.clock, m_platform.beeper);
    setWindowTitle(mainCaption(m_state.ValFuseau, QLocale()));
    m_panel->move(twipsToPixels(210), m_panel->y());
    m_grid.PlaceVilles();
    m_grid.ChargeVilles();
    m_grid.Rafraichir();

    const QColor previewColours[4] = {{240, 240, 240}, {210, 210, 210}, {90, 90, 90}, {40, 40, 40}};
    Picture* previews[2] = {m_panel->nuit, m_panel->jour};
    for (int p = 0; p < 2; ++p) {
        DrawnLine minute = previews[p]->hand(1), hour = previews[p]->hand(0);
        minute.colour = previewColours[2 * p];
        hour.colour = previewColours[2 * p + 1];
        previews[p]->setHand(1, minute);
        previews[p]->setHand(0, hour);
    }
    show();
    m_grid.Timer1_Timer();
    m_timer1.start();
}

void Main::reloadForNewTimeRules()
{
    // As a start-up does, without the beep: a new offset and season for every row.
    m_state.ValFuseau = computerOffset(m_platform.clock.now());
    setWindowTitle(mainCaption(m_state.ValFuseau, QLocale()));
    for (int i = 1; i < m_grid.rowCount(); ++i)
        m_grid.digit(i)->show();
    m_grid.ChargeVilles(true);
}

void Main::Bouge()
{
    if (!m_platform.desktop.startSystemMove(this))
        m_drag.follow(this, QCursor::pos());
}

void Main::showAbout()
{
    const QPoint place = pos();
    hide();
    delete m_about;
    m_about = new HorluneAbout(m_platform.desktop);
    m_about->onClosed = [this, place] {
        move(place);
        show();
    };
    m_about->Form_Load();
}

void Main::Quitte()
{
    if (m_about) {
        m_about->onClosed = nullptr;
        m_about->close();
    }
    m_quitting = true;
    close();
    QCoreApplication::exit(0);
}

void Main::openHelp()
{
    if (!QFileInfo::exists(m_helpFile)) {
        m_platform.dialogs.inform(this, QStringLiteral("Horlune"),
                                  QStringLiteral("La page d'aide est introuvable : ") + m_helpFile,
                                  DialogIcon::Warning);
        return;
    }
    if (!m_platform.desktop.openHelp(m_helpFile))
        m_platform.dialogs.inform(this, QStringLiteral("Horlune"),
                                  QStringLiteral("Aucun programme n'a pu ouvrir la page d'aide ") + m_helpFile,
                                  DialogIcon::Warning);
}

void Main::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect area = event->rect();
    // The source rectangle counts the picture's own pixels: two per logical pixel for the double-size one.
    const qreal ratio = m_background.devicePixelRatio();
    painter.drawPixmap(QRectF(area), m_background,
                       QRectF(area.x() * ratio, area.y() * ratio, area.width() * ratio, area.height() * ratio));
}

void Main::mouseMoveEvent(QMouseEvent*)
{
    m_grid.InfoVille(1000);
    m_buttons.btn_MouseMove(10);
    m_label8->setCaption(QString());
    m_label10->setCaption(QString());
}

void Main::mousePressEvent(QMouseEvent*)
{
    Bouge();
}

void Main::closeEvent(QCloseEvent* event)
{
    if (!m_quitting && m_panel->isVisible()) {
        m_editor->Command1_Click();
        // The save failed and the panel stayed open with the edits: the window stays too.
        if (m_panel->isVisible()) {
            event->ignore();
            return;
        }
    }
    QWidget::closeEvent(event);
}

void Main::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        openHelp();
        return;
    }
    QWidget::keyPressEvent(event);
}
