#include <QAccessible>
#include <QCheckBox>
#include <QFile>
#include <QHelpEvent>
#include <QLineEdit>
#include <QLocale>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocument>
#include <QToolTip>

#include "about/aboutwindow.h"
#include "chrome/buttonbar.h"
#include "clock/clockgrid.h"
#include "clock/timeentry.h"
#include "config/configpanel.h"
#include "data/cityfile.h"
#include "data/cp1252.h"
#include "data/locations.h"
#include "plan/commonhour.h"
#include "rows/geometry.h"
#include "rows/showninstant.h"
#include "support/mainfixture.h"
#include "support/mouse.h"
#include "time/timerules.h"
#include "ui/controls.h"
#include "ui/fitting.h"
#include "ui/look.h"

// Every text whole and readable: the labels of the three windows hold their texts with the bundled fonts,
// long names are shortened within their cells and whole in their tooltips, and screen readers are told
// each row, each button and each box. Runs at scales 1 and 2 (tst_texts_2x).
class TestTexts : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void cleanup()
    {
        QToolTip::hideText();
        QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    void labelsHoldTheirTexts_data();
    void labelsHoldTheirTexts();
    void everyDateFitsItsBox();
    void shiftedTextsFit();
    void planningTextsFit();
    void sentenceFits_data();
    void sentenceFits();
    void badNames_data();
    void badNames();
    void nameBoxToolTips_data();
    void nameBoxToolTips();
    void rowsAreDescribed();
    void pictureButtonsAreButtons_data();
    void pictureButtonsAreButtons();
    void panelBoxesAreNamed();
};

namespace {

QByteArray shippedCities()
{
    QFile file(QStringLiteral(HORLUNE_SOURCE_DIR "/resources/horlune.ini"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("no default city list");
    return file.readAll();
}

// The city list with one name in every row.
QByteArray sameNameEverywhere(const QString& name)
{
    QList<QByteArray> lines;
    for (int i = 1; i <= kCityRows; ++i)
        lines << encodeCp1252(cityFileField(name)) + "," + QByteArray::number(i % 24 - 11) + ",0";
    return cityFile(lines);
}

QString measures(const QRectF& rect)
{
    return QStringLiteral("%1 x %2 en (%3, %4)").arg(rect.width()).arg(rect.height()).arg(rect.x()).arg(rect.y());
}

// Where a shown label's text is cut: past its box (a label of fixed size, one line or wrapped within its
// width) or past its parent, which clips it. Empty when the text is whole. Measured in fractions of a
// pixel, as the text is drawn at a scale of 2.
QString cut(const Label* label)
{
    if (!label->isVisibleTo(label->window()) || label->text().isEmpty())
        return {};
    const QRectF box = label->contentsRect();
    const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    const QFontMetricsF metrics(label->font(), label);
    // The lines the text takes, down to the lowest ink of its last line rather than to the line's descent.
    const QRectF text = metrics.boundingRect(box, flags, label->text())
                            .adjusted(0, 0, 0, metrics.tightBoundingRect(label->text()).bottom() - metrics.descent());
    const QString what = label->objectName() + QStringLiteral(" « ") + label->text().left(40) + QStringLiteral(" » : ");
    if (!label->autoSize() && !box.adjusted(-0.01, -0.01, 0.01, 0.01).contains(text))
        return what + QStringLiteral("texte de ") + measures(text) + QStringLiteral(", cadre de ") + measures(box);
    const QRectF shown = text.translated(label->pos()) & QRectF(label->geometry());
    if (!QRectF(label->parentWidget()->rect()).adjusted(-0.01, -0.01, 0.01, 0.01).contains(shown))
        return what + QStringLiteral("coupé par ") + label->parentWidget()->objectName();
    return {};
}

// A text the grid of clocks draws in `box` of the window: a name sizes its box to its text (`autoSize`).
QString cut(const QWidget& window, const QString& what, const QRect& box, int flags, const QFont& font,
            const QString& text, bool autoSize)
{
    if (text.isEmpty())
        return {};
    const QFontMetricsF metrics(font, &window);
    const QRectF drawn = metrics.boundingRect(QRectF(box), flags, text)
                             .adjusted(0, 0, 0, metrics.tightBoundingRect(text).bottom() - metrics.descent());
    const QString where = what + QStringLiteral(" « ") + text.left(40) + QStringLiteral(" » : ");
    if (!autoSize && !QRectF(box).adjusted(-0.01, -0.01, 0.01, 0.01).contains(drawn))
        return where + QStringLiteral("texte de ") + measures(drawn) + QStringLiteral(", cadre de ") + measures(box);
    if (!QRectF(window.rect()).adjusted(-0.01, -0.01, 0.01, 0.01).contains(drawn & QRectF(box)))
        return where + QStringLiteral("coupé par la fenêtre");
    return {};
}

// The labels of a window whose texts are cut, and the names, times and signs of its clocks, one a line.
QString cutLabels(const QWidget& window)
{
    QStringList cuts;
    for (const Label* label : window.findChildren<Label*>()) {
        if (const QString where = cut(label); !where.isEmpty())
            cuts << where;
    }
    if (const auto* grid = window.findChild<const ClockGrid*>(QStringLiteral("ClockGrid"))) {
        for (int row = 0; row < kRows; ++row) {
            const Board::RowPicture& shown = grid->board().picture().rows[row];
            const QFont font = window.font();
            cuts << cut(window, QStringLiteral("Ville_%1").arg(row), grid->nameRect(row), Qt::AlignHCenter,
                        look::sans(11, shown.look.bold).resolve(font), grid->shownName(row), true)
                 << (shown.timeShown ? cut(window, QStringLiteral("Digit_%1").arg(row), grid->timeRect(row),
                                           Qt::AlignHCenter | Qt::TextWordWrap, look::sans(16, true).resolve(font),
                                           shown.time, false)
                                     : QString())
                 << cut(window, QStringLiteral("Changement_%1").arg(row), grid->signRect(row),
                        Qt::AlignLeft | Qt::TextWordWrap, look::sans(11, true).resolve(font), shown.look.changeSign,
                        false);
        }
    }
    cuts.removeAll(QString());
    return cuts.join(QLatin1Char('\n'));
}

// A tooltip's text as it reads, its line breaks and blanks aside.
QString toolTipLetters(const QString& toolTip)
{
    QTextDocument document;
    document.setHtml(toolTip);
    return document.toPlainText().remove(QRegularExpression(QStringLiteral("\\s")));
}

QString letters(QString text)
{
    return text.remove(QRegularExpression(QStringLiteral("\\s")));
}

// The tooltip a widget shows as the pointer rests on it (at `point`), or null.
QWidget* shownToolTip(QWidget* widget, const QPoint& point = QPoint(2, 2))
{
    QHelpEvent event(QEvent::ToolTip, point, widget->mapToGlobal(point));
    QApplication::sendEvent(widget, &event);
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() == QLatin1String("qtooltip_label") && top->isVisible())
            return top;
    }
    return nullptr;
}

QAccessibleInterface* accessible(QObject* object)
{
    QAccessibleInterface* interface = QAccessible::queryAccessibleInterface(object);
    if (!interface)
        qFatal("no accessible interface for %s", qPrintable(object->objectName()));
    return interface;
}

} // namespace

void TestTexts::labelsHoldTheirTexts_data()
{
    QTest::addColumn<QString>("window");
    QTest::addRow("main window, every city hovered, every button lit") << "Main";
    QTest::addRow("configuration panel") << "Frame1";
    QTest::addRow("About window") << "HorluneAbout";
}

void TestTexts::labelsHoldTheirTexts()
{
    QFETCH(QString, window);
    // The shipped cities on the last day of September, late in the evening: long months, wide digits.
    ClockFixture f(shippedCities(), QDateTime(QDate(2024, 9, 30), QTime(22, 48, 58), Qt::UTC), 2);
    Main& w = f.start();
    if (window == QLatin1String("Main")) {
        for (int row = 1; row < kRows; ++row) {
            moveOver(f.face(row), QPoint(5, 5));
            QVERIFY(!f.ville(row)->text().endsWith(u'…')); // no shipped name is shortened, bold as it is now
            QVERIFY2(cutLabels(w).isEmpty(), qPrintable(cutLabels(w)));
        }
        for (int button = 0; button < ButtonBar::kButtons; ++button) {
            f.buttons().light(button);
            QVERIFY2(cutLabels(w).isEmpty(), qPrintable(cutLabels(w)));
        }
    } else if (window == QLatin1String("Frame1")) {
        f.openPanel();
        QVERIFY(!f.label("Label5")->caption().isEmpty());
        QVERIFY(!f.label("Label11")->caption().isEmpty());
        f.buttons().light(ButtonBar::Ok);
        QVERIFY2(cutLabels(f.panel()).isEmpty(), qPrintable(cutLabels(f.panel())));
        f.panel().findCity(QStringLiteral("Paris")); // "Aller à la ville…"
        QVERIFY(f.label("LabelAller")->isVisible());
        QVERIFY2(cutLabels(f.panel()).isEmpty(), qPrintable(cutLabels(f.panel())));
        f.pressOk();
    } else {
        f.buttons().press(ButtonBar::About);
        HorluneAbout* about = f.about();
        QVERIFY(about);
        QVERIFY(!control<Label>(*about, QStringLiteral("Label1_0"))->caption().isEmpty());
        QVERIFY(!control<Label>(*about, QStringLiteral("Label2"))->caption().isEmpty());
        QVERIFY2(cutLabels(*about).isEmpty(), qPrintable(cutLabels(*about)));
        about->close();
    }
}

void TestTexts::everyDateFitsItsBox()
{
    // Every day of a leap year in the date box, and the season message at the offsets of the world.
    ClockFixture f(shippedCities());
    f.start();
    f.openPanel();
    for (QDate day(2028, 1, 1); day.year() == 2028; day = day.addDays(1)) {
        f.panel().setToday(day);
        QVERIFY2(cut(f.label("Label5")).isEmpty(), qPrintable(cut(f.label("Label5"))));
    }
    for (float offset = -12; offset <= 14; offset += 0.25f) {
        for (bool summer : {false, true}) {
            f.panel().setSeasonMessage(seasonMessage(summer, offset, QLocale()));
            QVERIFY2(cut(f.label("Label")).isEmpty(), qPrintable(cut(f.label("Label"))));
        }
    }
    f.pressOk();
}

void TestTexts::shiftedTextsFit()
{
    // The line beside the digital clock, a week either way from each day of the last week of September
    // (every weekday, the longest month, wide digits), whole and clear of the digital clock; the hover
    // sentences of an instant gone by; the hints of the box where a time is typed, on the last clock.
    ClockFixture f(shippedCities(), QDateTime(QDate(2024, 9, 30), QTime(22, 48, 58), Qt::UTC), 2);
    Main& w = f.start();
    Label* line = f.label(QStringLiteral("HeureVisee"));
    const Label* clock = f.label(QStringLiteral("HeureDigitale"));
    for (int i = 0; i < 8; ++i)
        QTest::keyClick(&w, Qt::Key_PageDown);
    QVERIFY(line->isVisible());
    const int clockText = clock->geometry().right() + 1 - clock->fontMetrics().horizontalAdvance(clock->text());
    QVERIFY2(line->geometry().right() + 1 + 4 <= clockText, qPrintable(QString::number(clockText)));
    for (int row = 1; row < kRows; ++row) {
        moveOver(f.face(row), QPoint(5, 5));
        QVERIFY(f.label("Label8")->caption().contains(QStringLiteral(", il était ")));
        QVERIFY2(cutLabels(w).isEmpty(), qPrintable(cutLabels(w)));
    }
    for (int day = 24; day <= 30; ++day) {
        const QDateTime local(QDate(2024, 9, day), QTime(22, 48), Qt::UTC);
        for (qint64 shift = -ShownInstant::kLimit; shift <= ShownInstant::kLimit; shift += ShownInstant::kStep) {
            line->setCaption(shiftText(shift, local.addSecs(shift), QLocale()));
            QVERIFY2(cut(line).isEmpty(), qPrintable(cut(line)));
        }
    }
    for (const char* typed : {"", "abc", "25", "15h99", "15.5"}) {
        doubleClick(f.digit(59));
        auto* box = w.findChild<TimeEntry*>(QStringLiteral("SaisieHeure"));
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, QString::fromLatin1(typed));
        QTest::keyClick(box, Qt::Key_Return);
        QVERIFY(box->hint()->isVisible());
        QVERIFY(w.rect().contains(box->hint()->geometry()));
        QVERIFY2(cutLabels(w).isEmpty(), qPrintable(cutLabels(w)));
    }
}

namespace {

// Names that must neither spill over their neighbours nor break the window. The city file holds only the
// characters of Windows-1252; a wider glyph can only be typed.
void addBadNames(bool fromFile)
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("shortened");
    QTest::addRow("short") << "Tokyo" << false;
    QTest::addRow("the longest shipped before") << "Saint-Jean de Terre-Neuve" << true;
    QTest::addRow("200 characters") << QStringLiteral("Llanfair pwll gwyngyll ").repeated(9).left(200) << true;
    QTest::addRow("one wide letter") << QString(60, u'W') << true;
    QTest::addRow("one wide sign") << QString(40, u'—') << true;
    if (!fromFile)
        QTest::addRow("one wide glyph") << QString(30, QChar(0xA9C5)) << true;
    QTest::addRow("markup") << QStringLiteral("<b>gras</b>").repeated(10) << true;
    QTest::addRow("empty") << "" << false;
    QTest::addRow("spaces") << "      " << false;
}

} // namespace

void TestTexts::planningTextsFit()
{
    // The shipped list, every city marked, a week before October's changes of summer time: the signs by the
    // times, and the line of a search with no common hour, whole. Then the line of a common hour found on
    // every day of a year, with wide times and the longest length: its shortest form always fits.
    ClockFixture f(shippedCities(), QDateTime(QDate(2026, 10, 20), QTime(10, 5), Qt::UTC), 2);
    for (int row = 1; row <= kCityRows; ++row)
        f.env.writeSetting(QStringLiteral("P%1").arg(row), QStringLiteral("T"));
    Main& w = f.start();
    QTest::keyClick(&w, Qt::Key_Right, Qt::ControlModifier);
    Label* line = f.label(QStringLiteral("HeureVisee"));
    QVERIFY(line->caption().startsWith(QStringLiteral("Aucun créneau")));
    int signs = 0;
    for (int row = 1; row <= kCityRows; ++row)
        signs += f.sign(row)->isVisible();
    QVERIFY(signs > 10);
    QVERIFY2(cutLabels(w).isEmpty(), qPrintable(cutLabels(w)));
    for (QDate day(2026, 1, 1); day.year() == 2026; day = day.addDays(1)) {
        CommonHour common;
        common.kind = CommonHour::Slot;
        common.start = QDateTime(day, QTime(20, 45), Qt::UTC);
        common.end = common.start.addSecs((47 * 60 + 45) * 60);
        const LineTexts texts =
            commonHourTexts(common, kCityRows, common.start.addSecs(7200), common.end.addSecs(7200), {}, QLocale());
        line->setCaption(texts.forms.last());
        QVERIFY2(cut(line).isEmpty(), qPrintable(cut(line)));
    }
    // The lines that say why the clocks stay, up to the widest limit.
    for (const CommonHour::Kind kind :
         {CommonHour::NoOtherSlot, CommonHour::NobodyAtWork, CommonHour::NothingFurther}) {
        CommonHour common;
        common.kind = kind;
        common.wholeWeek = false;
        line->setCaption(
            commonHourTexts(common, kCityRows, {}, {}, QDateTime(QDate(2026, 12, 16), QTime(12, 0)), QLocale())
                .forms.last());
        QVERIFY2(cut(line).isEmpty(), qPrintable(cut(line)));
    }
}

void TestTexts::sentenceFits_data()
{
    addBadNames(false);
}

void TestTexts::sentenceFits()
{
    QFETCH(QString, name);
    QFETCH(bool, shortened);
    const HoverSentence sentence{name, QStringLiteral(" (Tu -3,5) le 30 septembre, il est 22.48."), {}};
    const QFontMetrics metrics(look::sans(16, true));
    const int width = twipsToPixels(7050);
    const QString fitted = fitSentence(sentence, metrics, width);
    QVERIFY(metrics.horizontalAdvance(fitted) <= width);
    QVERIFY(fitted.endsWith(sentence.rest));
    const QString shownName = fitted.chopped(sentence.rest.size());
    QCOMPARE(shownName != name, shortened);
    if (shortened) {
        QVERIFY(shownName.endsWith(u'…'));
        QVERIFY(name.startsWith(shownName.chopped(1)));
        // Not shortened more than it must: one more letter would not fit.
        QVERIFY(metrics.horizontalAdvance(name.left(shownName.size()) + u'…' + sentence.rest) > width);
    }
}

void TestTexts::badNames_data()
{
    addBadNames(true);
}

void TestTexts::badNames()
{
    QFETCH(QString, name);
    QFETCH(bool, shortened);
    // The name in every row, row 2 marked: every column, bold and plain, the last column against the edge.
    ClockFixture f(sameNameEverywhere(name), QDateTime(QDate(2024, 9, 30), QTime(22, 48), Qt::UTC), 2);
    f.env.writeSetting("P2", "T");
    Main& w = f.start();
    for (int row : {1, 2, 11, 59}) {
        moveOver(f.face(row), QPoint(5, 5));
        QVERIFY2(cutLabels(w).isEmpty(), qPrintable(cutLabels(w)));
        const RowPart label = f.ville(row);
        QVERIFY(label->isBold());
        QCOMPARE(label->caption(), name);
        QVERIFY(label->size().width() <= twipsToPixels(grid::nameRoom(row)));
        QVERIFY(label->geometry().right() <
                (row % grid::kColumns == grid::kColumns - 1 ? w.width() : f.ville(row + 1)->x()));
        QCOMPARE(label->text() != name, shortened);
        QCOMPARE(label->toolTip().isEmpty(), !shortened);
        if (shortened) {
            QCOMPARE(toolTipLetters(label->toolTip()), letters(name));
            // On the screen, the tooltip keeps to its width.
            QWidget* tip = shownToolTip(&f.grid(), f.ville(row)->pos() + QPoint(2, 2));
            QVERIFY(tip);
            QVERIFY2(tip->width() <= kToolTipWidth + 30, qPrintable(QString::number(tip->width())));
            // A name that fits one line of it is not broken, not even at a hyphen.
            const QFontMetrics tipMetrics(QToolTip::font());
            if (tipMetrics.horizontalAdvance(name) <= kToolTipWidth)
                QVERIFY2(tip->height() < 2 * tipMetrics.lineSpacing(), qPrintable(QString::number(tip->height())));
            QToolTip::hideText();
        }
        QCOMPARE(f.face(row)->accessibleName(), rowDescription(row, f.board().row(row), QLocale()));
        QVERIFY(f.face(row)->accessibleName().size() < kSpokenNameLength + 40);
    }
    // The hover sentence keeps its end whole.
    QVERIFY(f.label("Label8")->caption().endsWith(QStringLiteral(" le 30 septembre, il est 20.48.")));
}

void TestTexts::nameBoxToolTips_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("toolTip");
    QTest::addRow("fits") << "Buenos Aires" << false;
    QTest::addRow("the longest shipped before") << "Saint-Jean de Terre-Neuve" << true;
    QTest::addRow("200 characters") << QString(200, u'a') << true;
    QTest::addRow("one wide glyph") << QString(30, QChar(0xA9C5)) << true;
    QTest::addRow("markup") << QStringLiteral("<b>gras</b><b>gras</b><b>gras</b>") << true;
    QTest::addRow("empty") << "" << false;
    QTest::addRow("spaces") << "   " << false;
}

void TestTexts::nameBoxToolTips()
{
    QFETCH(QString, name);
    QFETCH(bool, toolTip);
    ClockFixture f(cityFile({"Paris,2,1", "Saint-Denis de La R\xe9union,4,4"}));
    f.start();
    f.openPanel();
    QLineEdit* box = f.box("Tvil_1");
    QVERIFY(box->toolTip().isEmpty()); // Paris fits
    QCOMPARE(toolTipLetters(f.box("Tvil_2")->toolTip()), letters(QStringLiteral("Saint-Denis de La Réunion")));
    box->setText(name);
    QCOMPARE(!box->toolTip().isEmpty(), toolTip);
    // Screen readers get it as plain text, not as the tooltip's markup.
    QCOMPARE(accessible(box)->text(QAccessible::Description), toolTip ? name : QString());
    if (toolTip)
        QCOMPARE(toolTipLetters(box->toolTip()), letters(name));
    // Kept current as the name changes.
    box->setText(QStringLiteral("Lima"));
    QVERIFY(box->toolTip().isEmpty());
    QVERIFY(accessible(box)->text(QAccessible::Description).isEmpty());
    f.pressOk();
}

void TestTexts::rowsAreDescribed()
{
    // Tokyo at 05:01 on Thursday 10 December 2020 (20:01 the day before in Paris), by night.
    ClockFixture f(cityFile({"Paris,2,1", "Tokyo,9,9"}), QDateTime(QDate(2020, 12, 9), QTime(21, 1), Qt::UTC), 1);
    Main& w = f.start();
    QAccessibleInterface* tokyo = f.face(2)->accessible();
    QCOMPARE(tokyo->text(QAccessible::Name), QStringLiteral("Tokyo, 05 h 01, jeudi 10 décembre, nuit"));
    QCOMPARE(f.face(0)->accessible()->text(QAccessible::Name),
             QStringLiteral("Temps universel, 20 h 01, mercredi 9 décembre, nuit"));
    for (int i = 0; i < kRows; ++i) {
        QCOMPARE(f.face(i)->accessibleName(), rowDescription(i, f.board().row(i), QLocale()));
    }
    // The face speaks for the row: its name and time are not objects of their own, read twice. The grid's
    // objects are its faces, then its four lines and the announcer of what is done.
    QAccessibleInterface* grid = accessible(&f.grid());
    QCOMPARE(grid->childCount(), kRows + 5);
    QCOMPARE(grid->child(kRows - 1), f.face(kRows - 1)->accessible());
    QCOMPARE(grid->indexOfChild(f.face(7)->accessible()), 7);
    QCOMPARE(grid->child(kRows)->role(), QAccessible::StaticText);
    // Kept current at each full redraw, and never changed by a hover.
    f.platform.clock.advanceSeconds(60);
    w.tick();
    QCOMPARE(tokyo->text(QAccessible::Name), QStringLiteral("Tokyo, 05 h 02, jeudi 10 décembre, nuit"));
    moveOver(f.face(2), QPoint(5, 5));
    QCOMPARE(tokyo->text(QAccessible::Name), QStringLiteral("Tokyo, 05 h 02, jeudi 10 décembre, nuit"));
    // The hover line is read as it is written.
    QCOMPARE(accessible(f.label("Label8"))->text(QAccessible::Name),
             QStringLiteral("Tokyo (Tu +9) le 10 décembre, il est 05.02."));
}

void TestTexts::pictureButtonsAreButtons_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("name");
    QTest::addRow("btn_0") << int(ButtonBar::Quit) << "Quitter";
    QTest::addRow("btn_1") << int(ButtonBar::Configuration) << "Configuration";
    QTest::addRow("btn_2") << int(ButtonBar::Help) << "Aide";
    QTest::addRow("btn_3") << int(ButtonBar::About) << "A Propos";
    QTest::addRow("btn_4") << int(ButtonBar::Ok) << "OK";
}

void TestTexts::pictureButtonsAreButtons()
{
    QFETCH(int, button);
    QFETCH(QString, name);
    ClockFixture f(cityFile({"Paris,2,1"}));
    f.start();
    if (button == ButtonBar::Ok)
        f.openPanel(); // the panel's own button, made with the panel at its first opening
    QAccessibleInterface* picture = accessible(f.find<Picture>(QStringLiteral("btn_%1").arg(button)));
    QCOMPARE(picture->role(), QAccessible::Button);
    QCOMPARE(picture->text(QAccessible::Name), name);
    QVERIFY(accessible(f.label(QStringLiteral("LabBTN_%1").arg(button)))->state().invisible);
    QVERIFY(picture->actionInterface());
    QVERIFY(picture->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    // Pressed by a screen reader, it runs its command as a click does, once the reader's call has returned:
    // whatever the command opens (a question) never keeps the reader waiting.
    const char* commands[] = {SIGNAL(quitClicked()), SIGNAL(configurationClicked()), SIGNAL(helpClicked()),
                              SIGNAL(aboutClicked()), SIGNAL(closed())};
    f.buttons().disconnect(); // the commands themselves are tested elsewhere
    QSignalSpy spy(button == ButtonBar::Ok ? static_cast<QObject*>(&f.panel()) : &f.buttons(), commands[button]);
    picture->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(spy.size(), 0);
    QTRY_COMPARE(spy.size(), 1);
    // The other pictures are graphics.
    QCOMPARE(f.face(1)->accessible()->role(), QAccessible::Graphic);
}

void TestTexts::panelBoxesAreNamed()
{
    ClockFixture f(cityFile({"Paris,2,1", "  Tokyo ,9,9", ",0,0"}));
    f.start();
    f.openPanel();
    auto name = [&f](const QString& box) {
        return accessible(f.window->findChild<QWidget*>(box))->text(QAccessible::Name);
    };
    QCOMPARE(name("Tvil_1"), QStringLiteral("Paris, nom"));
    QCOMPARE(name("TEte_1"), QStringLiteral("Paris, décalage été"));
    QCOMPARE(name("THiver_1"), QStringLiteral("Paris, décalage hiver"));
    QCOMPARE(name("Pref_1"), QStringLiteral("Paris, repérée"));
    QCOMPARE(name("TEte_2"), QStringLiteral("Tokyo, décalage été"));
    QCOMPARE(name("THiver_3"), QStringLiteral("Ligne 3, décalage hiver"));
    QCOMPARE(name("Text1"), QStringLiteral("Heure de nuit"));
    QCOMPARE(name("Text2"), QStringLiteral("Heure de jour"));
    // Kept current as the name is typed.
    f.box("Tvil_1")->setText(QStringLiteral("Lyon"));
    QCOMPARE(name("Pref_1"), QStringLiteral("Lyon, repérée"));
    f.box("Tvil_1")->clear();
    QCOMPARE(name("TEte_1"), QStringLiteral("Ligne 1, décalage été"));
    f.pressOk();
}

QTEST_MAIN(TestTexts)
#include "tst_texts.moc"
