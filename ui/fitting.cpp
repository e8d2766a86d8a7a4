#include "fitting.h"

#include <QFontMetrics>
#include <QStringList>
#include <QTextLayout>
#include <QToolTip>
#include <QWidget>
#include <optional>

namespace {

// The name shortened as little as it must for `rest` to stay whole; none when it would keep less than
// `leastName` pixels of itself.
std::optional<QString> fitName(const QString& name, const QString& rest, const QFontMetrics& metrics, int width,
                               int leastName)
{
    // Kerning where the two parts meet can cost a pixel: narrow the name until the whole fits.
    for (int room = width - metrics.horizontalAdvance(rest); room > 0 && room >= leastName; --room) {
        const QString fitted = metrics.elidedText(name, Qt::ElideRight, room) + rest;
        if (metrics.horizontalAdvance(fitted) <= width)
            return fitted;
    }
    return std::nullopt;
}

} // namespace

QString fitSentence(const HoverSentence& sentence, const QFontMetrics& metrics, int width)
{
    const QString whole = sentence.whole();
    if (metrics.horizontalAdvance(whole) <= width)
        return whole;
    // A shorter form keeps more of the name: each form is tried with a readable part of it first.
    const QStringList rests = QStringList{sentence.rest} + sentence.shorterRests;
    const int leastName =
        qMin(metrics.horizontalAdvance(sentence.name), metrics.horizontalAdvance(QStringLiteral("Xxxxxxxx…")));
    for (const QString& rest : rests) {
        if (const std::optional<QString> fitted = fitName(sentence.name, rest, metrics, width, leastName))
            return *fitted;
    }
    return fitName(sentence.name, rests.last(), metrics, width, 0).value_or(rests.last());
}

QString plainToolTip(const QString& text)
{
    if (text.trimmed().isEmpty())
        return {};
    // Each paragraph broken at spaces where it can, anywhere else where it must, never inside a character.
    QStringList lines;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, QToolTip::font());
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(kToolTipWidth);
            lines.append(paragraph.mid(line.textStart(), line.textLength()).trimmed());
        }
        layout.endLayout();
    }
    // As markup made from plain text, so that a name such as "<b>" shows as it is written, and kept to these
    // lines: a tooltip would otherwise break them again, at hyphens too, to a width of its own.
    return QStringLiteral("<p style=\"white-space:pre\">") + lines.join(QLatin1Char('\n')).toHtmlEscaped() +
           QStringLiteral("</p>");
}

void setWholeTextTip(QWidget* widget, const QString& text)
{
    const QString toolTip = plainToolTip(text);
    widget->setToolTip(toolTip);
    widget->setAccessibleDescription(toolTip.isEmpty() ? QString() : text);
}
