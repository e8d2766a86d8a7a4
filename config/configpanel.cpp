#include "configpanel.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "app/look.h"

namespace {

const QColor kMaroon(0x80, 0x00, 0x00);
const QColor kDarkBlue(0x00, 0x00, 0xC0);

Label* makeLabel(QWidget* parent, const QString& name, const QRect& geometry, const QString& text,
                 const QFont& font, const QColor& colour = look::kBlack)
{
    auto* label = new Label(parent, name);
    label->setFont(font);
    label->setGeometry(geometry);
    label->setTextColor(colour);
    label->setCaption(text);
    return label;
}

// A rectangle outline behind the other controls; it takes no mouse events.
class ShapeOutline : public QFrame
{
public:
    ShapeOutline(QWidget* parent, const QString& name, const QRect& geometry, const QColor& outline) : QFrame(parent)
    {
        setObjectName(name);
        setGeometry(geometry);
        setFrameStyle(QFrame::Box | QFrame::Plain);
        QPalette palette = this->palette();
        palette.setColor(QPalette::WindowText, outline);
        setPalette(palette);
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
};

} // namespace

QLineEdit* makeTextBox(QWidget* parent, const QString& name, const QRect& geometry)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    box->setFont(look::defaultFont());
    box->setAlignment(Qt::AlignCenter);
    box->setFrame(false);
    box->setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid #000000; padding: 0px; }"));
    box->setAttribute(Qt::WA_NoMousePropagation);
    return box;
}

ConfigPanel::ConfigPanel(QWidget* window) : Frame(window, QStringLiteral("Frame1"), true)
{
    setGeometry(twipsRect(100, 180, 14310, 7635));
    hide();
    const QFont small = look::arial(11);
    const QFont boxed = look::arial(15);
    const QColor windowBackground = palette().color(QPalette::Base);

    // Back to front.
    btn4 = new Picture(this, QStringLiteral("btn_4"));
    btn4->setTwipsGeometry(12570, 7140, 1560, 360);
    btn4->setPicture(look::picture(QStringLiteral("btnoff.gif")));

    label = makeLabel(this, QStringLiteral("Label"), twipsRect(150, 2070, 3675, 615), {}, look::arial(13, true),
                      kDarkBlue);
    label->setBoxed(windowBackground);
    label->setHorizontalAlignment(Qt::AlignHCenter);
    label4 = makeLabel(this, QStringLiteral("Label4"), twipsRect(150, 1605, 3675, 330), {}, boxed,
                       palette().color(QPalette::Text));
    label4->setBoxed(windowBackground);
    label4->setHorizontalAlignment(Qt::AlignHCenter);
    label3 = makeLabel(this, QStringLiteral("Label3"), twipsRect(150, 1395, 3015, 270),
                       QStringLiteral("Date de passage à l'heure d'hiver"), small);
    label2 = makeLabel(this, QStringLiteral("Label2"), twipsRect(150, 915, 3675, 330), {}, boxed,
                       palette().color(QPalette::Text));
    label2->setBoxed(windowBackground);
    label2->setHorizontalAlignment(Qt::AlignHCenter);
    label1 = makeLabel(this, QStringLiteral("Label1"), twipsRect(150, 690, 3015, 270),
                       QStringLiteral("Date de passage à l'heure d'été"), small);
    label6 = makeLabel(this, QStringLiteral("Label6"), twipsRect(150, 60, 3015, 270),
                       QStringLiteral("Nous sommes le:"), small);
    label5 = makeLabel(this, QStringLiteral("Label5"), twipsRect(135, 270, 3675, 330), {}, boxed, kMaroon);
    label5->setBoxed(windowBackground);
    label5->setHorizontalAlignment(Qt::AlignHCenter);
    labBTN4 = makeLabel(this, QStringLiteral("LabBTN_4"), twipsRect(12750, 7215, 1200, 360), QStringLiteral("OK"),
                        look::defaultFont());
    labBTN4->setHorizontalAlignment(Qt::AlignHCenter);
    label11 = makeLabel(this, QStringLiteral("Label11"), twipsRect(240, 5070, 4710, 2400), {}, look::arial(16),
                        kMaroon);

    // Child windows, above every drawn control.
    command1 = new QPushButton(QStringLiteral("&OK"), this);
    command1->setObjectName(QStringLiteral("Command1"));
    command1->setGeometry(twipsRect(6810, 5550, 750, 360));
    command1->hide();

    buildEditor();
    buildHours();

    list1 = new QListWidget(this);
    list1->setObjectName(QStringLiteral("List1"));
    list1->setGeometry(twipsRect(12000, 75, 3525, 7470));
    list1->setSortingEnabled(true);
    list1->hide();
}

void ConfigPanel::buildEditor()
{
    frame2 = new Frame(this, QStringLiteral("Frame2"), false);
    frame2->setGeometry(twipsRect(5250, 30, 8925, 6885));

    thiver0 = makeTextBox(frame2, QStringLiteral("THiver_0"), twipsRect(2340, 795, 525, 285));
    thiver0->setToolTip(QStringLiteral("Décalage en hiver (de novembre à mars)"));
    tete0 = makeTextBox(frame2, QStringLiteral("TEte_0"), twipsRect(1800, 795, 525, 285));
    tete0->setToolTip(QStringLiteral("Décalage en été (de mars à octobre)"));
    tvil0 = makeTextBox(frame2, QStringLiteral("Tvil_0"), twipsRect(315, 795, 1470, 285));
    QPalette names = tvil0->palette();
    names.setColor(QPalette::Text, kDarkBlue);
    tvil0->setPalette(names);
    for (QLineEdit* box : {thiver0, tete0, tvil0})
        box->hide();

    frame3 = new Frame(frame2, QStringLiteral("Frame3"), false);
    frame3->setGeometry(twipsRect(315, 60, 2610, 675));
    label7 = makeLabel(frame3, QStringLiteral("Label7"), twipsRect(1485, 90, 1065, 570), QStringLiteral("Décalage TU"),
                       look::defaultFont(), palette().color(QPalette::Text));
    label7->setBoxed(palette().color(QPalette::Base));
    label7->setHorizontalAlignment(Qt::AlignHCenter);
    auto header = [this](const QString& name, const QRect& geometry, const QString& text, const QColor& colour) {
        QLineEdit* box = makeTextBox(frame3, name, geometry);
        box->setFont(look::arial(12, true));
        box->setText(text);
        box->setReadOnly(true);
        QPalette palette = box->palette();
        palette.setColor(QPalette::Text, colour);
        box->setPalette(palette);
        return box;
    };
    g1 = header(QStringLiteral("g1_1"), twipsRect(0, 330, 1470, 330), QStringLiteral("Ville"), QColor(0, 0, 0xFF));
    g2 = header(QStringLiteral("g2_1"), twipsRect(1485, 330, 525, 330), QStringLiteral("Eté"), look::kBlack);
    g3 = header(QStringLiteral("g3_1"), twipsRect(2025, 330, 525, 330), QStringLiteral("Hiver"), look::kRed);

    pref0 = new QCheckBox(frame2);
    pref0->setObjectName(QStringLiteral("Pref_0"));
    pref0->setGeometry(twipsRect(2565, 795, 255, 255));
    pref0->setToolTip(QStringLiteral("Cochez pour repérer plus facilement cette ville."));
    pref0->setAttribute(Qt::WA_NoMousePropagation);
    pref0->hide();
}

void ConfigPanel::buildHours()
{
    frame4 = new Frame(this, QStringLiteral("Frame4"), true);
    frame4->setGeometry(twipsRect(1530, 2970, 2190, 1935));

    new ShapeOutline(frame4, QStringLiteral("Shape4"), twipsRect(0, 0, 2115, 1845), QColor(0x40, 0x40, 0x40));
    label9.resize(6);
    const QFont font = look::defaultFont();
    label9[0] = makeLabel(frame4, QStringLiteral("Label9_0"), twipsRect(990, 135, 990, 195),
                          QStringLiteral("Heure de Nuit"), font);
    label9[0]->setAutoSize(true);
    nuit = new Picture(frame4, QStringLiteral("Nuit"));
    nuit->setTwipsGeometry(195, 180, 720, 720);
    nuit->setPicture(look::picture(QStringLiteral("nuit.gif")));
    label9[5] = makeLabel(frame4, QStringLiteral("Label9_5"), twipsRect(990, 1200, 870, 210),
                          QStringLiteral("A partir de..."), font);
    label9[5]->setHorizontalAlignment(Qt::AlignRight);
    label9[4] = makeLabel(frame4, QStringLiteral("Label9_4"), twipsRect(1545, 1530, 180, 210), QStringLiteral("h"), font);
    label9[2] = makeLabel(frame4, QStringLiteral("Label9_2"), twipsRect(990, 330, 870, 210),
                          QStringLiteral("A partir de..."), font);
    label9[2]->setHorizontalAlignment(Qt::AlignRight);
    label9[3] = makeLabel(frame4, QStringLiteral("Label9_3"), twipsRect(1545, 645, 180, 210), QStringLiteral("h"), font);
    label9[1] = makeLabel(frame4, QStringLiteral("Label9_1"), twipsRect(990, 1005, 1005, 195),
                          QStringLiteral("Heure de Jour"), font);
    label9[1]->setAutoSize(true);
    jour = new Picture(frame4, QStringLiteral("Jour"));
    jour->setTwipsGeometry(195, 1020, 720, 720);
    jour->setPicture(look::picture(QStringLiteral("jour.gif")));

    text2 = makeTextBox(frame4, QStringLiteral("Text2"), twipsRect(990, 1425, 525, 285));
    text1 = makeTextBox(frame4, QStringLiteral("Text1"), twipsRect(990, 570, 525, 285));
}
