#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLocale>
#include <QScreen>
#include <QStringEncoder>
#include <QTest>
#include <functional>

#include "rows/geometry.h"
#include "support/mainfixture.h"
#include "support/mouse.h"
#include "ui/controls.h"

// The main window drawn in each of its states, compared pixel for pixel with the pictures it was drawn as
// when they were last accepted (tests/render/references.txt keeps a digest of each). A change of the look
// that is meant is accepted by running the test with HORLUNE_RENDER_ACCEPT set, which rewrites the digests;
// HORLUNE_RENDER_SHOTS names a folder where every picture is written, to be looked at.
class TestRender : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void cleanup() { QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty()); }
    void cleanupTestCase();

    void states_data();
    void states();

private:
    QMap<QString, QString> m_references; // the state's name to the digest of its picture
    QMap<QString, QString> m_seen;
};

namespace {

QString referencesPath()
{
    return QStringLiteral(HORLUNE_SOURCE_DIR "/tests/render/references.txt");
}

QString scaleName()
{
    return qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? QStringLiteral("@%1x").arg(qgetenv("QT_SCALE_FACTOR"))
                                                        : QString();
}

// The default list, with names that leave their place in the grid.
QByteArray defaultList(bool longNames)
{
    QFile file(QStringLiteral(HORLUNE_SOURCE_DIR "/resources/horlune.ini"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("no default list");
    QByteArray bytes = file.readAll();
    if (longNames) {
        // The list is in Windows-1252.
        const auto replace = [&bytes](const char* city, const QString& by) {
            QStringEncoder encoder("windows-1252");
            bytes.replace(QByteArray(city) + ',', QByteArray(encoder(by + u',')));
        };
        replace("Honolulu", QStringLiteral("Honolulu sur l'île d'Oahu à Hawaï"));
        replace("Paris", QStringLiteral("Paris Ville Lumière et capitale"));
        replace("Kiritimati", QStringLiteral("Kiritimati (île Christmas)"));
        replace("Lima", QStringLiteral("Lima & <b>Callao</b>"));
    }
    return bytes;
}

struct State
{
    QDateTime local; // the computer's wall clock
    int offsetHours = 1;
    bool longNames = false;
    QList<int> marked;
    std::function<void(ClockFixture&, Main&)> act;
    bool sun = false;          // the faces by the sun
    bool highContrast = false; // chosen from the menu, as kept in the settings
};

} // namespace

Q_DECLARE_METATYPE(State)

void TestRender::initTestCase()
{
    QApplication::setCursorFlashTime(0); // a text cursor that never blinks
    QFile file(referencesPath());
    if (file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        for (const QByteArray& line : file.readAll().split('\n')) {
            const QList<QByteArray> fields = line.split(' ');
            if (fields.size() == 2)
                m_references.insert(QString::fromUtf8(fields[1]), QString::fromUtf8(fields[0]));
        }
    }
}

void TestRender::cleanupTestCase()
{
    if (!qEnvironmentVariableIsSet("HORLUNE_RENDER_ACCEPT"))
        return;
    QMap<QString, QString> all = m_references;
    for (auto it = m_seen.cbegin(); it != m_seen.cend(); ++it)
        all.insert(it.key(), it.value());
    QFile file(referencesPath());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Text | QIODevice::Truncate));
    for (auto it = all.cbegin(); it != all.cend(); ++it)
        file.write((it.value() + u' ' + it.key() + u'\n').toUtf8());
}

void TestRender::states_data()
{
    QTest::addColumn<State>("state");
    const QDateTime morning(QDate(2024, 12, 9), QTime(10, 0), Qt::UTC);
    const QList<int> marks{10, 31, 53};

    QTest::newRow("rest") << State{morning, 1, false, marks, {}};
    QTest::newRow("night in Paris") << State{
        QDateTime(QDate(2024, 12, 9), QTime(23, 30), Qt::UTC), 1, false, marks, {}};
    QTest::newRow("just past midnight") << State{
        QDateTime(QDate(2024, 12, 10), QTime(0, 20), Qt::UTC), 1, false, marks, {}};
    QTest::newRow("afternoon, no date line")
        << State{QDateTime(QDate(2024, 12, 9), QTime(13, 0), Qt::UTC), 1, false, {}, {}};
    QTest::newRow("evening in New York") << State{
        QDateTime(QDate(2024, 12, 9), QTime(19, 45), Qt::UTC), -5, false, marks, {}};
    QTest::newRow("long names") << State{morning, 1, true, marks, {}};
    QTest::newRow("hover") << State{morning, 1, false, marks,
                                    [](ClockFixture&, Main& w) { pointAt(w, faceCentre(25)); }};
    QTest::newRow("hover on a name") << State{
        morning, 1, true, marks, [](ClockFixture&, Main& w) { pointAt(w, faceCentre(31) - QPoint(0, 30)); }};
    QTest::newRow("hover marked") << State{morning, 1, false, marks,
                                           [](ClockFixture&, Main& w) { pointAt(w, faceCentre(31)); }};
    QTest::newRow("hover then background") << State{morning, 1, false, marks, [](ClockFixture&, Main& w) {
                                                        pointAt(w, faceCentre(25));
                                                        pointAt(w, QPoint(5, 200));
                                                    }};
    QTest::newRow("keys") << State{morning, 1, false, marks, [](ClockFixture&, Main&) {
                                       key(Qt::Key_Down);
                                       key(Qt::Key_Down);
                                   }};
    QTest::newRow("wheel") << State{morning, 1, false, marks,
                                    [](ClockFixture&, Main& w) { wheelAt(w, faceCentre(20), 13); }};
    QTest::newRow("wheel back a day") << State{morning, 1, true, marks, [](ClockFixture&, Main& w) {
                                                   wheelAt(w, faceCentre(20), -96);
                                                   pointAt(w, faceCentre(40));
                                               }};
    QTest::newRow("common hour") << State{morning, 1, false, marks,
                                          [](ClockFixture&, Main&) { key(Qt::Key_Right, Qt::ControlModifier); }};
    QTest::newRow("too few cities") << State{
        morning, 1, false, {31}, [](ClockFixture&, Main&) { key(Qt::Key_Right, Qt::ControlModifier); }};
    QTest::newRow("changes coming") << State{QDateTime(QDate(2026, 10, 20), QTime(9, 0), Qt::UTC), 2, false, marks, {}};
    QTest::newRow("changes coming, moved")
        << State{QDateTime(QDate(2026, 3, 20), QTime(9, 0), Qt::UTC), 1, false, marks,
                 [](ClockFixture&, Main& w) { wheelAt(w, faceCentre(2), 8); }};
    QTest::newRow("time typed") << State{morning, 1, false, marks, [](ClockFixture&, Main&) {
                                             key(Qt::Key_Down);
                                             key(Qt::Key_Return);
                                         }};
    QTest::newRow("panel") << State{morning, 1, false, marks, [](ClockFixture& f, Main&) { f.openPanel(); }};
    QTest::newRow("sun") << State{QDateTime(QDate(2026, 12, 11), QTime(8, 0), Qt::UTC),       1,   false, marks,
                                  [](ClockFixture&, Main& w) { pointAt(w, faceCentre(31)); }, true};
    QTest::newRow("week") << State{
        QDateTime(QDate(2026, 12, 10), QTime(10, 0), Qt::UTC), 1, false, {10, 31, 39, 53}, [](ClockFixture&, Main&) {
            key(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
            for (int i = 0; i < 20; ++i)
                key(Qt::Key_Right);
            key(Qt::Key_Right, Qt::ControlModifier);
        }};
    // The high-contrast look: the same layout, every text and hand standing out from what lies behind it.
    QTest::newRow("high contrast") << State{morning, 1, false, marks, {}, false, true};
    QTest::newRow("high contrast, hover marked")
        << State{morning, 1, false, marks, [](ClockFixture&, Main& w) { pointAt(w, faceCentre(31)); }, false, true};
    QTest::newRow("high contrast, night in Paris")
        << State{QDateTime(QDate(2024, 12, 9), QTime(23, 30), Qt::UTC),      1,     false, marks,
                 [](ClockFixture&, Main& w) { pointAt(w, faceCentre(25)); }, false, true};
    QTest::newRow("high contrast, common hour") << State{
        morning, 1, false, marks, [](ClockFixture&, Main&) { key(Qt::Key_Right, Qt::ControlModifier); }, false, true};
    QTest::newRow("high contrast, changes coming, moved")
        << State{QDateTime(QDate(2026, 3, 20), QTime(9, 0), Qt::UTC),          1,     false, marks,
                 [](ClockFixture&, Main& w) { wheelAt(w, faceCentre(2), 8); }, false, true};
    QTest::newRow("high contrast, keys") << State{morning,
                                                  1,
                                                  false,
                                                  marks,
                                                  [](ClockFixture&, Main&) {
                                                      key(Qt::Key_Down);
                                                      key(Qt::Key_Down);
                                                  },
                                                  false,
                                                  true};
    QTest::newRow("high contrast, panel") << State{morning,
                                                   1,
                                                   false,
                                                   marks,
                                                   [](ClockFixture& f, Main& w) {
                                                       f.openPanel();
                                                       pointAt(w, QPoint(930, 510)); // the panel's OK lit
                                                   },
                                                   false,
                                                   true};
}

void TestRender::states()
{
    QFETCH(State, state);
    ClockFixture f(defaultList(state.longNames), state.local, state.offsetHours);
    for (int row : state.marked)
        f.env.writeSetting(QStringLiteral("P%1").arg(row), QStringLiteral("T"));
    if (state.sun)
        f.env.writeSetting(QStringLiteral("Soleil"), QStringLiteral("T"));
    f.env.writeSetting(QStringLiteral("Contraste"), state.highContrast ? QStringLiteral("T") : QStringLiteral("F"));
    Main& w = f.startActive();
    if (state.act)
        state.act(f, w);
    QCoreApplication::processEvents();

    // No compositor here: the window is shaped to its rounded outline, corners out.
    QVERIFY(!w.mask().contains(QPoint(0, 0)) && !w.mask().contains(QPoint(w.width() - 1, w.height() - 1)));
    QVERIFY(w.mask().contains(QRect(16, 16, w.width() - 32, w.height() - 32)));
    const QImage picture = w.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    const QString name = QString::fromUtf8(QTest::currentDataTag()) + scaleName();
    QByteArray bytes;
    for (int y = 0; y < picture.height(); ++y)
        bytes.append(reinterpret_cast<const char*>(picture.constScanLine(y)), picture.width() * 4);
    const QString digest = QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
    m_seen.insert(name.simplified().replace(u' ', u'_'), digest);
    const QString key = name.simplified().replace(u' ', u'_');
    if (const QByteArray shots = qgetenv("HORLUNE_RENDER_SHOTS"); !shots.isEmpty()) {
        QDir().mkpath(QString::fromLocal8Bit(shots));
        picture.save(QDir(QString::fromLocal8Bit(shots)).filePath(key + QStringLiteral(".png")));
    }
    // What the window shows after drawing only what changed is what drawing it whole gives (the offscreen
    // screen shows a window at its logical size only).
    const auto shown = [&w] {
        return w.screen()->grabWindow(w.winId()).toImage().convertToFormat(QImage::Format_ARGB32);
    };
    QImage onScreen = shown();
    for (int wait = 0; picture.devicePixelRatio() == 1.0 && onScreen != picture && wait < 100; ++wait) {
        QTest::qWait(20);
        onScreen = shown();
    }
    if (picture.devicePixelRatio() == 1.0 && onScreen != picture) {
        const QString failed = QDir::current().filePath(key + QStringLiteral("-screen.png"));
        onScreen.save(failed);
        QFAIL(qPrintable(QStringLiteral("%1 is shown otherwise than drawn whole: see %2").arg(key, failed)));
    }
    if (qEnvironmentVariableIsSet("HORLUNE_RENDER_ACCEPT"))
        return;
    QVERIFY2(m_references.contains(key), qPrintable(QStringLiteral("no accepted picture for %1").arg(key)));
    if (m_references.value(key) != digest) {
        const QString failed = QDir::current().filePath(key + QStringLiteral(".png"));
        picture.save(failed);
        QFAIL(qPrintable(QStringLiteral("%1 is drawn otherwise than accepted: see %2").arg(key, failed)));
    }
}

QTEST_MAIN(TestRender)
#include "tst_render.moc"
