#include "fitting.h"

#include <QFontMetrics>
#include <QStringList>
#include <QTextLayout>
#include <QToolTip>
#include <QWidget>

QString fitSentence(const HoverSentence& sentence, const QFontMetrics& metrics, int width)
{
    const QString whole = sentence.whole();
    if (metrics.horizontalAdvance(whole) <= width)
        return whole;
    // Kerning where the two parts meet can cost a pixel: narrow the name until the whole fits.
    for (int room = width - metrics.horizontalAdvance(sentence.rest); room > 0; --room) {
        const QString fitted = metrics.elidedText(sentence.name, Qt::ElideRight, room) + sentence.rest;
        if (metrics.horizontalAdvance(fitted) <= width)
            return fitted;
    }
    return sentence.rest;
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
