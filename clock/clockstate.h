#pragma once

#include <QString>
#include <array>

#include "data/settings.h"

// The state shared by the main window's procedures; one instance, owned by the main window.
struct ClockState
{
    qint16 HJ = 0;                  // hour at which day begins
    qint16 HN = 0;                  // hour at which night begins
    RowFlags VillePref{};           // marked rows, 1 to 59
    float ValFuseau = 0;            // the computer's offset from Universal Time, as last measured
    float DifGMT = 0;               // the offset every row is computed against
    std::array<float, 61> DecalVille{}; // each row's offset for the current season
    bool HeureETE = false;          // summer time in force
    QString DecalDeFuseau;          // "Heure d'été" or "Heure d'hiver"
    bool Modif = false;             // the configuration panel was changed
};
