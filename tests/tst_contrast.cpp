#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <functional>

#include "clock/clockgrid.h"
#include "config/configpanel.h"
#include "platform/desktop.h"
#include "rows/geometry.h"
#include "support/mainfixture.h"
#include "support/mouse.h"
#include "ui/controls.h"
#include "ui/look.h"

// The high-contrast look: every text and hand of the window measured against the pixels behind it, by the
// contrast ratio of WCAG 2 (relative luminance of sRGB), which must be 4.5 to 1 at least; the look chosen from
// the menu or asked by the desktop, switched while the window runs.
class TestContrast : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void cleanup() { QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty()); }

    void theRatioIsWcags_data();
    void theRatioIsWcags();
    void everyTextAndHandStandsOut_data();
    void everyTextAndHandStandsOut();
    void theDesignStaysTheDefault_data();
    void theDesignStaysTheDefault();
    void theDesktopMayAnswerAfterTheStart();
    void aChoiceThatCannotBeKeptIsTold_data();
    void aChoiceThatCannotBeKeptIsTold();
    void theMenuSwitchesTheLookLive();
    void aHighContrastThemeIsTold_data();
    void aHighContrastThemeIsTold();
};

namespace {

double channel(int value)
{
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(QRgb colour)
{
    return 0.2126 * channel(qRed(colour)) + 0.7152 * channel(qGreen(colour)) + 0.0722 * channel(qBlue(colour));
}

double contrast(QRgb a, QRgb b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QByteArray defaultList(bool longNames)
{
    QFile file(QStringLiteral(HORLUNE_SOURCE_DIR "/resources/horlune.ini"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("no default list");
    QByteArray bytes = file.readAll();
    if (longNames) {
        bytes.replace("Papeete,", "Papeete et Faaa,"); // before Anchorage, where the date line stands at 10.00
        bytes.replace("Kiritimati,", "Kiritimati (ile Christmas),");
    }
    return bytes;
}

// A text of the window: where it is drawn, its colour, and what lies behind it there.
struct Text
{
    QString what;
    QRect place; // in the window
    QRgb colour;
    QImage behind;
};

// The lowest ratio between a colour and the pixels of a picture.
double lowest(QRgb colour, const QImage& behind)
{
    double least = 21;
    for (int y = 0; y < behind.height(); ++y) {
        for (int x = 0; x < behind.width(); ++x) {
            if (qAlpha(behind.pixel(x, y)) == 255)
                least = std::min(least, contrast(colour, behind.pixel(x, y)));
        }
    }
    return least;
}

QImage shot(QWidget& widget, const QRect& area = QRect())
{
    return widget.grab(area.isNull() ? QRect(QPoint(), widget.size()) : area)
        .toImage()
        .convertToFormat(QImage::Format_ARGB32);
}

// The texts of the grid, as its board's picture gives them; behind them, the window's own background (the grid
// lies under every other control, and draws nothing under a name in high contrast).
QList<Text> gridTexts(Main& w, const ClockGrid& grid, const QRect& covered)
{
    QImage background(w.size(), QImage::Format_ARGB32);
    background.fill(Qt::transparent);
    w.render(&background, QPoint(), QRegion(), QWidget::DrawWindowBackground); // the window alone, no control
    QList<Text> texts;
    const Board::Picture& picture = grid.board().picture();
    auto add = [&](const QString& what, const QRect& place, const QColor& colour) {
        if (!covered.intersects(place))
            texts.append({what, place, colour.rgb(), background.copy(place)});
    };
    for (int row = 0; row < kRows; ++row) {
        const Board::RowPicture& shown = picture.rows[row];
        const QColor colour = look::toColor(shown.look.text);
        if (!grid.shownName(row).isEmpty())
            add(QStringLiteral("nom de la ligne %1").arg(row), grid.nameRect(row), colour);
        if (shown.timeShown && !shown.time.isEmpty())
            add(QStringLiteral("heure de la ligne %1").arg(row), grid.timeRect(row), colour);
        if (!shown.look.changeSign.isEmpty() && !shown.time.isEmpty())
            add(QStringLiteral("signe de la ligne %1").arg(row), grid.signRect(row), look::noteColour());
    }
    return texts;
}

// Every label and box shown: behind a label, the window there once its text is taken away; behind a box's
// text, the box without it; behind a selection, its own colour.
QList<Text> controlTexts(Main& w)
{
    QList<Text> texts;
    for (Label* label : w.findChildren<Label*>()) {
        if (!label->isVisible() || label->caption().isEmpty() || label->visibleRegion().isEmpty())
            continue;
        const QString caption = label->caption();
        // Where its letters are drawn, within the label.
        const int flags = int(label->alignment()) | (label->wordWrap() ? int(Qt::TextWordWrap) : 0);
        const QRect ink =
            QFontMetrics(label->font()).boundingRect(label->contentsRect(), flags, caption) & label->rect();
        const QRect place(label->mapTo(&w, ink.topLeft()), ink.size());
        label->setCaption(QString());
        texts.append({label->objectName(), place, label->textColor().rgb(), shot(w, place)});
        label->setCaption(caption);
    }
    for (QLineEdit* box : w.findChildren<QLineEdit*>()) {
        if (!box->isVisible() || box->text().isEmpty())
            continue;
        const QRect place(box->mapTo(&w, QPoint()), box->size());
        const QString text = box->text();
        const int start = box->selectionStart(), length = box->selectionLength();
        const QSignalBlocker quiet(box);
        const bool readOnly = box->isReadOnly();
        box->setReadOnly(true); // no text cursor: it is no part of what lies behind the text
        box->setText(QString());
        // Inside the box's outline.
        const QImage empty = shot(*box).copy(QRect(QPoint(), box->size()).adjusted(2, 2, -2, -2));
        texts.append({box->objectName(), place, box->palette().color(QPalette::Text).rgb(), empty});
        box->setText(text);
        box->setReadOnly(readOnly);
        if (length > 0) {
            box->setSelection(start, length);
            QImage selection(1, 1, QImage::Format_ARGB32);
            selection.fill(box->palette().color(QPalette::Highlight));
            texts.append({box->objectName() + QStringLiteral(" (sélection)"), place,
                          box->palette().color(QPalette::HighlightedText).rgb(), selection});
        }
    }
    return texts;
}

struct State
{
    QDateTime local;
    bool longNames = false;
    std::function<void(ClockFixture&, Main&)> act;
};

} // namespace

Q_DECLARE_METATYPE(State)

void TestContrast::theRatioIsWcags_data()
{
    QTest::addColumn<QColor>("text");
    QTest::addColumn<QColor>("behind");
    QTest::addColumn<double>("ratio"); // as WCAG's own examples and common checkers give it
    QTest::addRow("black on white") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
    QTest::addRow("the lightest grey that passes on white") << QColor(0x76, 0x76, 0x76) << QColor(Qt::white) << 4.54;
    QTest::addRow("the design's yellow on its grey") << QColor(Qt::yellow) << QColor(0xC0, 0xC0, 0xC0) << 1.69;
    QTest::addRow("the design's red on its grey") << QColor(Qt::red) << QColor(0xC0, 0xC0, 0xC0) << 2.20;
    QTest::addRow("red on black") << QColor(Qt::red) << QColor(Qt::black) << 5.25;
}

void TestContrast::theRatioIsWcags()
{
    QFETCH(QColor, text);
    QFETCH(QColor, behind);
    QFETCH(double, ratio);
    QVERIFY2(qAbs(contrast(text.rgb(), behind.rgb()) - ratio) < 0.01,
             qPrintable(QString::number(contrast(text.rgb(), behind.rgb()))));
}

void TestContrast::everyTextAndHandStandsOut_data()
{
    QTest::addColumn<State>("state");
    const QDateTime morning(QDate(2024, 12, 9), QTime(10, 0), Qt::UTC);
    QTest::newRow("day and night") << State{morning, false, {}};
    QTest::newRow("night in Paris") << State{QDateTime(QDate(2024, 12, 9), QTime(23, 30), Qt::UTC), false, {}};
    QTest::newRow("hover") << State{morning, false, [](ClockFixture&, Main& w) { pointAt(w, faceCentre(25)); }};
    QTest::newRow("hover marked") << State{morning, false, [](ClockFixture&, Main& w) { pointAt(w, faceCentre(31)); }};
    QTest::newRow("a name on the date line") << State{morning, true, {}};
    QTest::newRow("keys") << State{morning, true, [](ClockFixture&, Main&) {
                                       key(Qt::Key_Down);
                                       key(Qt::Key_Down);
                                   }};
    QTest::newRow("shifted to a common hour")
        << State{morning, false, [](ClockFixture&, Main&) { key(Qt::Key_Right, Qt::ControlModifier); }};
    QTest::newRow("shifted, changes coming")
        << State{QDateTime(QDate(2026, 3, 20), QTime(9, 0), Qt::UTC), false, [](ClockFixture&, Main& w) {
                     pointAt(w, faceCentre(2));
                     turnWheelOver(w.childAt(faceCentre(2)), 8 * 120, false,
                                   w.childAt(faceCentre(2))->mapFrom(&w, faceCentre(2)));
                 }};
    QTest::newRow("a button lit") << State{morning, false, [](ClockFixture&, Main& w) { pointAt(w, QPoint(185, 26)); }};
    QTest::newRow("panel open") << State{morning, false, [](ClockFixture& f, Main& w) {
                                             f.openPanel();
                                             pointAt(w, QPoint(930, 510)); // its OK lit
                                         }};
}

void TestContrast::everyTextAndHandStandsOut()
{
    QFETCH(State, state);
    ClockFixture f(defaultList(state.longNames), state.local, 1);
    for (int row : {10, 31, 53})
        f.env.writeSetting(QStringLiteral("P%1").arg(row), QStringLiteral("T"));
    f.env.writeSetting(QStringLiteral("Contraste"), QStringLiteral("T"));
    Main& w = f.startActive();
    QCOMPARE(look::contrast(), Contrast::High);
    if (state.act)
        state.act(f, w);
    QCoreApplication::processEvents();
    const ClockGrid& grid = f.grid();
    const QRect covered = w.isPanelOpen() ? f.panel().geometry() : QRect();
    const QImage window = shot(w);

    // The hands, against their face: nothing else lies within their reach (no ring, no frame), and every pixel
    // of the face under them stands out from them. (The two hands cross at the centre; each is measured
    // against the face.)
    int hands = 0;
    for (int row = 0; row < kRows; ++row) {
        const Board::RowPicture& shown = grid.board().picture().rows[row];
        const QRect face = grid.faceRect(row);
        if (shown.time.isEmpty() || covered.intersects(face))
            continue;
        const QImage picture = look::facePicture(shown.look.face).toImage().convertToFormat(QImage::Format_ARGB32);
        const QPointF centre(24, 24);
        const double reach = kMinuteHandLength / double(kTwipsPerPixel) + kHandWidth / 2.0;
        for (int y = 0; y < 48; ++y) {
            for (int x = 0; x < 48; ++x) {
                const QPointF point = QPointF(x + 0.5, y + 0.5) - centre;
                const double distance = std::hypot(point.x(), point.y());
                if (distance > reach + 0.2)
                    continue;
                QCOMPARE(qAlpha(picture.pixel(x, y)), 255);
                // Away from both hands, the window shows the face itself.
                auto awayFrom = [&](double angle) {
                    const QPointF end = handEnd(angle, 1.0);
                    const double along = point.x() * end.x() + point.y() * end.y();
                    const double across = std::abs(point.x() * end.y() - point.y() * end.x());
                    return along < -2 || across > kHandWidth / 2.0 + 1.5;
                };
                if (awayFrom(shown.look.hands.minute) && awayFrom(shown.look.hands.hour) && distance > 2)
                    QVERIFY2(window.pixel(face.x() + x, face.y() + y) == picture.pixel(x, y),
                             qPrintable(QStringLiteral("face %1 at %2, %3").arg(row).arg(x).arg(y)));
            }
        }
        const auto measure = [&](double angle, double length, const Rgb& colour) {
            const QPointF end = handEnd(angle, length / kTwipsPerPixel);
            for (double t = 0; t <= 1.0; t += 0.02) {
                for (double side = -kHandWidth / 2.0; side <= kHandWidth / 2.0; side += 0.5) {
                    const QPointF across(-end.y(), end.x());
                    const QPointF at = centre + end * t + across / std::hypot(end.x(), end.y()) * side;
                    const QRgb under = picture.pixel(std::clamp(int(at.x()), 0, 47), std::clamp(int(at.y()), 0, 47));
                    const double ratio = contrast(look::toColor(colour).rgb(), under);
                    QVERIFY2(ratio >= 4.5, qPrintable(QStringLiteral("hand of row %1: %2").arg(row).arg(ratio)));
                }
            }
        };
        measure(shown.look.hands.hour, kHourHandLength, shown.look.handColours.hour);
        measure(shown.look.hands.minute, kMinuteHandLength, shown.look.handColours.minute);
        ++hands;
    }
    QVERIFY(w.isPanelOpen() || hands >= 59);

    // The date line stands behind the names: none of its amber within a name.
    if (const int row = grid.board().picture().dateLineRow; row >= 0 && !w.isPanelOpen()) {
        auto amber = [&](const QRect& area) {
            int count = 0;
            for (int y = area.top(); y <= area.bottom(); ++y) {
                for (int x = area.left(); x <= area.right(); ++x) {
                    const QRgb pixel = window.pixel(x, y);
                    count += qRed(pixel) > 200 && qGreen(pixel) > 110 && qGreen(pixel) < 190 && qBlue(pixel) < 60;
                }
            }
            return count;
        };
        const int x = twipsToPixels(grid::left(row) - grid::kDateLineBeforeFace);
        QVERIFY(amber(QRect(x - 2, twipsToPixels(grid::faceTop(row)), 5, 40)) > 100);
        int crossed = 0;
        for (int other = 0; other < kRows; ++other) {
            const QRect name = grid.nameRect(other);
            if (name.left() <= x + 2 && name.right() >= x - 2) {
                ++crossed;
                QCOMPARE(amber(name), 0);
            }
        }
        if (state.longNames)
            QVERIFY(crossed > 0); // a long name reaches over the line
    }

    // Every text.
    QList<Text> texts = gridTexts(w, grid, covered) + controlTexts(w);
    QVERIFY2(texts.size() >= (w.isPanelOpen() ? 150 : 120), qPrintable(QString::number(texts.size())));
    for (const Text& text : std::as_const(texts)) {
        const double ratio = lowest(text.colour, text.behind);
        QVERIFY2(
            ratio >= 4.5,
            qPrintable(
                QStringLiteral("%1 (%2): %3 to 1").arg(text.what, QColor(text.colour).name()).arg(ratio, 0, 'f', 2)));
    }
}

void TestContrast::theDesignStaysTheDefault_data()
{
    QTest::addColumn<QString>("stored");   // "Contraste" in the settings; none if empty
    QTest::addColumn<bool>("desktopAsks"); // the desktop asks for high contrast
    QTest::addColumn<bool>("highContrast");
    QTest::addRow("nothing asked: the design's") << "" << false << false;
    QTest::addRow("the desktop asks") << "" << true << true;
    QTest::addRow("chosen from the menu") << "T" << false << true;
    QTest::addRow("left from the menu, whatever the desktop asks") << "F" << true << false;
    QTest::addRow("a text of no meaning: the desktop decides") << "oui" << true << true;
}

void TestContrast::theDesignStaysTheDefault()
{
    QFETCH(QString, stored);
    QFETCH(bool, desktopAsks);
    QFETCH(bool, highContrast);
    ClockFixture f(defaultList(false));
    if (!stored.isEmpty())
        f.env.writeSetting(QStringLiteral("Contraste"), stored);
    f.platform.desktop.highContrast = desktopAsks;
    Main& w = f.start();
    QCOMPARE(look::highContrast(), highContrast);
    QCOMPARE(f.board().contrast(), highContrast ? Contrast::High : Contrast::Design);
    const QList<QAction*> commands = w.actions();
    const auto item = std::find_if(commands.begin(), commands.end(),
                                   [](QAction* action) { return action->text() == QStringLiteral("Contraste élevé"); });
    QVERIFY(item != commands.end());
    QCOMPARE((*item)->isChecked(), highContrast);
    // The panel's grey where the clocks lie, or black.
    QCOMPARE(shot(w).pixel(490, 140), highContrast ? qRgb(0, 0, 0) : qRgb(0xC0, 0xC0, 0xC0));
    QCOMPARE(f.ville(1)->textColor(), highContrast ? QColor(Qt::white) : QColor(Qt::black));
    w.close();
}

void TestContrast::theDesktopMayAnswerAfterTheStart()
{
    // The window shows in the design's look while the desktop's settings are read; a later "high contrast"
    // switches it, unless the user chose from the menu meanwhile.
    for (const bool chosenMeanwhile : {false, true}) {
        ClockFixture f(defaultList(false));
        f.platform.desktop.answersLater = true;
        Main& w = f.start();
        QVERIFY(w.isVisible());
        QVERIFY(!look::highContrast());
        QVERIFY(f.platform.desktop.lateAnswer);
        const QList<QAction*> commands = w.actions();
        QAction* item = *std::find_if(commands.begin(), commands.end(), [](QAction* action) {
            return action->text() == QStringLiteral("Contraste élevé");
        });
        if (chosenMeanwhile) {
            item->trigger(); // on
            item->trigger(); // and off again: the design, chosen
        }
        f.platform.desktop.lateAnswer(true);
        QCOMPARE(look::highContrast(), !chosenMeanwhile);
        QCOMPARE(item->isChecked(), !chosenMeanwhile);
        QCOMPARE(f.ville(1)->textColor(), chosenMeanwhile ? QColor(Qt::black) : QColor(Qt::white));
        // The answer is no choice: nothing kept in the settings.
        QCOMPARE(f.env.readSetting(QStringLiteral("Contraste")), chosenMeanwhile ? QStringLiteral("F") : QString());
        w.close();
    }
}

void TestContrast::aChoiceThatCannotBeKeptIsTold_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("told");
    QTest::addRow("high contrast") << "Contraste élevé"
                                   << "Le choix du contraste élevé";
    QTest::addRow("day and night by the sun") << "Jour et nuit selon le soleil"
                                              << "Le choix du jour et de la nuit selon le soleil";
}

void TestContrast::aChoiceThatCannotBeKeptIsTold()
{
    // A settings file too large to be read whole is never replaced: the choice applies, and the user is told
    // in French that it is not kept.
    QFETCH(QString, command);
    QFETCH(QString, told);
    ClockFixture f(defaultList(false));
    const QString path = f.env.settingsFile();
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[data]\nHN=21\nHJ=");
    file.write(QByteArray(2 * 1024 * 1024, '7'));
    file.close();
    Main& w = f.start();
    const qsizetype before = f.platform.dialogs.shown.size();
    const QList<QAction*> commands = w.actions();
    QAction* item =
        *std::find_if(commands.begin(), commands.end(), [&](QAction* action) { return action->text() == command; });
    item->trigger();
    QVERIFY(item->isChecked());
    QCOMPARE(f.platform.dialogs.shown.size(), before + 1);
    QVERIFY2(f.platform.dialogs.shown.last().text.startsWith(told), qPrintable(f.platform.dialogs.shown.last().text));
    QCOMPARE(QFileInfo(path).size(), qint64(16 + 2 * 1024 * 1024));
    w.close();
}

void TestContrast::theMenuSwitchesTheLookLive()
{
    ClockFixture f(defaultList(false));
    f.env.writeSetting(QStringLiteral("P31"), QStringLiteral("T"));
    Main& w = f.startActive();
    pointAt(w, faceCentre(25));
    f.openPanel();
    const QList<QAction*> commands = w.actions();
    const auto found = std::find_if(commands.begin(), commands.end(), [](QAction* action) {
        return action->text() == QStringLiteral("Contraste élevé");
    });
    QVERIFY(found != commands.end());
    QAction* item = *found;
    const QImage before = shot(w);
    for (const bool on : {true, false}) {
        item->trigger();
        QCOMPARE(item->isChecked(), on);
        QCOMPARE(f.env.readSetting(QStringLiteral("Contraste")), on ? QStringLiteral("T") : QStringLiteral("F"));
        QCOMPARE(f.board().contrast(), on ? Contrast::High : Contrast::Design);
        // Drawn again at once, without a restart: the rows, the open panel's preview faces and winter offsets.
        QCOMPARE(f.ville(1)->textColor(), on ? QColor(Qt::white) : QColor(Qt::black));
        QCOMPARE(f.ville(31)->textColor(), QColor(Qt::yellow));
        QCOMPARE(f.find<Picture>(QStringLiteral("Jour"))->picture().cacheKey(),
                 look::facePicture(Face::Day).cacheKey());
        QCOMPARE(f.box(QStringLiteral("THiver_1"))->palette().color(QPalette::Text), look::winterColour());
        QCoreApplication::processEvents();
        QCOMPARE(shot(w).pixel(1, 300), on ? look::kHighContrastRim.rgb() : before.pixel(1, 300));
    }
    // Back to the design: the window as it was.
    QCOMPARE(shot(w), before);
    w.close();
}

void TestContrast::aHighContrastThemeIsTold_data()
{
    QTest::addColumn<QString>("theme");
    QTest::addColumn<bool>("high");
    QTest::addRow("HighContrast") << "HighContrast" << true;
    QTest::addRow("HighContrastInverse") << "HighContrastInverse" << true;
    QTest::addRow("with its variant") << "HighContrast:dark" << true;
    QTest::addRow("Adwaita") << "Adwaita" << false;
    QTest::addRow("Adwaita, dark") << "Adwaita:dark" << false;
    QTest::addRow("none") << "" << false;
}

void TestContrast::aHighContrastThemeIsTold()
{
    QFETCH(QString, theme);
    QFETCH(bool, high);
    QCOMPARE(isHighContrastTheme(theme), high);
    // Given by GTK_THEME, or in GTK's settings file of the user's own folder.
    QTemporaryDir config;
    const QByteArray oldTheme = qgetenv("GTK_THEME"), oldConfig = qgetenv("XDG_CONFIG_HOME");
    const auto restore = qScopeGuard([&] {
        oldTheme.isNull() ? qunsetenv("GTK_THEME") : qputenv("GTK_THEME", oldTheme);
        qputenv("XDG_CONFIG_HOME", oldConfig);
    });
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    qputenv("GTK_THEME", theme.toUtf8());
    QCOMPARE(gtkThemeAsksForHighContrast(), high);
    qunsetenv("GTK_THEME");
    QVERIFY(QDir(config.path()).mkpath(QStringLiteral("gtk-3.0")));
    QFile settings(QDir(config.path()).filePath(QStringLiteral("gtk-3.0/settings.ini")));
    QVERIFY(settings.open(QIODevice::WriteOnly));
    settings.write("[Settings]\ngtk-application-prefer-dark-theme=0\ngtk-theme-name=" + theme.toUtf8() + "\n");
    settings.close();
    QCOMPARE(gtkThemeAsksForHighContrast(), high);
}

QTEST_MAIN(TestContrast)
#include "tst_contrast.moc"
