#pragma once

#include <QPixmap>
#include <QWidget>

#include "clock/clockstate.h"
#include "platform/platform.h"

// The main window: the borderless clock. It owns the shared state and runs the start-up sequence.
class Main : public QWidget
{
    Q_OBJECT

public:
    Main(Platform platform, const QString& programDirectory, const QString& settingsName, QWidget* parent = nullptr);

    // The start-up sequence; run at program start and again after every save of the configuration.
    void Form_Load();

    const ClockState& state() const { return m_state; }
    QString programDirectory() const { return m_programDirectory; }
    QString helpFilePath() const { return m_helpFile; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void centreOnScreen();

    Platform m_platform;
    QString m_programDirectory;
    QString m_settingsName;
    QString m_helpFile;
    ClockState m_state;
    QPixmap m_background;
};

// The caption that carries the computer's offset: "Horlune (TU + 1 )", "Horlune (TU  -5 )".
QString mainCaption(float computerOffset, const QLocale& locale);
