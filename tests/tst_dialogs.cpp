#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "platform/dialogs.h"

// The real message boxes of the program, answered by keys and clicks as soon as they show, as a user would.
class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void theQuestionBoxItself_data();
    void theQuestionBoxItself();
};

void TestDialogs::theQuestionBoxItself_data()
{
    QTest::addColumn<bool>("orBack");    // the save question, where Escape goes back; else a plain question
    QTest::addColumn<QString>("answer"); // how the box is answered
    QTest::addColumn<int>("outcome");    // 1 "Oui", 0 "Non", -1 back to what the user was doing
    // clang-format off
    QTest::addRow("Escape: back") << true << "Escape" << -1;
    QTest::addRow("closed by the window system: back") << true << "close" << -1;
    QTest::addRow("Enter: Oui, the default") << true << "Return" << 1;
    QTest::addRow("a click on Oui") << true << "Oui" << 1;
    QTest::addRow("a click on Non") << true << "Non" << 0;
    QTest::addRow("Space on Non") << true << "Space Non" << 0;
    QTest::addRow("a plain question: Escape is Non") << false << "Escape" << 0;
    QTest::addRow("a plain question: Enter is Oui") << false << "Return" << 1;
    // clang-format on
}

void TestDialogs::theQuestionBoxItself()
{
    QFETCH(bool, orBack);
    QFETCH(QString, answer);
    QFETCH(int, outcome);
    QTimer respond;
    respond.setInterval(10);
    connect(&respond, &QTimer::timeout, this, [&answer, &respond] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        respond.stop();
        auto button = [box](const QString& text) {
            for (QAbstractButton* candidate : box->buttons()) {
                if (candidate->text().remove(u'&') == text)
                    return candidate;
            }
            qFatal("no such button");
        };
        if (answer == QLatin1String("close")) {
            QCloseEvent close; // as the window system sends it to the box's window
            QApplication::sendEvent(box->windowHandle(), &close);
        } else if (answer == QLatin1String("Escape") || answer == QLatin1String("Return")) {
            QTest::keyClick(box->focusWidget() ? box->focusWidget() : box,
                            answer == QLatin1String("Escape") ? Qt::Key_Escape : Qt::Key_Return);
        } else if (answer.startsWith(QLatin1String("Space "))) {
            QAbstractButton* chosen = button(answer.mid(6));
            chosen->setFocus();
            QTest::keyClick(chosen, Qt::Key_Space);
        } else {
            QTest::mouseClick(button(answer), Qt::LeftButton);
        }
    });
    respond.start();
    MessageBoxDialogs dialogs;
    const QString title = QStringLiteral("Horlune"), text = QStringLiteral("Enregistrer les modifications");
    const std::optional<bool> answered = orBack ? dialogs.askYesNoOrBack(nullptr, title, text, DialogIcon::Question)
                                                : dialogs.askYesNo(nullptr, title, text, DialogIcon::Question);
    QCOMPARE(answered ? int(*answered) : -1, outcome);
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
