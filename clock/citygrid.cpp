#include "citygrid.h"

#include <QLocale>

#include "app/controls.h"
#include "app/look.h"
#include "clock/rowmath.h"
#include "data/cityfile.h"
#include "data/numbers.h"
#include "time/timerules.h"

namespace {

const QColor kNightMinute(240, 240, 240);
const QColor kNightHour(210, 210, 210);
const QColor kDayMinute(90, 90, 90);
const QColor kDayHour(40, 40, 40);

void setRowLook(Label* ville, Label* digit, const QColor& colour, bool bold)
{
    ville->setTextColor(colour);
    ville->setBold(bold);
    digit->setTextColor(colour);
}

} // namespace

CityGrid::CityGrid(ClockState& state, Platform platform, const QString& programDirectory)
    : m_state(state), m_platform(platform), m_programDirectory(programDirectory)
{
}

void CityGrid::createDesignRow(QWidget* window)
{
    auto* face = new Picture(window, QStringLiteral("Image1_0"));
    face->setTwipsGeometry(4605, 4620, 720, 720);
    face->setPicture(look::picture(QStringLiteral("nuit.gif")));

    auto* name = new Label(window, QStringLiteral("Ville_0"));
    name->setFont(look::arial(11));
    name->setGeometry(twipsRect(3030, 2580, 705, 210));
    name->setHorizontalAlignment(Qt::AlignHCenter);
    name->setTextColor(look::kWhite);
    name->setCaption(QStringLiteral("ville"));
    name->setAutoSize(true);

    auto* time = new Label(window, QStringLiteral("Digit_0"));
    time->setFont(look::arial(16, true));
    time->setGeometry(twipsRect(3030, 3540, 705, 285));
    time->setHorizontalAlignment(Qt::AlignHCenter);
    time->setTextColor(look::kYellow);
    time->setCaption(QStringLiteral("00:00"));

    m_image1 = {face};
    m_ville = {name};
    m_digit = {time};
    m_tags = {QString()};
    m_dates = {QDate()};
    connectRow(0);
}

void CityGrid::connectRow(int i)
{
    auto move = [this, i](QMouseEvent*) {
        if (onRowMouseMove)
            onRowMouseMove(i);
    };
    auto press = [this](QMouseEvent*) {
        if (onRowMousePress)
            onRowMousePress();
    };
    for (auto* label : {m_ville[i], m_digit[i]}) {
        label->mouse.move = move;
        label->mouse.press = press;
    }
    m_image1[i]->mouse.move = move;
    m_image1[i]->mouse.press = press;
}

void CityGrid::createRow(int i)
{
    if (i >= rowCount()) {
        // New rows copy row 0 and stay behind the date line.
        const Picture* face0 = m_image1[0];
        auto* face = new Picture(m_controls.window, QStringLiteral("Image1_%1").arg(i));
        face->setTwipsGeometry(face0->leftTwips(), face0->topTwips(), 720, 720);
        face->setPicture(face0->picture());
        face->stackUnder(m_controls.line1);

        auto copyLabel = [this, i](const Label* model, const QString& name) {
            auto* label = new Label(m_controls.window, name.arg(i));
            label->setFont(model->font());
            label->setGeometry(model->geometry());
            label->setAlignment(model->alignment());
            label->setTextColor(model->textColor());
            label->setCaption(model->caption());
            label->setAutoSize(model->autoSize());
            label->stackUnder(m_controls.line1);
            return label;
        };
        Label* time = copyLabel(m_digit[0], QStringLiteral("Digit_%1"));
        Label* name = copyLabel(m_ville[0], QStringLiteral("Ville_%1"));
        m_image1.append(face);
        m_digit.append(time);
        m_ville.append(name);
        m_tags.append(QString());
        m_dates.append(QDate());
        connectRow(i);
    }
    m_image1[i]->show();
    m_ville[i]->show();
    m_digit[i]->show();
}

void CityGrid::PlaceVilles()
{
    for (int g = 0; g < 5; ++g) {
        for (int k = 0; k < 12; ++k) {
            const int j = 12 * g + k;
            if (j >= rowCount())
                return;
            const int x = 500 + 1200 * k;
            m_ville[j]->setGeometry(twipsToPixels(x), twipsToPixels(780 + 1420 * g), twipsToPixels(705),
                                    m_ville[j]->height());
            m_ville[j]->setCaption(QString::number(j));
            m_ville[j]->setAutoSize(true);
            m_image1[j]->moveTwips(x, 1000 + 1420 * g);
            m_digit[j]->move(twipsToPixels(x), twipsToPixels(m_image1[j]->topTwips() + 750));
        }
    }
}

void CityGrid::ChargeVilles(bool quiet)
{
    m_state.DifGMT = m_state.ValFuseau;
    m_ville[0]->setCaption(QStringLiteral("T.U"));
    m_state.DecalVille[0] = 0;
    m_ville[0]->setBold(true);
    m_ville[0]->setTextColor(look::kWhite);
    m_digit[0]->setTextColor(look::kWhite);

    const QDate today = m_platform.clock.now().local.date();
    if (m_controls.label5)
        m_controls.label5->setCaption(QLocale().toString(today, QStringLiteral("dddd dd MMM yyyy")));
    m_state.HeureETE = isSummerTime(today);

    const CityFileContents contents = readCityFile(cityFilePath(m_programDirectory));
    if (contents.status != CityFileStatus::Read) {
        if (!quiet)
            reportUnreadCityFile(m_platform.dialogs, m_controls.window, m_programDirectory, contents);
        return;
    }

    float offset = 0;
    for (int i = 1; i < rowCount() && i <= contents.rows.size(); ++i) {
        setRowLook(m_ville[i], m_digit[i], look::kBlack, false);
        const CityFileRow& row = contents.rows[i - 1];
        if (!row.complete)
            m_digit[i]->hide();
        const QString& offsetText = m_state.HeureETE ? row.record.summer : row.record.winter;
        // An offset too large for the clock's arithmetic is refused like an unreadable record.
        if (const auto value = toSingle(readNumber(offsetText)))
            offset = *value;
        else
            m_digit[i]->hide();
        m_state.DecalDeFuseau = seasonText(m_state.HeureETE);
        m_ville[i]->setCaption(row.record.name);
        m_state.DecalVille[i] = offset;
        if (static_cast<float>(m_state.DecalVille[i] - m_state.DifGMT) == 0.0f)
            setRowLook(m_ville[i], m_digit[i], look::kWhite, true);
    }
    if (m_controls.seasonLabel)
        m_controls.seasonLabel->setCaption(seasonMessage(m_state.DecalDeFuseau, m_state.ValFuseau, QLocale()));
}

void CityGrid::Rafraichir()
{
    Instant now = m_platform.clock.now();
    const QTime localTime = now.local.time();
    m_controls.heureDigitale->setCaption(QStringLiteral("Heure locale : ") + digitalCaption(localTime));
    if (!m_controls.label8->caption().isEmpty())
        m_controls.label10->setCaption(QStringLiteral("%1").arg(localTime.second(), 2, 10, QLatin1Char('0')));
    else
        m_controls.label10->setCaption(QString());

    const QString minute = QString::number(localTime.minute());
    if (minute == m_minuteTag)
        return;
    m_minuteTag = minute;

    // A clock left running across a change of summer time, or of the computer's zone, reloads its rows.
    if (onTimeRulesChanged &&
        (computerOffset(now) != m_state.ValFuseau || isSummerTime(now.local.date()) != m_state.HeureETE)) {
        onTimeRulesChanged();
        now = m_platform.clock.now();
    }

    const QString localCaption = clockCaption(now.local.time());
    const QLocale locale;
    for (int i = 0; i < rowCount(); ++i) {
        const QDateTime city = cityDateTime(now.local, m_state.DifGMT, m_state.DecalVille[i]);
        m_dates[i] = city.date();
        m_tags[i] = locale.toString(city.date(), QLocale::ShortFormat);
        const QString caption = clockCaption(city.time());
        m_digit[i]->setCaption(caption);
        if (i > 0)
            setRowLook(m_ville[i], m_digit[i], caption == localCaption ? look::kWhite : look::kBlack,
                       caption == localCaption);

        const HandVectors v = handVectors(city.time());
        Picture* face = m_image1[i];
        const double cx = face->leftTwips() + 360, cy = face->topTwips() + 360;
        DrawnLine minuteHand = face->hand(1);
        minuteHand.twips = QLineF(cx, cy, cx + v.minuteX, cy - v.minuteY);
        minuteHand.width = 2;
        minuteHand.placed = true;
        DrawnLine hourHand = face->hand(0);
        hourHand.twips = QLineF(cx, cy, cx + v.hourX, cy - v.hourY);
        hourHand.width = 2;
        hourHand.placed = true;
        face->setHand(1, minuteHand);
        face->setHand(0, hourHand);

        if (m_state.VillePref[i]) {
            setRowLook(m_ville[i], m_digit[i], look::kYellow, true);
            applyHandColours(i, look::kYellow, look::kYellow);
        }
        if (i == 0) {
            for (Picture* preview : {m_controls.nuit, m_controls.jour}) {
                if (!preview)
                    continue;
                const double px = preview->leftTwips() + 360, py = preview->topTwips() + 360;
                DrawnLine hour = preview->hand(0), min = preview->hand(1);
                hour.width = min.width = 2;
                hour.placed = min.placed = true;
                hour.twips = QLineF(px, py, px + v.hourX, py - v.hourY);
                min.twips = QLineF(px, py, px + v.minuteX, py - v.minuteY);
                preview->setHand(0, hour);
                preview->setHand(1, min);
            }
        }
    }
    PlaceLigne();
    JourNuit();
}

void CityGrid::PlaceLigne()
{
    const int row = dateLineRow(m_dates);
    LineItem* line = m_controls.line1;
    if (row > 0) {
        const int left = m_image1[row]->leftTwips(), top = m_image1[row]->topTwips();
        line->setEnds(left - 250, top - 300, left - 250, top + 1000);
    } else {
        line->setEnds(-250, line->ends().y1(), -250, line->ends().y2());
    }
}

void CityGrid::applyHandColours(int i, const QColor& minute, const QColor& hour)
{
    Picture* face = m_image1[i];
    DrawnLine minuteHand = face->hand(1), hourHand = face->hand(0);
    minuteHand.colour = minute;
    hourHand.colour = hour;
    face->setHand(1, minuteHand);
    face->setHand(0, hourHand);
}

void CityGrid::JourNuit()
{
    for (int i = 0; i < rowCount(); ++i) {
        if (isDayFace(m_digit[i]->caption(), m_state.HJ, m_state.HN)) {
            applyHandColours(i, kDayMinute, kDayHour);
            m_image1[i]->setPicture(m_controls.jour ? m_controls.jour->picture() : look::picture("jour.gif"));
        } else {
            m_image1[i]->setPicture(m_controls.nuit ? m_controls.nuit->picture() : look::picture("nuit.gif"));
            applyHandColours(i, kNightMinute, kNightHour);
        }
        if (m_state.VillePref[i])
            applyHandColours(i, look::kYellow, look::kYellow);
    }
}

void CityGrid::InfoVille(int idx)
{
    const QTime localTime = m_platform.clock.now().local.time();
    const QString localCaption = clockCaption(localTime);
    const int seconds = localTime.second();
    const QLocale locale;
    for (int i = 1; i <= 59 && i < rowCount(); ++i) {
        Label* ville = m_ville[i];
        Label* digit = m_digit[i];
        const QString sentence = i == idx ? hoverSentence(ville->caption(), m_state.DecalVille[i], m_dates[i],
                                                          digit->caption(), locale)
                                          : QString();
        if (m_state.VillePref[i]) {
            digit->setTextColor(look::kYellow);
            ville->setTextColor(look::kYellow);
            applyHandColours(i, look::kYellow, look::kYellow);
            if (i == idx) {
                m_controls.label8->setCaption(sentence);
                m_controls.label8->setTextColor(look::kYellow);
                m_controls.label10->setTextColor(look::kYellow);
            }
            ville->setBold(true);
            continue;
        }
        if (digit->caption() == localCaption)
            setRowLook(ville, digit, look::kWhite, true);
        else
            setRowLook(ville, digit, look::kBlack, i == idx);
        if (i == idx) {
            ville->setBold(true);
            ville->setTextColor(look::kRed);
            digit->setTextColor(look::kRed);
            m_controls.label8->setTextColor(look::kRed);
            m_controls.label10->setTextColor(look::kRed);
            m_controls.label8->setCaption(sentence);
            m_controls.label10->setCaption(QStringLiteral("%1").arg(seconds, 2, 10, QLatin1Char('0')));
        }
    }
}
