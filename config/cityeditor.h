#pragma once

#include <QList>
#include <memory>

#include "save/citylist.h"
#include "ui/controls.h"

class Clock;
class QCheckBox;
class QKeyEvent;
class QLineEdit;

// The city editor of the configuration panel (`Frame2`): one line per city row, its name (`Tvil`), summer
// and winter offsets (`TEte`, `THiver`) and mark (`Pref`), under the column headers (`Frame3`). The lines
// exist only while the panel is open; row 0 of each column is a hidden template they copy. Typing a name
// offers the cities of the index; choosing one fills the line with its name, offsets and zone, and typing
// an offset detaches the zone.
// Keys: Up and Down go to the same column of the line before or after, Page Up and Page Down ten lines,
// Ctrl+Home and Ctrl+End to the first and last line; a letter typed on a mark asks for the panel's "Aller à la
// ville…" box (findRequested), which findLine() and goToLine() serve. A mark that has the keys by the keyboard
// shows a clear black frame around its box.
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
    // Shows in red the offset boxes that a save refused (the refusals of lines), until their text changes,
    // and gives the keys to the first; false when there is none.
    bool markOffsets(const QList<EntryRefusal>& refusals);

    // The columns of a line, in the order Tab goes through them.
    enum Column
    {
        NameColumn,
        SummerColumn,
        WinterColumn,
        MarkColumn
    };
    // The line (from 1) and column of one of the lines' controls; 0 and -1 for any other widget.
    int lineOf(const QObject* control) const;
    int columnOf(const QObject* control) const;
    // The first line whose name begins with `typed` (letter case, accents and punctuation aside), else the
    // first with a word that does; 0 for none or an empty text.
    int findLine(const QString& typed) const;
    // Shows line `line`'s name as the one found (0: none).
    void showFound(int line);
    int foundLine() const { return m_found; }
    // Gives the keys to a column of a line, as Tab would (a text box's whole text selected).
    void goToLine(int line, Column column);

signals:
    // Any change of a text or a mark, by the user or the program.
    void changed();
    // A letter was typed on a mark, where it types nothing: the user looks for a city.
    void findRequested(const QString& typed);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    struct Line
    {
        QLineEdit* name = nullptr;
        QLineEdit* summer = nullptr;
        QLineEdit* winter = nullptr;
        QCheckBox* mark = nullptr;
        QString zone;
        bool flagged = false; // to be renamed before a save (markLines)
    };
    void flagLine(int i, bool flagged);
    // The line a key moves the keys to from line `from`; 0 for a key that moves none.
    int lineForKey(const QKeyEvent* event, int from) const;
    // The black frame around a mark's box, where a mark has the keys by the keyboard.
    void frameMark(QCheckBox* mark);
    QRect markFrameRect(const QCheckBox* mark) const;
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
    int m_found = 0;
    QCheckBox* m_framed = nullptr;
    bool m_marksByKeys = false; // the last mark to take the keys took them by the keyboard
};

// A text box as the panel draws them: flat one-pixel outline, text centred.
QLineEdit* makeTextBox(QWidget* parent, const QString& name, const QRect& geometry);
// Shows in red that a text box must be changed before a save can be made, with why for screen readers
// (and no longer, with false).
void markBox(QLineEdit* box, bool marked, const QString& why = {});
bool isBoxMarked(const QLineEdit* box);
