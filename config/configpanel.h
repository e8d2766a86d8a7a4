#pragma once

#include <QList>
#include <functional>

#include "app/controls.h"
#include "config/citylist.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;

// The configuration panel (`Frame1`): the dates and season of the computer on the left, the day and night
// hours (`Frame4`), and the city editor (`Frame2`) with its column headers (`Frame3`). Hidden until the
// "Configuration" button opens it.
class ConfigPanel : public Frame
{
    Q_OBJECT

public:
    explicit ConfigPanel(QWidget* window);

    Picture* btn4 = nullptr; // the "OK" button's picture and caption, run by the button bar
    Label* labBTN4 = nullptr;
    Label* label = nullptr; // the season message
    Label* label1 = nullptr;
    Label* label2 = nullptr; // date of the change to summer time
    Label* label3 = nullptr;
    Label* label4 = nullptr; // date of the change to winter time
    Label* label5 = nullptr; // today's date
    Label* label6 = nullptr;
    Label* label11 = nullptr; // the help sentences
    QPushButton* command1 = nullptr;
    Frame* frame2 = nullptr; // the city editor
    Frame* frame3 = nullptr; // its column headers
    Frame* frame4 = nullptr; // the day and night hours
    QListWidget* list1 = nullptr;
    QLineEdit* text1 = nullptr; // hour at which night begins
    QLineEdit* text2 = nullptr; // hour at which day begins
    Picture* nuit = nullptr;
    Picture* jour = nullptr;
    QList<Label*> label9;
    // Row 0 of the editor: hidden templates for the lines the editor creates.
    QLineEdit* tvil0 = nullptr;
    QLineEdit* tete0 = nullptr;
    QLineEdit* thiver0 = nullptr;
    QCheckBox* pref0 = nullptr;
    QLineEdit* g1 = nullptr;
    QLineEdit* g2 = nullptr;
    QLineEdit* g3 = nullptr;
    Label* label7 = nullptr;

    // The editor's lines 1 to 59, created at each opening and destroyed at each closing. Line i shows
    // `Tvil`(i), `TEte`(i), `THiver`(i) and `Pref`(i), copies of the templates, in column group i / 20.
    static constexpr int kLines = 59;
    void createLine(int i);
    void destroyLines();
    int lineCount() const { return qMax(0, int(m_lines.size()) - 1); }
    QLineEdit* tvil(int i) const { return line(i).tvil; }
    QLineEdit* tete(int i) const { return line(i).tete; }
    QLineEdit* thiver(int i) const { return line(i).thiver; }
    QCheckBox* pref(int i) const { return line(i).pref; }
    // The lines' texts and marks; setting them raises the change handlers as typing does.
    QList<EditorLine> editorLines() const;
    void setEditorLines(const QList<EditorLine>& lines);
    void setLine(int i, const EditorLine& values);

    // Change handlers: an offset box turns every comma into a point; any change counts as a modification.
    void TEte_Change(int i);
    void THiver_Change(int i);
    // Over a line's texts, the column headers move above its column group.
    void Tvil_MouseMove(int i);
    void TEte_MouseMove(int i) { Tvil_MouseMove(i); }
    void THiver_MouseMove(int i) { Tvil_MouseMove(i); }

    // Called on every change of a text or a mark of the panel.
    std::function<void()> onModified;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Line
    {
        QLineEdit* tvil = nullptr;
        QLineEdit* tete = nullptr;
        QLineEdit* thiver = nullptr;
        QCheckBox* pref = nullptr;
    };
    const Line& line(int i) const;
    void modified();
    void replaceCommas(QLineEdit* box);
    void buildHours();
    void buildEditor();

    QList<Line> m_lines; // index 0 unused: the Universal Time row has no line
};

// A text box as the panel draws them: flat one-pixel outline, text centred.
QLineEdit* makeTextBox(QWidget* parent, const QString& name, const QRect& geometry);
