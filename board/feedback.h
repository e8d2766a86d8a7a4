#pragma once

#include <QString>

#include "plan/commonhour.h"

// What the shift line says, for a few seconds, of a command done: from the whole sentence, its tooltip and
// what screen readers are told, to shorter forms for the line.

// "Copié : jeudi 10 décembre 2026 — 15.00 Paris · 09.00 New York"; the text copied is what may be shortened.
LineTexts copiedTexts(const QString& copied);
// "Invitation enregistrée dans /home/marie/Documents/rendez-vous.ics", then with the file's name alone.
LineTexts exportedTexts(const QString& path);
// "Aucune ville pour « zzzq »": a search that finds no city.
QString nothingFoundText(const QString& typed);
LineTexts nothingFoundTexts(const QString& typed);
