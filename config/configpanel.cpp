#include "configpanel.h"

#include <QCheckBox>
#include <QEvent>
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
    // Commas stay as typed in the hour boxes.
    for (QLineEdit* box : {text1, text2})
        connect(box, &QLineEdit::textChanged, this, [this] { modified(); });
}

namespace {

QLineEdit* copyTextBox(const QLineEdit* model, const QString& name, const QRect& geometry)
{
    QLineEdit* box = makeTextBox(model->parentWidget(), name, geometry);
    box->setFont(model->font());
    box->setPalette(model->palette());
    box->setAlignment(model->alignment());
    box->setToolTip(model->toolTip());
    box->setMouseTracking(true);
    return box;
}

} // namespace

void ConfigPanel::createLine(int i)
{
    if (i < 1 || i > kLines || i <= lineCount())
        return;
    if (m_lines.isEmpty())
        m_lines.resize(1);
    const int group = i / 20;
    const int left = 315 + 3000 * group;
    const int top = 795 + 300 * (i % 20);
    Line line;
    line.tvil = copyTextBox(tvil0, QStringLiteral("Tvil_%1").arg(i), twipsRect(left, top, 1470, 285));
    line.tete = copyTextBox(tete0, QStringLiteral("TEte_%1").arg(i), twipsRect(1800 + 3000 * group, top, 525, 285));
    line.thiver = copyTextBox(thiver0, QStringLiteral("THiver_%1").arg(i), twipsRect(2340 + 3000 * group, top, 525, 285));
    line.pref = new QCheckBox(frame2);
    line.pref->setObjectName(QStringLiteral("Pref_%1").arg(i));
    line.pref->setGeometry(twipsRect(left - 250, top, 255, 255));
    line.pref->setToolTip(pref0->toolTip());
    line.pref->setAttribute(Qt::WA_NoMousePropagation);

    QPalette name = line.tvil->palette();
    name.setColor(QPalette::Text, QColor(0, 0, 0xFF));
    line.tvil->setPalette(name);
    QPalette winter = line.thiver->palette();
    winter.setColor(QPalette::Text, look::kRed);
    line.thiver->setPalette(winter);
    QPalette summer = line.tete->palette();
    summer.setColor(QPalette::Text, look::kBlack);
    line.tete->setPalette(summer);

    connect(line.tvil, &QLineEdit::textChanged, this, [this] { modified(); });
    connect(line.tete, &QLineEdit::textChanged, this, [this, i] { TEte_Change(i); });
    connect(line.thiver, &QLineEdit::textChanged, this, [this, i] { THiver_Change(i); });
    connect(line.pref, &QCheckBox::toggled, this, [this] { modified(); });
    for (QLineEdit* box : {line.tvil, line.tete, line.thiver}) {
        box->setProperty("editorLine", i);
        box->installEventFilter(this);
    }

    // Tab runs down each column group: name, summer, winter, mark, then the next line.
    QWidget* previous = i > 1 ? static_cast<QWidget*>(m_lines.last().pref) : nullptr;
    for (QWidget* control : {static_cast<QWidget*>(line.tvil), static_cast<QWidget*>(line.tete),
                             static_cast<QWidget*>(line.thiver), static_cast<QWidget*>(line.pref)}) {
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
        control->show();
    }
    m_lines.append(line);
}

void ConfigPanel::destroyLines()
{
    for (int i = 1; i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        for (QWidget* control : {static_cast<QWidget*>(line.tvil), static_cast<QWidget*>(line.tete),
                                 static_cast<QWidget*>(line.thiver), static_cast<QWidget*>(line.pref)}) {
            control->disconnect(this);
            delete control;
        }
    }
    m_lines.clear();
}

const ConfigPanel::Line& ConfigPanel::line(int i) const
{
    static const Line none;
    return i >= 1 && i < m_lines.size() ? m_lines[i] : none;
}

QList<EditorLine> ConfigPanel::editorLines() const
{
    QList<EditorLine> lines;
    for (int i = 1; i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        lines.append({line.tvil->text(), line.tete->text(), line.thiver->text(), line.pref->isChecked()});
    }
    return lines;
}

void ConfigPanel::setEditorLines(const QList<EditorLine>& lines)
{
    for (int i = 1; i < m_lines.size() && i <= lines.size(); ++i)
        setLine(i, lines[i - 1]);
}

void ConfigPanel::setLine(int i, const EditorLine& values)
{
    if (i < 1 || i >= m_lines.size())
        return;
    const Line& line = m_lines[i];
    const std::pair<QLineEdit*, const QString*> texts[] = {
        {line.tvil, &values.name}, {line.tete, &values.summer}, {line.thiver, &values.winter}};
    for (const auto& [box, text] : texts) {
        box->setText(*text);
        box->home(false); // a long name shows its beginning
    }
    line.pref->setChecked(values.marked);
}

void ConfigPanel::TEte_Change(int i)
{
    replaceCommas(tete(i));
    modified();
}

void ConfigPanel::THiver_Change(int i)
{
    replaceCommas(thiver(i));
    modified();
}

void ConfigPanel::replaceCommas(QLineEdit* box)
{
    if (!box || !box->text().contains(QLatin1Char(',')))
        return;
    // Same length, so the cursor can stay where the user is typing.
    const int cursor = box->cursorPosition();
    box->setText(box->text().replace(QLatin1Char(','), QLatin1Char('.')));
    box->setCursorPosition(cursor);
}

void ConfigPanel::Tvil_MouseMove(int i)
{
    if (QLineEdit* name = tvil(i))
        frame3->move(name->x(), frame3->y());
}

void ConfigPanel::modified()
{
    if (onModified)
        onModified();
}

bool ConfigPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove) {
        const QVariant line = watched->property("editorLine");
        if (line.isValid())
            Tvil_MouseMove(line.toInt());
    }
    return Frame::eventFilter(watched, event);
}
