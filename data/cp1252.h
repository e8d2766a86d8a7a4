#pragma once

#include <QByteArray>
#include <QString>

// Windows-1252, the code page of the city file. Decoding never fails: the five bytes the code page leaves
// undefined read as the control characters of the same number, as Windows reads them.
QString decodeCp1252(QByteArrayView bytes);

// Encodes the text in its composed form. A character the code page lacks is written as its nearest plain form when it
// has one (an accent the code page lacks is dropped: "ō" becomes "o"), otherwise as "?".
QByteArray encodeCp1252(QStringView text);
