#include "aboutwindow.h"

#include <QCloseEvent>
#include <QCursor>
#include <QMouseEvent>
#include <QUrlQuery>

#include "ui/controls.h"
#include "ui/look.h"
#include "version.h"

namespace about {

QString versionLine(int major, int minor, int revision)
{
    return QStringLiteral("Version... %1.%2.%3").arg(major).arg(minor).arg(revision);
}

QUrl webPage()
{
    return QUrl(QStringLiteral("https://horlune.example.org/"));
}

QString webPageCaption()
{
    return webPage().toString().replace(QStringLiteral("//"), QStringLiteral("\\\\"));
}

QUrl mailToAuthor(int major, int minor, int revision)
{
    QUrl url(QStringLiteral("mailto:auteur@horlune.example.org"));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("subject"),
                       QStringLiteral("Horlune V%1.%2.%3").arg(major).arg(minor).arg(revision));
    url.setQuery(query);
    return url;
}

QString paragraph()
{
    return QStringLiteral(
        "Quelle heure est-il à Vladivostock ou à Saint petersbourg... quand on est à Shangaï... "
        "Ce programme tient compte de l'heure d'été et de l'heure d'hiver selon le calcul en vigueur en France "
        "et dans la plupart des pays du monde : heure d'été à partir du dernier dimanche de mars, heure d'hiver "
        "à partir du dernier dimanche d'octobre. "
        "Les villes de la liste suivent les dates de changement d'heure de leur propre pays ; une ville dont "
        "les décalages sont tapés à la main suit la règle ci-dessus.");
}

QString notice()
{
    return QStringLiteral("Ce programme n'est soumis à aucune restriction particulière de copie : "
                          "vous pouvez le donner librement et gratuitement.");
}

} // namespace about

namespace {

Label* makeLabel(QWidget* parent, const QString& name, const QRect& geometry, const QFont& font, const QColor& colour)
{
    auto* label = new Label(parent, name);
    label->setGeometry(geometry);
    label->setFont(font);
    label->setTextColor(colour);
    return label;
}

QCursor iconCursor(const QString& name, int hotX, int hotY)
{
    return QCursor(look::picture(name), hotX, hotY);
}

} // namespace

HorluneAbout::HorluneAbout(Desktop& desktop, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_desktop(desktop)
{
    setObjectName(QStringLiteral("HorluneAbout"));
    setWindowTitle(QStringLiteral("Form1"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(400, 573);
    setFont(look::defaultFont());
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, look::kBlack);
    setPalette(palette);
    setAutoFillBackground(true);

    // Back to front.
    auto* image1 = new Picture(this, QStringLiteral("Image1"));
    image1->setTwipsGeometry(90, 615, 5805, 4500);
    image1->setPicture(look::picture(QStringLiteral("about.jpg")));
    connect(image1, &Picture::clicked, this, &HorluneAbout::Image1_Click);

    m_label2 =
        makeLabel(this, QStringLiteral("Label2"), look::twipsRect(2910, 8205, 3060, 360), look::sans(18), look::kRed);
    m_label2->setHorizontalAlignment(Qt::AlignRight);
    m_label2->setAutoSize(true);

    m_label1.resize(3);
    m_label1[0] = makeLabel(this, QStringLiteral("Label1_0"), look::twipsRect(75, 5220, 5805, 1590),
                            look::defaultFont(), look::kWhite);
    m_label1[2] = makeLabel(this, QStringLiteral("Label1_2"), look::twipsRect(-195, 150, 6435, 450),
                            look::sans(21, true, true), look::kRed);
    m_label1[2]->setHorizontalAlignment(Qt::AlignHCenter);
    m_label1[2]->setWordWrap(false);
    m_label1[2]->setCaption(about::webPageCaption());
    m_label1[2]->setCursor(iconCursor(QStringLiteral("globe.ico"), 16, 16));

    m_label3 = makeLabel(this, QStringLiteral("Label3"), look::twipsRect(1365, 7785, 2715, 330),
                         look::sans(19, true, true), look::kBlue);
    m_label3->setCaption(QStringLiteral("Contacter l'auteur..."));
    m_label3->setAutoSize(true);
    m_label3->setCursor(iconCursor(QStringLiteral("hand.ico"), 30, 13));
    connect(m_label3, &Label::mouseMoved, this, &HorluneAbout::Label3_MouseMove);
    connect(m_label3, &Label::clicked, this, &HorluneAbout::Label3_Click);

    m_label1[1] = makeLabel(this, QStringLiteral("Label1_1"), look::twipsRect(60, 6945, 5835, 945), look::comic(16),
                            look::kLightGrey);
    m_label1[1]->setHorizontalAlignment(Qt::AlignHCenter);
    m_label1[1]->setCaption(about::notice());

    for (int i = 0; i < 3; ++i) {
        connect(m_label1[i], &Label::mouseMoved, this, [this, i] { Label1_MouseMove(i); });
        connect(m_label1[i], &Label::clicked, this, [this, i] { Label1_Click(i); });
    }

    centreOnScreen(this);
}

void HorluneAbout::Form_Load()
{
    m_label1[0]->setCaption(about::paragraph());
    m_label2->setCaption(about::versionLine(kVersionMajor, kVersionMinor, kVersionPatch));
    show();
}

void HorluneAbout::Form_Click()
{
    close();
}

void HorluneAbout::Label1_Click(int index)
{
    if (index == 0) {
        Form_Click();
        return;
    }
    m_desktop.openUrl(about::webPage());
}

void HorluneAbout::Label1_MouseMove(int index)
{
    m_label1[2]->setTextColor(index == 2 ? look::kRed : look::kBlue);
    m_label3->setTextColor(look::kBlue);
}

void HorluneAbout::Label3_Click()
{
    m_desktop.openUrl(about::mailToAuthor(kVersionMajor, kVersionMinor, kVersionPatch));
}

void HorluneAbout::Label3_MouseMove()
{
    m_label3->setTextColor(look::kRed);
}

void HorluneAbout::closeEvent(QCloseEvent* event)
{
    // The clock comes back before this window goes, so the program never finds itself without a window.
    emit closed();
    event->accept();
}

void HorluneAbout::mouseReleaseEvent(QMouseEvent* event)
{
    if (rect().contains(event->position().toPoint()))
        Form_Click();
}
