#pragma once

#include <QString>

#include "rows/clockrow.h"

class QFontMetrics;
class QWidget;

// Texts shortened to fit the boxes they are drawn in, with "…" where they are cut.

// The hover sentence in `width` pixels: whole when it fits, otherwise with the name shortened at its end so
// that the rest (offset, date, time) stays whole.
QString fitSentence(const HoverSentence& sentence, const QFontMetrics& metrics, int width);

// The widest a tooltip's line grows.
inline constexpr int kToolTipWidth = 400;
// A text as a tooltip shows it: plain text (never markup), each line of it broken into lines no wider than
// kToolTipWidth, so that even a long name without spaces stays on the screen; empty for a blank text.
QString plainToolTip(const QString& text);
// Gives a widget the whole of a text it cannot show: as its tooltip, shown as plain text (never markup) and
// broken into lines no wider than kToolTipWidth, so that even a long name without spaces stays on the
// screen; and as plain text for screen readers, which would otherwise read the tooltip's markup. A blank
// text takes both away.
void setWholeTextTip(QWidget* widget, const QString& text);
