#include "cityfile.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <algorithm>

#include "cp1252.h"

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
    bool cut = false;
    auto keep = [&bytes, &cut](int byte) {
        if (bytes.size() < kMaxFieldBytes)
            bytes.append(char(byte));
        else
            cut = true;
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
    if (cut && !m_cutTexts.contains(field))
        m_cutTexts.append(field);
    return true;
}

bool CityFieldReader::readRecord(CityRecord& record)
{
    return readField(record.name) && readField(record.summer) && readField(record.winter);
}

QByteArray cityFileFingerprint(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex();
}

CityFileContents readCityFile(const QString& path)
{
    CityFileContents contents;
    FileRead file = readRegularFile(path, kMaxCityFileBytes);
    contents.status = file.status;
    contents.error = file.error;
    if (file.status != ReadStatus::Read)
        return contents;
    contents.tooLarge = file.tooLarge;
    contents.fingerprint = cityFileFingerprint(file.bytes);
    QBuffer buffer(&file.bytes);
    buffer.open(QIODevice::ReadOnly);
    CityFieldReader reader(buffer);
    CityRecord current;
    contents.rows.reserve(kCityRows);
    for (int row = 1; row <= kCityRows; ++row) {
        const bool complete = reader.readRecord(current);
        contents.rows.append({current, complete});
    }
    contents.cutTexts = reader.cutTexts();
    return contents;
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
    // punctuation on the way, or into several letters ("ﬃ" into "ffi"), and the reader keeps no more than
    // kMaxFieldBytes of a field.
    QString stored = decodeCp1252(encodeCp1252(text).left(kMaxFieldBytes));
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
