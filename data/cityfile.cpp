#include "cityfile.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

#include "cp1252.h"
#include "reasons.h"

namespace {

constexpr qint64 kChunk = 64 * 1024;

bool isLineEnd(int c)
{
    return c == '\r' || c == '\n';
}

bool isSeparator(int c)
{
    return c == ',' || isLineEnd(c) || c < 0;
}

} // namespace

CityFieldReader::CityFieldReader(QIODevice& device) : m_device(device) {}

int CityFieldReader::peek()
{
    if (m_position >= m_buffer.size()) {
        // Every read goes into the same buffer: a device that hands out a few bytes at a time (a pipe)
        // costs no allocation per read.
        m_buffer.resize(kChunk);
        m_buffer.resize(std::max<qint64>(m_device.read(m_buffer.data(), kChunk), 0));
        m_position = 0;
        if (m_buffer.isEmpty())
            return -1;
    }
    return static_cast<unsigned char>(m_buffer[m_position]);
}

int CityFieldReader::get()
{
    const int c = peek();
    if (c >= 0)
        ++m_position;
    return c;
}

bool CityFieldReader::readField(QString& field)
{
    int c;
    for (;;) {
        while ((c = peek()) == ' ' || c == '\t')
            get();
        if (c < 0) {
            // A comma just before the end of the file still opens one last, empty field.
            if (!m_afterComma)
                return false;
            m_afterComma = false;
            field.clear();
            return true;
        }
        if (!(isLineEnd(c) && m_atLineStart))
            break;
        // A blank line in a hand-made file holds no field.
        if (get() == '\r' && peek() == '\n')
            get();
    }

    QByteArray bytes;
    auto keep = [&bytes](int byte) {
        if (bytes.size() < kMaxFieldBytes)
            bytes.append(char(byte));
    };
    if (c == '"') {
        get();
        while ((c = get()) >= 0 && c != '"')
            keep(c);
        // Whatever stands between the closing quote and the separator is dropped.
        while (!isSeparator(peek()))
            get();
    } else {
        while (!isSeparator(c = peek()))
            keep(get());
        while (!bytes.isEmpty() && (bytes.back() == ' ' || bytes.back() == '\t'))
            bytes.chop(1);
    }

    const int separator = get();
    if (separator == '\r' && peek() == '\n')
        get();
    m_atLineStart = isLineEnd(separator);
    m_afterComma = separator == ',';
    field = decodeCp1252(bytes);
    return true;
}

bool CityFieldReader::readRecord(CityRecord& record)
{
    return readField(record.name) && readField(record.summer) && readField(record.winter);
}

QString cityFilePath(const QString& folder)
{
    return QDir(folder).filePath(QStringLiteral("horlune.ini"));
}

QByteArray cityFileFingerprint(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex();
}

QString cityListFolder(const QString& programDirectory)
{
    const QDir program(programDirectory);
    const QString installedDefault = program.filePath(QStringLiteral("../../share/horlune/horlune.ini"));
    const QFileInfo own(cityFilePath(programDirectory));
    if (own.exists() || own.isSymLink() || !QFileInfo(installedDefault).isFile())
        return programDirectory;
    const QString userFolder =
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)).filePath(QStringLiteral("horlune"));
    const QString userList = cityFilePath(userFolder);
    if (!QFileInfo::exists(userList) && !QFileInfo(userList).isSymLink() && QDir().mkpath(userFolder))
        QFile::copy(installedDefault, userList);
    return userFolder;
}

CityFileContents readCityFile(const QString& path)
{
    CityFileContents contents;
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) {
        contents.status = CityFileStatus::Missing;
        return contents;
    }
    contents.status = CityFileStatus::Unreadable;
    QFile file(path);
    if (info.isDir()) {
        contents.error = QStringLiteral("c'est un dossier");
        return contents;
    }
    // A pipe would never end and a device never stop: only a regular file is read.
    if (info.exists() && !info.isFile()) {
        contents.error = QStringLiteral("ce n'est pas un fichier ordinaire");
        return contents;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        contents.error = frenchReason(file.errorString(), path);
        return contents;
    }
    // QIODevice::read(n) sets n bytes aside first: ask for no more than the file holds.
    const QByteArray bytes = file.read(qMin(file.size(), kMaxCityFileBytes));
    contents.tooLarge = file.size() > kMaxCityFileBytes;
    contents.fingerprint = cityFileFingerprint(bytes);
    contents.status = CityFileStatus::Read;
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    CityFieldReader reader(buffer);
    CityRecord current;
    contents.rows.reserve(kCityRows);
    for (int row = 1; row <= kCityRows; ++row) {
        const bool complete = reader.readRecord(current);
        contents.rows.append({current, complete});
    }
    return contents;
}

QString tooLargeFileText(const QString& path)
{
    return QStringLiteral("Le fichier %1 est bien trop grand pour être celui d'Horlune : seul son début a été lu.")
        .arg(path);
}

QString unreadCityFileTitle(CityFileStatus status)
{
    return status == CityFileStatus::Missing ? QStringLiteral("Erreur grave de pas trouver moi fichier")
                                             : QStringLiteral("Horlune");
}

QString unreadCityFileText(const QString& cityFolder, const CityFileContents& contents)
{
    if (contents.status == CityFileStatus::Missing)
        return QStringLiteral("Veuillez installer le fichier ''Horlune.ini'' dans le repertoire ") + cityFolder +
               QStringLiteral(" ...");
    return QStringLiteral("Le fichier des villes %1 ne peut pas être lu (%2).")
        .arg(cityFilePath(cityFolder), contents.error);
}

namespace {

bool needsQuotes(const QString& text)
{
    if (text.isEmpty())
        return false;
    const QChar first = text.front();
    const QChar last = text.back();
    if (first == u'"' || first == u' ' || first == u'\t' || last == u' ' || last == u'\t')
        return true;
    for (const QChar c : text) {
        if (c == u',' || c == u'\r' || c == u'\n')
            return true;
    }
    return false;
}

} // namespace

QString storedText(const QString& text)
{
    // Decide on the text as the file can hold it: a character outside the code page may turn into
    // punctuation on the way.
    QString stored = decodeCp1252(encodeCp1252(text));
    if (!needsQuotes(stored))
        return stored;
    // A double quote cannot stand inside a quoted field: there it becomes a typographic quote.
    for (qsizetype i = 0; i < stored.size(); ++i) {
        if (stored[i] != u'"')
            continue;
        const bool opening = i == 0 || stored[i - 1].isSpace() || stored[i - 1] == u'(';
        stored[i] = opening ? QChar(0x201C) : QChar(0x201D);
    }
    return stored;
}

QString cityFileField(const QString& text)
{
    const QString stored = storedText(text);
    return needsQuotes(stored) ? QLatin1Char('"') + stored + QLatin1Char('"') : stored;
}

QList<TextChange> changesOnSaving(const QList<CityRecord>& records)
{
    QList<TextChange> changes;
    for (const CityRecord& record : records) {
        for (const QString* text : {&record.name, &record.summer, &record.winter}) {
            const TextChange change{text->normalized(QString::NormalizationForm_C), storedText(*text)};
            if (change.before != change.after && !changes.contains(change))
                changes.append(change);
        }
    }
    return changes;
}

QByteArray encodeCityFile(const QList<CityRecord>& records)
{
    QByteArray bytes;
    for (const CityRecord& record : records) {
        const QString line = cityFileField(record.name) + QLatin1Char(',') + cityFileField(record.summer) +
                             QLatin1Char(',') + cityFileField(record.winter);
        bytes += encodeCp1252(line);
        bytes += "\r\n";
    }
    return bytes;
}

void removeLeftoverTemporaryFiles(const QString& path)
{
    // QSaveFile writes "<name>.XXXXXX" beside the file; one an hour old belongs to no save still running.
    const QFileInfo target(path);
    const QRegularExpression own(QRegularExpression::anchoredPattern(QRegularExpression::escape(target.fileName()) +
                                                                     QStringLiteral("\\.[A-Za-z0-9]{6}")));
    const QDateTime anHourAgo = QDateTime::currentDateTimeUtc().addSecs(-3600);
    for (const QFileInfo& file : target.dir().entryInfoList({target.fileName() + QStringLiteral(".*")}, QDir::Files)) {
        if (own.match(file.fileName()).hasMatch() && !file.isSymLink() && file.ownerId() == ::getuid() &&
            file.lastModified().toUTC() < anHourAgo)
            QFile::remove(file.absoluteFilePath());
    }
}

bool writeWholeFile(const QString& path, const QByteArray& bytes, QString* error)
{
    QSaveFile file(path);
    // In a folder that refuses the temporary file, the file is written in place: the bytes are all known
    // by now, and a list that can be saved beats one that cannot.
    file.setDirectWriteFallback(true);
    // Flush before committing: a write cut short (a full disk) must never replace the previous file, and
    // commit() alone does not always notice.
    errno = 0;
    const bool complete = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
    // Qt may give no reason for a write cut short; the system's is still at hand.
    const int code = errno;
    if (!complete || !file.commit()) {
        if (error)
            *error =
                frenchReason(code && file.error() == QFileDevice::WriteError ? QString::fromLocal8Bit(strerror(code))
                                                                             : file.errorString(),
                             path);
        file.cancelWriting();
        return false;
    }
    return true;
}

bool writeCityFile(const QString& path, const QList<CityRecord>& records, QString* error)
{
    return writeWholeFile(path, encodeCityFile(records), error);
}
