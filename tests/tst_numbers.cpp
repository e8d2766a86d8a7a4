#include <QTest>
#include <cmath>
#include <limits>

#include "data/numbers.h"

class TestNumbers : public QObject
{
    Q_OBJECT

private slots:
    void readNumber_data();
    void readNumber();
    void hugeTextsAreReadSafely();
    void toFloat();
    void formatHours_data();
    void formatHours();
    void wholeNumber16_data();
    void wholeNumber16();
};

void TestNumbers::readNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addRow("decimal") << "5.75" << 5.75;
    QTest::addRow("leading space and minus") << " -3.5" << -3.5;
    QTest::addRow("plus sign") << "+2" << 2.0;
    QTest::addRow("comma ends the number") << "5,5" << 5.0;
    QTest::addRow("letter ends the number") << "2h" << 2.0;
    QTest::addRow("blanks inside are ignored") << "1 0" << 10.0;
    QTest::addRow("tabs and line feeds ignored") << "\t-\n1\t2" << -12.0;
    QTest::addRow("empty") << "" << 0.0;
    QTest::addRow("letters") << "abc" << 0.0;
    QTest::addRow("lone minus") << "-" << 0.0;
    QTest::addRow("lone point") << "." << 0.0;
    QTest::addRow("point first") << ".5" << 0.5;
    QTest::addRow("trailing point") << "7." << 7.0;
    QTest::addRow("second point stops") << "1.2.3" << 1.2;
    QTest::addRow("second sign stops") << "-+3" << 0.0;
    QTest::addRow("exponent is not read") << "1E2" << 1.0;
    QTest::addRow("1E400") << "1E400" << 1.0;
    QTest::addRow("eleven digits") << "99999999999" << 99999999999.0;
    QTest::addRow("leading zeros") << "02" << 2.0;
    QTest::addRow("sign after digits stops") << "3-4" << 3.0;
    QTest::addRow("carriage return stops") << "4\r5" << 4.0;
}

void TestNumbers::readNumber()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(::readNumber(text), value);
}

void TestNumbers::hugeTextsAreReadSafely()
{
    const QString huge = QString(400, u'9');
    QCOMPARE(::readNumber(huge), std::numeric_limits<double>::infinity());
    QCOMPARE(::readNumber(QStringLiteral("-") + huge), -std::numeric_limits<double>::infinity());
    QCOMPARE(::readNumber(QStringLiteral("0.") + QString(400, u'0') + QStringLiteral("1")), 0.0);
    QCOMPARE(::readNumber(QString(1'000'000, u'1')), std::numeric_limits<double>::infinity());
}

void TestNumbers::toFloat()
{
    QCOMPARE(::toFloat(5.5), std::optional<float>(5.5f));
    QCOMPARE(::toFloat(-1e30), std::optional<float>(-1e30f));
    QVERIFY(!::toFloat(1e39));
    QVERIFY(!::toFloat(std::numeric_limits<double>::infinity()));
    QVERIFY(!::toFloat(std::nan("")));
}

void TestNumbers::formatHours_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    // clang-format off
    QTest::addRow("whole") << 1.0f << "fr_FR" << "1";
    QTest::addRow("zero") << 0.0f << "fr_FR" << "0";
    QTest::addRow("minus zero") << -0.0f << "fr_FR" << "0";
    QTest::addRow("French comma") << 5.5f << "fr_FR" << "5,5";
    QTest::addRow("English point") << 5.5f << "en_US" << "5.5";
    QTest::addRow("negative") << -3.5f << "fr_FR" << "-3,5";
    QTest::addRow("two decimals") << 0.33f << "fr_FR" << "0,33";
    QTest::addRow("seven digits") << 1234.567f << "en_US" << "1234.567";
    QTest::addRow("no group separator") << 12345.0f << "fr_FR" << "12345";
    // clang-format on
}

void TestNumbers::formatHours()
{
    QFETCH(float, value);
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QCOMPARE(::formatHours(value, QLocale(locale)), text);
}

void TestNumbers::wholeNumber16_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("value"); // -99999: no value
    // clang-format off
    QTest::addRow("plain") << "8" << "fr_FR" << 8;
    QTest::addRow("spaces around") << " 20 " << "fr_FR" << 20;
    QTest::addRow("no range check") << "30" << "fr_FR" << 30;
    QTest::addRow("half to even, down") << "20,5" << "fr_FR" << 20;
    QTest::addRow("half to even, up") << "21,5" << "fr_FR" << 22;
    QTest::addRow("English half") << "2.5" << "en_US" << 2;
    QTest::addRow("negative") << "-3" << "fr_FR" << -3;
    QTest::addRow("not a number") << "abc" << "fr_FR" << -99999;
    QTest::addRow("empty") << "" << "fr_FR" << -99999;
    QTest::addRow("too large") << "32768" << "fr_FR" << -99999;
    QTest::addRow("largest") << "32767" << "fr_FR" << 32767;
    QTest::addRow("rounds past the largest") << "32767,5" << "fr_FR" << -99999;
    QTest::addRow("smallest") << "-32768" << "fr_FR" << -32768;
    QTest::addRow("eleven digits") << "99999999999" << "fr_FR" << -99999;
    QTest::addRow("1E400") << "1E400" << "en_US" << -99999;
    // clang-format on
}

void TestNumbers::wholeNumber16()
{
    QFETCH(QString, text);
    QFETCH(QString, locale);
    QFETCH(int, value);
    const auto result = readStoredHour(text, QLocale(locale));
    if (value == -99999)
        QVERIFY(!result.has_value());
    else
        QCOMPARE(result, std::optional<qint16>(static_cast<qint16>(value)));
}

QTEST_GUILESS_MAIN(TestNumbers)
#include "tst_numbers.moc"
