#pragma once

#include <QList>
#include <memory>

#include "save/citylist.h"
#include "ui/controls.h"

class Clock;
class QCheckBox;
class QLineEdit;

// The city editor of the configuration panel (`Frame2`): one line per city row, its name (`Tvil`), summer
// and winter offsets (`TEte`, `THiver`) and mark (`Pref`), under the column headers (`Frame3`). The lines
// exist only while the panel is open; row 0 of each column is a hidden template they copy. Typing a name
// offers the cities of the index; choosing one fills the line with its name, offsets and zone, and typing
// an offset detaches the zone.
class CityEditor : public Frame
{
    Q_OBJECT

public:
    CityEditor(QWidget* panel, const Clock& clock);

    // Creates lines 1 to kCityRows with these texts and marks.
    void fill(const QList<EditorLine>& lines);
    // Destroys the lines.
    void clear();
    int lineCount() const { return int(m_lines.size()); }
    // The boxes and marks in the order Tab goes through them: line by line, name, summer, winter, mark.
    QList<QWidget*> focusChain() const;
    QList<EditorLine> lines() const;
    // Sets the texts and marks; the change handlers run as when typing.
    void setLines(const QList<EditorLine>& lines);
    // Shows that these lines (counted from 1) must be changed before a save can be made, in red, until one of
    // their texts changes, and gives the keys to the first.
    void markLines(const QList<int>& lines);
    bool isLineMarked(int line) const { return m_lines.value(line - 1).flagged; }

signals:
    // Any change of a text or a mark, by the user or the program.
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Line
    {
        QLineEdit* name = nullptr;
        QLineEdit* summer = nullptr;
        QLineEdit* winter = nullptr;
        QCheckBox* mark = nullptr;
        QString zone;
        bool flagged = false; // to be changed before a save (markLines)
    };
    void flagLine(int i, bool flagged);
    void createLine(int i);
    void setLine(Line& line, const EditorLine& values);
    void nameChanged(int i);
    // Line i's name where its box cannot show it whole (the tooltip), and for screen readers the city and
    // the column of each of its boxes.
    void describeLine(int i);
    // An offset box turns every comma into a point.
    void summerChanged(int i);
    void winterChanged(int i);
    // Over a line's texts, the column headers move above its column group.
    void moveHeadersOver(int i);
    // The cities of the index that the name typed in line i begins, under its box.
    void offerCities(int i, const QString& typed);
    void chooseCity(int i, const QString& name, const QString& zone);
    // The index of world cities, held while the panel is open.

    const Clock& m_clock;
    QLineEdit* m_nameTemplate = nullptr;
    QLineEdit* m_summerTemplate = nullptr;
    QLineEdit* m_winterTemplate = nullptr;
    QCheckBox* m_markTemplate = nullptr;
    Frame* m_headers = nullptr;
    QList<Line> m_lines; // line i at index i - 1
};

// A text box as the panel draws them: flat one-pixel outline, text centred.
QLineEdit* makeTextBox(QWidget* parent, const QString& name, const QRect& geometry);
