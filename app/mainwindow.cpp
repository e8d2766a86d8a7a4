#include "mainwindow.h"

#include <QDir>
#include <QLocale>
#include <QPainter>
#include <QScreen>

#include "app/look.h"
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
      m_settingsName(settingsName)
{
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QStringLiteral("Horlune."));
    setFixedSize(981, 529);
    setFont(look::defaultFont());
    setWindowIcon(QIcon(look::picture(QStringLiteral("horlune.ico"))));
    m_background = look::picture(QStringLiteral("background.bmp"));
    centreOnScreen();
}

void Main::Form_Load()
{
    hide();
    m_helpFile = QDir(m_programDirectory).filePath(QStringLiteral("HLN.html"));
    SettingsStore settings(m_settingsName);
    settings.readHours(m_state.HJ, m_state.HN);
    m_state.VillePref = settings.readMarks();
    m_state.ValFuseau = CalculFuseau(m_platform.clock, m_platform.beeper);
    setWindowTitle(mainCaption(m_state.ValFuseau, QLocale()));
    show();
}

void Main::centreOnScreen()
{
    const QScreen* screen = this->screen();
    if (!screen)
        return;
    QRect frame(QPoint(), size());
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

void Main::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_background);
}
