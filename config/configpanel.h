#pragma once

#include <QList>

#include "app/controls.h"

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

private:
    void buildHours();
    void buildEditor();
};

// A text box as the panel draws them: flat one-pixel outline, text centred.
QLineEdit* makeTextBox(QWidget* parent, const QString& name, const QRect& geometry);
