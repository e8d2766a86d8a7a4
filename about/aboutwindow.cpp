#include "aboutwindow.h"

#include <QCloseEvent>
#include <QCursor>
#include <QMouseEvent>
#include <QUrlQuery>

#include "app/controls.h"
#include "app/look.h"

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
        "Certains pays changent leurs zones aux équinoxes, donc pour ces régions les données fournies par ce "
        "programme seront quelque peu faussées pendant quelques jours.");
}

QString notice()
{
    return QStringLiteral("Ce programme n'est soumis à aucune restriction particulière de copie : "
                          "vous pouvez le donner librement et gratuitement.");
}

} // namespace about

namespace {

const QColor kLightGrey(0xE0, 0xE0, 0xE0);
const QColor kBlue(0x00, 0x00, 0xFF);

Label* makeLabel(QWidget* parent, const QString& name, const QRect& geometry, const QFont& font,
                 const QColor& colour)
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
    m_image1 = new Picture(this, QStringLiteral("Image1"));
    m_image1->setTwipsGeometry(90, 615, 5805, 4500);
    m_image1->setPicture(look::picture(QStringLiteral("about.jpg")));
    m_image1->mouse.click = [this] { Image1_Click(); };

    m_label2 = makeLabel(this, QStringLiteral("Label2"), twipsRect(2910, 8205, 3060, 360), look::arial(18),
                         look::kRed);
    m_label2->setHorizontalAlignment(Qt::AlignRight);
    m_label2->setAutoSize(true);

    m_label1.resize(3);
    m_label1[0] = makeLabel(this, QStringLiteral("Label1_0"), twipsRect(75, 5220, 5805, 1590), look::defaultFont(),
                            look::kWhite);
    m_label1[2] = makeLabel(this, QStringLiteral("Label1_2"), twipsRect(-195, 150, 6435, 450),
                            look::arial(21, true, true), look::kRed);
    m_label1[2]->setHorizontalAlignment(Qt::AlignHCenter);
    m_label1[2]->setWordWrap(false);
    m_label1[2]->setCaption(about::webPageCaption());
    m_label1[2]->setCursor(iconCursor(QStringLiteral("globe.ico"), 16, 16));

    m_label3 = makeLabel(this, QStringLiteral("Label3"), twipsRect(1365, 7785, 2715, 330),
                         look::arial(19, true, true), kBlue);
    m_label3->setCaption(QStringLiteral("Contacter l'auteur..."));
    m_label3->setAutoSize(true);
    m_label3->setCursor(iconCursor(QStringLiteral("hand.ico"), 30, 13));
    m_label3->mouse.move = [this](QMouseEvent*) { Label3_MouseMove(); };
    m_label3->mouse.click = [this] { Label3_Click(); };

    m_label1[1] = makeLabel(this, QStringLiteral("Label1_1"), twipsRect(60, 6945, 5835, 945), look::comic(16),
                            kLightGrey);
    m_label1[1]->setHorizontalAlignment(Qt::AlignHCenter);
    m_label1[1]->setCaption(about::notice());

    for (int i = 0; i < 3; ++i) {
        m_label1[i]->mouse.move = [this, i](QMouseEvent*) { Label1_MouseMove(i); };
        m_label1[i]->mouse.click = [this, i] { Label1_Click(i); };
    }

    centreOnScreen(this);
}

void HorluneAbout::Form_Load()
{
    m_label1[0]->setCaption(about::paragraph());
    m_label2->setCaption(about::versionLine(HORLUNE_VERSION_MAJOR, HORLUNE_VERSION_MINOR, HORLUNE_VERSION_PATCH));
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
    m_label1[2]->setTextColor(index == 2 ? look::kRed : kBlue);
    m_label3->setTextColor(kBlue);
}

void HorluneAbout::Label3_Click()
{
    m_desktop.openUrl(about::mailToAuthor(HORLUNE_VERSION_MAJOR, HORLUNE_VERSION_MINOR, HORLUNE_VERSION_PATCH));
}

void HorluneAbout::Label3_MouseMove()
{
    m_label3->setTextColor(look::kRed);
}

void HorluneAbout::closeEvent(QCloseEvent* event)
{
    // The clock comes back before this window goes, so the program never finds itself without a window.
    if (auto closed = std::exchange(onClosed, nullptr))
        closed();
    event->accept();
}

void HorluneAbout::mouseReleaseEvent(QMouseEvent* event)
{
    if (rect().contains(event->position().toPoint()))
        Form_Click();
}
