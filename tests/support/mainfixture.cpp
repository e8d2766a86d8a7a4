#include "mainfixture.h"

QByteArray cityFile(const QList<QByteArray>& lines)
{
    QByteArray bytes;
    for (const QByteArray& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

QByteArray fullFile()
{
    QList<QByteArray> lines;
    for (int i = 1; i <= 59; ++i)
        lines << "Ville" + QByteArray::number(i) + "," + QByteArray::number(i % 24 - 11) + "," +
                     QByteArray::number(i % 24 - 11);
    return cityFile(lines);
}

ClockFixture::ClockFixture(const QByteArray& cities, const QDateTime& local, int offsetHours, bool writeFile)
{
    if (writeFile)
        env.writeCityFile(cities);
    platform.clock.set(local, offsetHours * 3600);
}

Main& ClockFixture::start()
{
    window = std::make_unique<Main>(platform.services(), env.programDirectory(), env.settingsName());
    window->Form_Load();
    return *window;
}
