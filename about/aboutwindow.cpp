#include "aboutwindow.h"

#include <QCloseEvent>
#include <QCursor>
#include <QKeyEvent>
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
    // The design's own title, never seen on a borderless window but read by the window system, kept as it is.
    setWindowTitle(QStringLiteral("Form1"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(400, 573);
    setFont(look::defaultFont());
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, look::kBlack);
    setPalette(palette);
    setAutoFillBackground(true);

    // Back to front.
    auto* map = new Picture(this, QStringLiteral("Image1"));
    map->setTwipsGeometry(90, 615, 5805, 4500);
    map->setPicture(look::picture(QStringLiteral("about.jpg")));
    connect(map, &Picture::clicked, this, &HorluneAbout::closeAndReturn);

    m_version =
        makeLabel(this, QStringLiteral("Label2"), look::twipsRect(2910, 8205, 3060, 360), look::sans(18), look::kRed);
    m_version->setHorizontalAlignment(Qt::AlignRight);
    m_version->setAutoSize(true);

    m_paragraph = makeLabel(this, QStringLiteral("Label1_0"), look::twipsRect(75, 5220, 5805, 1590),
                            look::defaultFont(), look::kWhite);
    m_webLink = makeLabel(this, QStringLiteral("Label1_2"), look::twipsRect(-195, 150, 6435, 450),
                          look::sans(21, true, true), look::kRed);
    m_webLink->setHorizontalAlignment(Qt::AlignHCenter);
    m_webLink->setWordWrap(false);
    m_webLink->setCaption(about::webPageCaption());
    m_webLink->setCursor(iconCursor(QStringLiteral("globe.ico"), 16, 16));

    m_mailLink = makeLabel(this, QStringLiteral("Label3"), look::twipsRect(1365, 7785, 2715, 330),
                           look::sans(19, true, true), look::kBlue);
    m_mailLink->setCaption(QStringLiteral("Contacter l'auteur..."));
    m_mailLink->setAutoSize(true);
    m_mailLink->setCursor(iconCursor(QStringLiteral("hand.ico"), 30, 13));
    connect(m_mailLink, &Label::mouseMoved, this, [this] { m_mailLink->setTextColor(look::kRed); });
    connect(m_mailLink, &Label::clicked, this, &HorluneAbout::writeToTheAuthor);

    m_notice = makeLabel(this, QStringLiteral("Label1_1"), look::twipsRect(60, 6945, 5835, 945), look::comic(16),
                         look::kLightGrey);
    m_notice->setHorizontalAlignment(Qt::AlignHCenter);
    m_notice->setCaption(about::notice());

    // The two links take the keys by Tab, the web page's first, and are pressed by Enter or Space.
    m_webLink->setLink(true);
    m_mailLink->setLink(true);
    m_webLink->setAccessibleDescription(about::webPage().toString());
    m_mailLink->setAccessibleDescription(about::mailToAuthor(kVersionMajor, kVersionMinor, kVersionPatch).path());
    setTabOrder(m_webLink, m_mailLink);

    // The paragraph, the notice and the web link answer the mouse alike, as designed: a click on the notice
    // opens the web page too.
    connect(m_paragraph, &Label::clicked, this, &HorluneAbout::closeAndReturn);
    connect(m_notice, &Label::clicked, this, &HorluneAbout::openWebPage);
    connect(m_webLink, &Label::clicked, this, &HorluneAbout::openWebPage);
    connect(m_paragraph, &Label::mouseMoved, this, [this] { lightLinks(false, false); });
    connect(m_notice, &Label::mouseMoved, this, [this] { lightLinks(false, false); });
    connect(m_webLink, &Label::mouseMoved, this, [this] { lightLinks(true, false); });

    centreOnScreen(this);
}

void HorluneAbout::open()
{
    m_paragraph->setCaption(about::paragraph());
    m_version->setCaption(about::versionLine(kVersionMajor, kVersionMinor, kVersionPatch));
    show();
    // The keys on the window itself, where Escape, Enter and Space close it; Tab goes to the links.
    setFocus(Qt::OtherFocusReason);
}

void HorluneAbout::closeAndReturn()
{
    close();
}

void HorluneAbout::lightLinks(bool webLink, bool mailLink)
{
    // Once the pointer has left it, the web link stays blue rather than its first red, as designed.
    m_webLink->setTextColor(webLink ? look::kRed : look::kBlue);
    m_mailLink->setTextColor(mailLink ? look::kRed : look::kBlue);
}

void HorluneAbout::openWebPage()
{
    m_desktop.openUrl(about::webPage());
}

void HorluneAbout::writeToTheAuthor()
{
    m_desktop.openUrl(about::mailToAuthor(kVersionMajor, kVersionMinor, kVersionPatch));
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
        closeAndReturn();
}

void HorluneAbout::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (!event->isAutoRepeat())
            closeAndReturn();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}
