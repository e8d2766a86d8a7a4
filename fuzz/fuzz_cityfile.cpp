// Any bytes as the city file: the reader gives 59 rows that agree with its fields wherever the reads
// fall, and whatever it read, or any text, is written as a save writes it and read back as the file can carry
// it.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdint>
#include <cstring>

#include "data/cityfile.h"
#include "data/cp1252.h"
#include "data/locations.h"
#include "data/safefile.h"
#include "fuzzcheck.h"
#include "tests/support/trickledevice.h"

namespace {

QStringList allFields(QIODevice& device, qsizetype inputSize)
{
    device.open(QIODevice::ReadOnly);
    CityFieldReader reader(device);
    QStringList fields;
    QString field;
    while (reader.readField(field)) {
        fields << field;
        // A field takes at least its separator, but for one last empty field after a final comma.
        fuzzCheck(fields.size() <= inputSize + 1, "the reader ends");
    }
    return fields;
}

QStringList allFields(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    return allFields(buffer, bytes.size());
}

// In memory where the system allows: the writer syncs the file to the disk at each save.
const QString& cityFile()
{
    static const QTemporaryDir folder(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                          ? QStringLiteral("/dev/shm/horlune-fuzz-XXXXXX")
                                          : QDir::tempPath() + QStringLiteral("/horlune-fuzz-XXXXXX"));
    static const QString path = cityFilePath(folder.path());
    return path;
}

// The file carries a text in Windows-1252 (a character outside it becomes its plain form or "?"), and a
// text that must be quoted carries its straight quotes as typographic ones. Nothing else may change.
void checkCarried(const QString& written, const QString& read)
{
    const QString carried = decodeCp1252(encodeCp1252(written));
    fuzzCheck(read.size() == carried.size(), "a text reads back at the length the code page gives it");
    for (qsizetype i = 0; i < read.size(); ++i) {
        fuzzCheck(read[i] == carried[i] ||
                      (carried[i] == u'"' && (read[i] == QChar(0x201C) || read[i] == QChar(0x201D))),
                  "a text reads back as written, but for its quotes");
    }
    const auto blank = [](QChar c) { return c == u' ' || c == u'\t'; };
    const bool plain =
        !carried.contains(u',') && !carried.contains(u'\r') && !carried.contains(u'\n') &&
        (carried.isEmpty() || (!blank(carried.front()) && carried.front() != u'"' && !blank(carried.back())));
    if (plain)
        fuzzCheck(read == carried, "a text needing no quotes reads back as it is");
}

void checkRoundTrip(const QList<CityRecord>& records, const CityFileContents& readBack)
{
    fuzzCheck(readBack.rows.size() == kCityRows, "59 rows read back");
    for (qsizetype i = 0; i < kCityRows; ++i) {
        const CityFileRow& row = readBack.rows[i];
        fuzzCheck(row.complete == (i < records.size()), "every record written reads back whole, and no more");
        if (i >= records.size())
            continue;
        checkCarried(records[i].name, row.record.name);
        checkCarried(records[i].summer, row.record.summer);
        checkCarried(records[i].winter, row.record.winter);
    }
}

// The input read as the file the program reads: every read from the disk, then by the field reader alone
// with the bytes handed out a few at a time.
QList<CityRecord> checkReading(const QByteArray& bytes)
{
    QFile file(cityFile());
    fuzzCheck(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size(),
              "the input is written");
    file.close();
    const CityFileContents contents = readCityFile(cityFile());
    fuzzCheck(contents.status == ReadStatus::Read, "the file is read");
    fuzzCheck(contents.rows.size() == kCityRows, "59 rows, never more");

    const QStringList fields = allFields(bytes);
    for (qsizetype step = 1; step <= 3; ++step) {
        TrickleDevice trickle(bytes, step);
        fuzzCheck(allFields(trickle, bytes.size()) == fields, "the fields do not depend on how the bytes arrive");
    }

    QList<CityRecord> records;
    for (int i = 0; i < kCityRows; ++i) {
        const CityFileRow& row = contents.rows[i];
        const qsizetype first = 3 * qsizetype(i);
        fuzzCheck(row.complete == (first + 3 <= fields.size()), "a row is whole when its three fields are there");
        if (row.complete)
            fuzzCheck(row.record == CityRecord{fields[first], fields[first + 1], fields[first + 2]},
                      "a whole row holds the next three fields");
        else if (i == 0 || contents.rows[i - 1].complete) {
            CityRecord expected = i == 0 ? CityRecord{} : contents.rows[i - 1].record;
            const qsizetype left = fields.size() - first;
            if (left >= 1)
                expected.name = fields[first];
            if (left >= 2)
                expected.summer = fields[first + 1];
            fuzzCheck(row.record == expected, "a row cut short takes what is left over the row before");
        }
        if (i > 0 && !contents.rows[i - 1].complete)
            fuzzCheck(row.record == contents.rows[i - 1].record, "after the end, rows repeat the last");
        for (const QString& field : {row.record.name, row.record.summer, row.record.winter})
            fuzzCheck(field.size() <= kMaxFieldBytes, "fields are bounded");
        records.append(row.record);
    }
    return records;
}

// The input as UTF-16 texts, three to a record, split at U+001F: any character at all.
QList<CityRecord> textRecords(const uint8_t* data, size_t size)
{
    QString text(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(text.data(), data, size / 2 * sizeof(QChar));
    const QStringList texts = text.split(QChar(0x1F));
    QList<CityRecord> records;
    for (qsizetype i = 0; i + 2 < texts.size() && records.size() < kCityRows; i += 3)
        records.append({texts[i], texts[i + 1], texts[i + 2]});
    return records;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    const QList<CityRecord> read = checkReading(bytes);
    QString error;
    fuzzCheck(writeWholeFile(cityFile(), encodeCityFile(read), &error), "the rows read are written");
    checkRoundTrip(read, readCityFile(cityFile()));

    const QList<CityRecord> texts = textRecords(data, size);
    if (!texts.isEmpty()) {
        fuzzCheck(writeWholeFile(cityFile(), encodeCityFile(texts), &error), "any texts are written");
        checkRoundTrip(texts, readCityFile(cityFile()));
    }
    return 0;
}
