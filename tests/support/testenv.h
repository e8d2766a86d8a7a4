#pragma once

#include <QString>
#include <QTemporaryDir>

#include "data/cityfile.h"
#include "data/locations.h"

class QByteArray;

// A throw-away program folder and settings folder for one test, so the real user's files are never touched.
class TestEnvironment
{
public:
    TestEnvironment();

    QString programDirectory() const { return m_program.path(); }
    QString cityFile() const;
    // A settings file of its own for each environment.
    QString settingsFile() const;

    void writeCityFile(const QByteArray& bytes) const;
    void writeSetting(const QString& key, const QString& value) const; // key within the "data" group
    QString readSetting(const QString& key) const;

private:
    QTemporaryDir m_program;
    QTemporaryDir m_settings;
};

// Writes a city list as the program's save does, bytes and all.
bool saveCityList(const QString& path, const QList<CityRecord>& records, QString* error);
