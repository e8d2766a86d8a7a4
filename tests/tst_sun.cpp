#include <QHash>
#include <QProcess>
#include <QTest>

#include "time/sun.h"

// Sunrise and sunset of a city's own date, checked against Debian's python3-astral and Python's zoneinfo
// (tests/sun_reference.py), whether a face is light at an instant, the cache, and the texts. Every instant is
// fixed: nothing comes from the system's clock or zone.
class TestSun : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void crossingsAgreeWithAstral_data();
    void crossingsAgreeWithAstral();
    void datesFollowOneAnother_data();
    void datesFollowOneAnother();
    void faceIsLightWhileTheSunIsUp_data();
    void faceIsLightWhileTheSunIsUp();
    void cacheComputesEachCityAndDateOnce();
    void cacheStartsAfreshForAnotherPlace();
    void texts_data();
    void texts();
    void textsOfRealDates_data();
    void textsOfRealDates();
    void placeWithoutCoordinates();

private:
    QHash<QString, QString> m_reference; // by case: what sun_reference.py says
};

namespace {

struct SunCase
{
    const char* name;
    double latitude;
    double longitude;
    const char* zone; // an id of the tz database, or a fixed offset "+05:30"
    QDate date;
    const char* crossings; // what the date shows: "rise set", "set rise", "rise", "polar-night"...
};

const SunCase kCases[] = {
    {"équateur, équinoxe (Libreville)", 0.3901, 9.4544, "Africa/Libreville", QDate(2026, 3, 20), "rise set"},
    {"équateur, solstice (Macapá)", 0.0349, -51.0694, "America/Belem", QDate(2026, 6, 21), "rise set"},
    {"cercle arctique, décembre (Rovaniemi)", 66.5039, 25.7294, "Europe/Helsinki", QDate(2026, 12, 21), "rise set"},
    {"cercle arctique, juin (Rovaniemi)", 66.5039, 25.7294, "Europe/Helsinki", QDate(2026, 6, 21), "midnight-sun"},
    {"cercle antarctique, juin (Dumont d'Urville)", -66.6628, 140.0014, "Antarctica/DumontDUrville", QDate(2026, 6, 21),
     "rise set"},
    {"cercle antarctique, décembre (Dumont d'Urville)", -66.6628, 140.0014, "Antarctica/DumontDUrville",
     QDate(2026, 12, 21), "midnight-sun"},
    {"nuit polaire au nord (Tromsø)", 69.6496, 18.9560, "Europe/Oslo", QDate(2026, 12, 11), "polar-night"},
    {"soleil de minuit au nord (Tromsø)", 69.6496, 18.9560, "Europe/Oslo", QDate(2026, 6, 21), "midnight-sun"},
    {"nuit polaire au sud (McMurdo)", -77.8419, 166.6863, "Antarctica/McMurdo", QDate(2026, 6, 21), "polar-night"},
    {"soleil de minuit au sud (McMurdo)", -77.8419, 166.6863, "Antarctica/McMurdo", QDate(2026, 12, 21),
     "midnight-sun"},
    {"fin de la nuit polaire (Longyearbyen)", 78.2232, 15.6267, "Arctic/Longyearbyen", QDate(2026, 2, 16), "rise set"},
    // The set falls on the next day in Universal Time, not in the city's clock.
    {"été austral (Ushuaia)", -54.8019, -68.3030, "America/Argentina/Ushuaia", QDate(2026, 12, 11), "rise set"},
    {"Paris en décembre", 48.8566, 2.3522, "Europe/Paris", QDate(2026, 12, 11), "rise set"},
    {"passage à l'heure d'été (Paris, 23 h)", 48.8566, 2.3522, "Europe/Paris", QDate(2026, 3, 29), "rise set"},
    {"passage à l'heure d'hiver (Paris, 25 h)", 48.8566, 2.3522, "Europe/Paris", QDate(2026, 10, 25), "rise set"},
    {"passage à l'heure d'hiver (Auckland)", -36.8485, 174.7633, "Pacific/Auckland", QDate(2026, 4, 5), "rise set"},
    // A date that begins at 1 h: the change of time skips midnight.
    {"minuit sauté (Santiago)", -33.4489, -70.6693, "America/Santiago", QDate(2026, 9, 6), "rise set"},
    // East of the date line: the rise comes on the day before in Universal Time.
    {"à l'est de la ligne de changement de date (Kiritimati)", 1.8721, -157.4278, "Pacific/Kiritimati",
     QDate(2026, 6, 1), "rise set"},
    {"à l'est de la ligne de changement de date (Nuku'alofa)", -21.1394, -175.2049, "Pacific/Tongatapu",
     QDate(2026, 12, 11), "rise set"},
    // The set of the evening before comes after midnight: the date's set precedes its rise, and its own
    // evening's set falls on the next date.
    {"coucher après minuit (Reykjavik)", 64.1466, -21.9426, "Atlantic/Reykjavik", QDate(2026, 6, 21), "set rise"},
    {"lever sans coucher (Tromsø)", 69.6496, 18.9560, "Europe/Oslo", QDate(2026, 5, 16), "rise"},
    {"coucher puis lever (Tromsø)", 69.6496, 18.9560, "Europe/Oslo", QDate(2026, 5, 17), "set rise"},
    {"décalage fixe (Bombay, +05:30)", 19.0760, 72.8777, "+05:30", QDate(2026, 12, 11), "rise set"},
};

QTimeZone zoneOf(const char* text)
{
    const QString zone = QString::fromLatin1(text);
    if (zone.startsWith(u'+') || zone.startsWith(u'-')) {
        const int seconds = zone.mid(1, 2).toInt() * 3600 + zone.mid(4, 2).toInt() * 60;
        return QTimeZone(zone.startsWith(u'-') ? -seconds : seconds);
    }
    return QTimeZone(zone.toLatin1());
}

qint64 msecsOf(const QString& text)
{
    return QDateTime::fromString(text, Qt::ISODate).toMSecsSinceEpoch();
}

QString utcText(qint64 msecs)
{
    return QDateTime::fromMSecsSinceEpoch(msecs, Qt::UTC).toString(Qt::ISODate);
}

// The crossings as the reference writes them: "rise set", or the kind of date without any.
QString shape(const SunDay& day)
{
    switch (day.kind()) {
    case SunDay::Kind::PolarNight:
        return QStringLiteral("polar-night");
    case SunDay::Kind::MidnightSun:
        return QStringLiteral("midnight-sun");
    case SunDay::Kind::Crosses:
        break;
    }
    QStringList kinds;
    for (int i = 0; i < day.crossingCount; ++i)
        kinds << (day.crossings[i].rise ? QStringLiteral("rise") : QStringLiteral("set"));
    return kinds.join(u' ');
}

QDateTime at(const char* zone, QDate date, QTime time)
{
    return QDateTime(date, time, zoneOf(zone)).toUTC();
}

} // namespace

void TestSun::initTestCase()
{
    QByteArray input;
    for (const SunCase& c : kCases) {
        input += QByteArray::number(c.latitude, 'f', 4) + ' ' + QByteArray::number(c.longitude, 'f', 4) + ' ' + c.zone +
                 ' ' + c.date.toString(Qt::ISODate).toLatin1() + '\n';
    }
    QProcess reference;
    reference.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(HORLUNE_SOURCE_DIR "/tests/sun_reference.py")});
    QVERIFY2(reference.waitForStarted(), "Debian's python3 and python3-astral (scripts/deps.sh test) check the sun");
    reference.write(input);
    reference.closeWriteChannel();
    QVERIFY(reference.waitForFinished(60000));
    QVERIFY2(reference.exitStatus() == QProcess::NormalExit && reference.exitCode() == 0,
             reference.readAllStandardError().constData());
    const QStringList lines = QString::fromUtf8(reference.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), static_cast<qsizetype>(std::size(kCases)));
    for (std::size_t i = 0; i < std::size(kCases); ++i)
        m_reference.insert(QString::fromUtf8(kCases[i].name), lines[static_cast<qsizetype>(i)]);
}

void TestSun::crossingsAgreeWithAstral_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<QString>("zone");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("crossings");
    for (const SunCase& c : kCases) {
        QTest::newRow(c.name) << c.latitude << c.longitude << QString::fromLatin1(c.zone) << c.date
                              << QString::fromLatin1(c.crossings);
    }
}

// The date runs from the first instant of the city's date to the next date's (zoneinfo's), and each crossing
// is within a minute of astral's.
void TestSun::crossingsAgreeWithAstral()
{
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(QString, zone);
    QFETCH(QDate, date);
    QFETCH(QString, crossings);
    const QStringList reference = m_reference.value(QString::fromUtf8(QTest::currentDataTag())).split(u' ');
    QVERIFY(reference.size() >= 3);

    const SunDay day = sunDay({latitude, longitude}, date, zoneOf(zone.toLatin1().constData()));
    QCOMPARE(day.date, date);
    QCOMPARE(utcText(day.startMsecs), reference[0]);
    QCOMPARE(utcText(day.endMsecs), reference[1]);
    QStringList expectedShape;
    for (const QString& crossing : reference.mid(2))
        expectedShape << crossing.section(u'@', 0, 0);
    QCOMPARE(expectedShape.join(u' '), crossings); // the case shows what its name says
    QCOMPARE(shape(day), crossings);
    for (int i = 0; i < day.crossingCount; ++i) {
        const qint64 expected = msecsOf(reference[i + 2].section(u'@', 1));
        const qint64 got = day.crossings[i].msecs;
        QVERIFY2(std::abs(got - expected) <= 60000,
                 qPrintable(QStringLiteral("%1 au lieu de %2").arg(utcText(got), reference[i + 2])));
        QVERIFY(day.contains(got));
    }
}

void TestSun::datesFollowOneAnother_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<QString>("zone");
    QTest::newRow("Tromsø") << 69.6496 << 18.9560 << QStringLiteral("Europe/Oslo");
    QTest::newRow("Reykjavik") << 64.1466 << -21.9426 << QStringLiteral("Atlantic/Reykjavik");
    QTest::newRow("McMurdo") << -77.8419 << 166.6863 << QStringLiteral("Antarctica/McMurdo");
    QTest::newRow("Santiago") << -33.4489 << -70.6693 << QStringLiteral("America/Santiago");
    QTest::newRow("Kiritimati") << 1.8721 << -157.4278 << QStringLiteral("Pacific/Kiritimati");
    QTest::newRow("pôle Nord, UTC-12") << 90.0 << 0.0 << QStringLiteral("-12:00");
}

// Over a year, each date begins where the one before ends and finds the sun as that one left it: no crossing
// lost or counted twice at a midnight, a change of time, or the days the polar night or the midnight sun
// begins and ends.
void TestSun::datesFollowOneAnother()
{
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(QString, zone);
    const QTimeZone clock = zoneOf(zone.toLatin1().constData());
    SunDay before = sunDay({latitude, longitude}, QDate(2025, 12, 31), clock);
    for (QDate date(2026, 1, 1); date.year() == 2026; date = date.addDays(1)) {
        const SunDay day = sunDay({latitude, longitude}, date, clock);
        QCOMPARE(day.startMsecs, before.endMsecs);
        QVERIFY2(day.upAtStart == before.isUp(before.endMsecs - 1), qPrintable(date.toString(Qt::ISODate)));
        for (int i = 0; i < day.crossingCount; ++i) {
            QVERIFY(day.contains(day.crossings[i].msecs));
            QCOMPARE(day.crossings[i].rise, i == 0 ? !day.upAtStart : !day.crossings[i - 1].rise);
            QVERIFY(i == 0 || day.crossings[i].msecs > day.crossings[i - 1].msecs);
        }
        before = day;
    }
}

void TestSun::faceIsLightWhileTheSunIsUp_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<QString>("zone");
    QTest::addColumn<QDateTime>("instant");
    QTest::addColumn<bool>("light");
    const auto add = [](const char* name, double latitude, double longitude, const char* zone, QDate date, QTime time,
                        bool light) {
        QTest::newRow(name) << latitude << longitude << QString::fromLatin1(zone) << at(zone, date, time) << light;
    };
    const QDate december(2026, 12, 11);
    add("Paris, 8.00, avant le lever de 8.34", 48.8566, 2.3522, "Europe/Paris", december, QTime(8, 0), false);
    add("Paris, 8.40", 48.8566, 2.3522, "Europe/Paris", december, QTime(8, 40), true);
    add("Paris, 16.50", 48.8566, 2.3522, "Europe/Paris", december, QTime(16, 50), true);
    add("Paris, 17.00, après le coucher de 16.54", 48.8566, 2.3522, "Europe/Paris", december, QTime(17, 0), false);
    add("Tromsø, midi, nuit polaire", 69.6496, 18.9560, "Europe/Oslo", december, QTime(12, 0), false);
    add("Tromsø, minuit et demi en juin", 69.6496, 18.9560, "Europe/Oslo", QDate(2026, 6, 21), QTime(0, 30), true);
    add("Ushuaia, 4.30, avant le lever", -54.8019, -68.3030, "America/Argentina/Ushuaia", december, QTime(4, 30),
        false);
    add("Ushuaia, 21.00, plein jour", -54.8019, -68.3030, "America/Argentina/Ushuaia", december, QTime(21, 0), true);
    add("Ushuaia, 22.30, après le coucher", -54.8019, -68.3030, "America/Argentina/Ushuaia", december, QTime(22, 30),
        false);
    add("McMurdo, midi en juin", -77.8419, 166.6863, "Antarctica/McMurdo", QDate(2026, 6, 21), QTime(12, 0), false);
    add("McMurdo, minuit en décembre", -77.8419, 166.6863, "Antarctica/McMurdo", QDate(2026, 12, 21), QTime(0, 0),
        true);
    // The evening before's sun sets at 0.04, rises again at 2.55, and sets after the date's midnight.
    const QDate june(2026, 6, 21);
    add("Reykjavik, 0.01, le soleil de la veille", 64.1466, -21.9426, "Atlantic/Reykjavik", june, QTime(0, 1), true);
    add("Reykjavik, 1.00", 64.1466, -21.9426, "Atlantic/Reykjavik", june, QTime(1, 0), false);
    add("Reykjavik, 3.00", 64.1466, -21.9426, "Atlantic/Reykjavik", june, QTime(3, 0), true);
    add("Reykjavik, 23.59", 64.1466, -21.9426, "Atlantic/Reykjavik", june, QTime(23, 59), true);
    add("Kiritimati, 6.00, avant le lever de 6.21", 1.8721, -157.4278, "Pacific/Kiritimati", QDate(2026, 6, 1),
        QTime(6, 0), false);
    add("Kiritimati, 7.00", 1.8721, -157.4278, "Pacific/Kiritimati", QDate(2026, 6, 1), QTime(7, 0), true);
    add("Paris, 7.30 le jour de l'heure d'été, avant le lever de 7.35", 48.8566, 2.3522, "Europe/Paris",
        QDate(2026, 3, 29), QTime(7, 30), false);
    add("Paris, 7.40 le jour de l'heure d'été", 48.8566, 2.3522, "Europe/Paris", QDate(2026, 3, 29), QTime(7, 40),
        true);
}

// Through the cache, as the clock asks for each face.
void TestSun::faceIsLightWhileTheSunIsUp()
{
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(QString, zone);
    QFETCH(QDateTime, instant);
    QFETCH(bool, light);
    SunCache cache;
    QCOMPARE(cache.isSunUp(7, {latitude, longitude}, zoneOf(zone.toLatin1().constData()), instant), light);
}

// A full redraw asks every city each minute; only a new date of a city's own clock costs a computation.
void TestSun::cacheComputesEachCityAndDateOnce()
{
    SunCache cache;
    const Coordinates paris{48.8566, 2.3522};
    const QTimeZone zone("Europe/Paris");
    const QDateTime morning(QDate(2026, 12, 11), QTime(9, 0), Qt::UTC);
    QVERIFY(cache.isSunUp(3, paris, zone, morning));
    QVERIFY(cache.isSunUp(3, paris, zone, morning.addSecs(60)));
    QVERIFY(!cache.isSunUp(3, paris, zone, morning.addSecs(10 * 3600))); // 20.00 in Paris
    QCOMPARE(cache.daysComputed(), 1);
    // 23.30 in Universal Time is 0.30 of the 12th in Paris: another date.
    const QDateTime nextDate(QDate(2026, 12, 11), QTime(23, 30), Qt::UTC);
    QCOMPARE(cache.dayAt(3, paris, zone, nextDate).date, QDate(2026, 12, 12));
    QCOMPARE(cache.daysComputed(), 2);
    // Back to the first date (the clocks moved back while planning): still known.
    QCOMPARE(cache.dayAt(3, paris, zone, morning).date, QDate(2026, 12, 11));
    QCOMPARE(cache.daysComputed(), 2);
    // Other rows have dates of their own.
    cache.isSunUp(4, paris, zone, morning);
    QCOMPARE(cache.daysComputed(), 3);
    // The last instant of a date belongs to it, the next to the next date.
    const SunDay day = cache.dayAt(3, paris, zone, morning);
    QCOMPARE(cache.dayAt(3, paris, zone, QDateTime::fromMSecsSinceEpoch(day.endMsecs - 1, Qt::UTC)).date, day.date);
    QCOMPARE(cache.dayAt(3, paris, zone, QDateTime::fromMSecsSinceEpoch(day.endMsecs, Qt::UTC)).date,
             day.date.addDays(1));
    QCOMPARE(cache.daysComputed(), 3);
    cache.clear();
    cache.isSunUp(3, paris, zone, morning);
    QCOMPARE(cache.daysComputed(), 4);
}

// A row given another city (a list edited and saved) or another clock is not answered from the old one.
void TestSun::cacheStartsAfreshForAnotherPlace()
{
    SunCache cache;
    const QDateTime noon(QDate(2026, 12, 11), QTime(11, 0), Qt::UTC);
    QVERIFY(cache.isSunUp(5, {48.8566, 2.3522}, QTimeZone("Europe/Paris"), noon));
    QVERIFY(!cache.isSunUp(5, {69.6496, 18.9560}, QTimeZone("Europe/Oslo"), noon));
    QCOMPARE(cache.dayAt(5, {69.6496, 18.9560}, QTimeZone("Europe/Oslo"), noon).kind(), SunDay::Kind::PolarNight);
    // The same place in a clock of its own offsets: the date is cut at another midnight.
    const QDateTime lateEvening(QDate(2026, 12, 11), QTime(23, 30), Qt::UTC);
    QCOMPARE(cache.dayAt(5, {48.8566, 2.3522}, QTimeZone("Europe/Paris"), lateEvening).date, QDate(2026, 12, 12));
    QCOMPARE(cache.dayAt(5, {48.8566, 2.3522}, QTimeZone(0), lateEvening).date, QDate(2026, 12, 11));
    // A city found by the search, in no row, is computed each time and disturbs none.
    const int computed = cache.daysComputed();
    QCOMPARE(cache.dayAt(-2, {-54.8019, -68.3030}, QTimeZone("America/Argentina/Ushuaia"), noon).kind(),
             SunDay::Kind::Crosses);
    QCOMPARE(cache.daysComputed(), computed + 1);
    QCOMPARE(cache.dayAt(5, {48.8566, 2.3522}, QTimeZone(0), lateEvening).date, QDate(2026, 12, 11));
    QCOMPARE(cache.daysComputed(), computed + 1);
}

void TestSun::texts_data()
{
    QTest::addColumn<bool>("upAtStart");
    QTest::addColumn<QString>("crossings"); // "+08.34" for a rise, "-16.53" for a set
    QTest::addColumn<QString>("text");
    QTest::newRow("un jour") << false << QStringLiteral("+08.34 -16.53")
                             << QStringLiteral("lever 08.34, coucher 16.53");
    QTest::newRow("nuit polaire") << false << QString() << QStringLiteral("nuit polaire");
    QTest::newRow("soleil de minuit") << true << QString() << QStringLiteral("soleil de minuit");
    QTest::newRow("le coucher sur la date suivante")
        << false << QStringLiteral("+01.32") << QStringLiteral("lever 01.32, pas de coucher");
    QTest::newRow("le lever sur la date précédente")
        << true << QStringLiteral("-23.57") << QStringLiteral("pas de lever, coucher 23.57");
    QTest::newRow("le coucher de la veille après minuit")
        << true << QStringLiteral("-00.03 +02.55") << QStringLiteral("coucher 00.03, lever 02.55");
    QTest::newRow("trois passages") << true << QStringLiteral("-00.13 +01.29 -23.59")
                                    << QStringLiteral("coucher 00.13, lever 01.29, coucher 23.59");
}

void TestSun::texts()
{
    QFETCH(bool, upAtStart);
    QFETCH(QString, crossings);
    QFETCH(QString, text);
    SunDay day;
    day.upAtStart = upAtStart;
    for (const QString& crossing : crossings.split(u' ', Qt::SkipEmptyParts)) {
        day.crossings[day.crossingCount].rise = crossing.startsWith(u'+');
        day.crossings[day.crossingCount].local = QTime::fromString(crossing.mid(1), QStringLiteral("HH.mm"));
        ++day.crossingCount;
    }
    QCOMPARE(sunText(day), text);
}

void TestSun::textsOfRealDates_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<QString>("zone");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("text");
    const QDate december(2026, 12, 11);
    // Astral: 7.33.48 and 15.53.42 in Universal Time; times to the nearest minute in the city's clock.
    QTest::newRow("Paris") << 48.8566 << 2.3522 << QStringLiteral("Europe/Paris") << december
                           << QStringLiteral("lever 08.34, coucher 16.54");
    QTest::newRow("Tromsø") << 69.6496 << 18.9560 << QStringLiteral("Europe/Oslo") << december
                            << QStringLiteral("nuit polaire");
    // Astral: 7.50.23 and 1.03.12 the next day in Universal Time.
    QTest::newRow("Ushuaia") << -54.8019 << -68.3030 << QStringLiteral("America/Argentina/Ushuaia") << december
                             << QStringLiteral("lever 04.50, coucher 22.03");
    QTest::newRow("Tromsø en juin") << 69.6496 << 18.9560 << QStringLiteral("Europe/Oslo") << QDate(2026, 6, 21)
                                    << QStringLiteral("soleil de minuit");
    // Astral: 23.31.41 the day before in Universal Time; the evening's set comes at 0.03 the next date.
    QTest::newRow("Tromsø, 16 mai") << 69.6496 << 18.9560 << QStringLiteral("Europe/Oslo") << QDate(2026, 5, 16)
                                    << QStringLiteral("lever 01.32, pas de coucher");
    // Astral: 1.33.10 and 12.32.54 in Universal Time, on the +05:30 of a city's own offsets.
    QTest::newRow("décalage fixe") << 19.0760 << 72.8777 << QStringLiteral("+05:30") << QDate(2026, 12, 14)
                                   << QStringLiteral("lever 07.03, coucher 18.03");
}

// Times in the city's clock, a change of time included.
void TestSun::textsOfRealDates()
{
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(QString, zone);
    QFETCH(QDate, date);
    QFETCH(QString, text);
    QCOMPARE(sunText(sunDay({latitude, longitude}, date, zoneOf(zone.toLatin1().constData()))), text);
}

// A place that is not one (a damaged record) gives a date without sun, never a crash nor a wrong crossing.
void TestSun::placeWithoutCoordinates()
{
    const QTimeZone paris("Europe/Paris");
    for (const Coordinates& place :
         {Coordinates{qQNaN(), 2.0}, Coordinates{91.0, 0.0}, Coordinates{0.0, 181.0}, Coordinates{qInf(), qInf()}}) {
        QVERIFY(!place.isValid());
        const SunDay day = sunDay(place, QDate(2026, 12, 11), paris);
        QCOMPARE(day.crossingCount, 0);
        QVERIFY(!day.isUp(day.startMsecs));
        QCOMPARE(day.date, QDate(2026, 12, 11));
    }
    QVERIFY((Coordinates{-90.0, 180.0}.isValid()));
}

QTEST_GUILESS_MAIN(TestSun)
#include "tst_sun.moc"
