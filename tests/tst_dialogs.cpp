#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "data/locations.h"
#include "platform/dialogs.h"
#include "platform/process.h"

// The real boxes of the program: the questions answered by keys and clicks as soon as they show, as a user
// would; the dialog where a file is saved read as it is made, and answered by a timer.
class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void theQuestionBoxItself_data();
    void theQuestionBoxItself();
    void theSaveDialogIsFrench();
    void theSaveDialogAnswers_data();
    void theSaveDialogAnswers();
    void documentsAreOfferedWhereTheyAre_data();
    void documentsAreOfferedWhereTheyAre();
};

void TestDialogs::initTestCase()
{
    // The program's French (Qt's texts, the dates), as it sets it up before any window; the tests run under
    // the C locale.
    prepareProcess(*QCoreApplication::instance());
}

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

namespace {

// Every text a dialog shows: its labels, buttons (and their tooltips), lists, the headings and the cells of
// its views.
QStringList shownTexts(const QWidget& dialog)
{
    QStringList texts{dialog.windowTitle()};
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        texts << label->text();
    for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
        texts << button->text() << button->toolTip();
    for (const QComboBox* list : dialog.findChildren<QComboBox*>()) {
        for (int i = 0; i < list->count(); ++i)
            texts << list->itemText(i);
    }
    for (const QAbstractItemView* view : dialog.findChildren<QAbstractItemView*>()) {
        const QAbstractItemModel* model = view->model();
        if (!model)
            continue;
        for (int column = 0; column < model->columnCount(view->rootIndex()); ++column)
            texts << model->headerData(column, Qt::Horizontal).toString();
        for (int row = 0; row < model->rowCount(view->rootIndex()); ++row) {
            for (int column = 0; column < model->columnCount(view->rootIndex()); ++column)
                texts << model->index(row, column, view->rootIndex()).data().toString();
        }
    }
    texts.removeAll(QString());
    for (QString& text : texts)
        text.remove(u'&');
    return texts;
}

} // namespace

void TestDialogs::theSaveDialogIsFrench()
{
    // A folder with a folder and a file in it, last changed on a day whose English and French dates differ.
    QTemporaryDir place;
    QVERIFY(QDir(place.path()).mkdir(QStringLiteral("Archives")));
    QFile file(QDir(place.path()).filePath(QStringLiteral("ancien.ics")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(2500, 'x'));
    QVERIFY(file.flush());
    const QDateTime changed(QDate(2026, 12, 11), QTime(8, 56));
    QVERIFY(file.setFileTime(changed, QFileDevice::FileModificationTime));
    file.close();

    const std::unique_ptr<QFileDialog> dialog = makeSaveDialog(
        nullptr, QStringLiteral("Exporter l'invitation"),
        QDir(place.path()).filePath(QStringLiteral("rendez-vous.ics")), QStringLiteral("Invitation (*.ics)"));
    auto* files = dialog->findChild<QFileSystemModel*>();
    QVERIFY(files);
    QSignalSpy loaded(files, &QFileSystemModel::directoryLoaded);
    // Qt's own dialog, never the desktop's, in the folder asked for, the name typed in, for a file to save.
    QVERIFY(dialog->testOption(QFileDialog::DontUseNativeDialog));
    QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
    QCOMPARE(dialog->directory().absolutePath(), QDir(place.path()).absolutePath());
    QCOMPARE(dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text(), QStringLiteral("rendez-vous.ics"));
    QCOMPARE(dialog->locale(), QLocale(QLocale::French, QLocale::France));
    // Every view set to show its details: the list alone shows no date.
    dialog->setViewMode(QFileDialog::Detail);
    QTRY_VERIFY(!loaded.isEmpty());
    const QStringList texts = shownTexts(*dialog);

    // The date as French writes it, not the system's "11 Dec" or "12/11/26"; the size too.
    const QString date = QLocale(QLocale::French, QLocale::France).toString(changed, QLocale::ShortFormat);
    QCOMPARE(date, QStringLiteral("11/12/2026 08:56"));
    QVERIFY2(texts.contains(date), qPrintable(texts.join(u'|')));
    QVERIFY2(texts.contains(QStringLiteral("2,44 Kio")), qPrintable(texts.join(u'|')));
    // Folders are "Dossier", the headings and buttons French.
    for (const char* french : {"Dossier", "Nom", "Taille", "Dernière modification", "Enregistrer", "Annuler",
                               "Nom de fichier :", "Archives"})
        QVERIFY2(texts.contains(QString::fromUtf8(french)),
                 qPrintable(QString::fromUtf8(french) + QStringLiteral(" in ") + texts.join(u'|')));
    // No English word of Qt's own dialog.
    const QStringList english{QStringLiteral("Folder"),
                              QStringLiteral("File"),
                              QStringLiteral("Name"),
                              QStringLiteral("Size"), // "Type" is French too
                              QStringLiteral("Kind"),
                              QStringLiteral("Date Modified"),
                              QStringLiteral("Look in:"),
                              QStringLiteral("File name:"),
                              QStringLiteral("Files of type:"),
                              QStringLiteral("Save"),
                              QStringLiteral("Cancel"),
                              QStringLiteral("Back"),
                              QStringLiteral("Forward"),
                              QStringLiteral("Parent Directory"),
                              QStringLiteral("Create New Folder"),
                              QStringLiteral("List View"),
                              QStringLiteral("Detail View"),
                              QStringLiteral("Computer"),
                              QStringLiteral("My Computer"),
                              QStringLiteral("Drive"),
                              QStringLiteral("Recent Places")};
    for (const QString& text : texts) {
        QVERIFY2(!english.contains(text), qPrintable(text));
        QVERIFY2(!text.contains(QRegularExpression(QStringLiteral("\\b(Folder|File|Dec|Directory)\\b"))),
                 qPrintable(text));
    }
}

void TestDialogs::theSaveDialogAnswers_data()
{
    QTest::addColumn<QString>("typed"); // the name typed before the dialog is accepted; empty: cancelled
    QTest::addColumn<bool>("answered");
    QTest::addRow("the name offered") << QString() << true;
    QTest::addRow("a name of one's own") << QStringLiteral("réunion.ics") << true;
    QTest::addRow("cancelled") << QString() << false;
}

void TestDialogs::theSaveDialogAnswers()
{
    QFETCH(QString, typed);
    QFETCH(bool, answered);
    QTemporaryDir place;
    QTimer respond;
    respond.setInterval(10);
    connect(&respond, &QTimer::timeout, this, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        respond.stop();
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (!typed.isEmpty())
            name->setText(typed);
        QTest::keyClick(name, answered ? Qt::Key_Return : Qt::Key_Escape);
    });
    respond.start();
    const std::optional<QString> path = MessageBoxDialogs().askSavePath(
        nullptr, QStringLiteral("Exporter l'invitation"),
        QDir(place.path()).filePath(QStringLiteral("rendez-vous.ics")), QStringLiteral("Invitation (*.ics)"));
    const QString expected = QDir(place.path()).filePath(typed.isEmpty() ? QStringLiteral("rendez-vous.ics") : typed);
    QCOMPARE(path, answered ? std::optional(expected) : std::nullopt);
}

void TestDialogs::documentsAreOfferedWhereTheyAre_data()
{
    QTest::addColumn<QByteArray>("userDirs"); // user-dirs.dirs, where the desktop names its folders; none if empty
    QTest::addColumn<QString>("made");        // the folder made under the home folder, if any
    QTest::addColumn<QString>("offered");     // under the home folder ("" for the home folder itself)
    QTest::addRow("the desktop's documents folder") << QByteArray("XDG_DOCUMENTS_DIR=\"$HOME/Papiers\"\n") << "Papiers"
                                                    << "Papiers";
    QTest::addRow("named but missing: the home folder") << QByteArray("XDG_DOCUMENTS_DIR=\"$HOME/Papiers\"\n") << ""
                                                        << "";
    QTest::addRow("not named: ~/Documents") << QByteArray() << "Documents"
                                            << "Documents";
    QTest::addRow("not named, no ~/Documents: the home folder") << QByteArray() << ""
                                                                << "";
    QTest::addRow("named as a file: the home folder") << QByteArray("XDG_DOCUMENTS_DIR=\"$HOME/notes.txt\"\n") << ""
                                                      << "";
}

void TestDialogs::documentsAreOfferedWhereTheyAre()
{
    QFETCH(QByteArray, userDirs);
    QFETCH(QString, made);
    QFETCH(QString, offered);
    QTemporaryDir home, config;
    const QByteArray oldHome = qgetenv("HOME"), oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    const auto restore = qScopeGuard([&] {
        qputenv("HOME", oldHome);
        qputenv("XDG_CONFIG_HOME", oldConfig);
    });
    QFile notes(QDir(home.path()).filePath(QStringLiteral("notes.txt")));
    QVERIFY(notes.open(QIODevice::WriteOnly));
    notes.close();
    if (!userDirs.isEmpty()) {
        QFile file(QDir(config.path()).filePath(QStringLiteral("user-dirs.dirs")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(userDirs);
    }
    if (!made.isEmpty())
        QVERIFY(QDir(home.path()).mkdir(made));
    QCOMPARE(QDir(documentsFolder()).absolutePath(), QDir(QDir(home.path()).filePath(offered)).absolutePath());
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
