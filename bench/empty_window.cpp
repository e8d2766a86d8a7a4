// The baseline: an empty Qt window that updates one label every 300 ms.
#include <QApplication>
#include <QLabel>
#include <QTime>
#include <QTimer>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLabel label;
    label.setWindowTitle(QStringLiteral("Fenêtre vide"));
    label.resize(981, 529);
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &label,
                     [&label] { label.setText(QTime::currentTime().toString(QStringLiteral("HH.mm.ss"))); });
    timer.start(300);
    label.show();
    return QApplication::exec();
}
