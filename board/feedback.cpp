#include "feedback.h"

#include <QFileInfo>

LineTexts copiedTexts(const QString& copied)
{
    return {{QStringLiteral("Copié : ") + copied}, copied};
}

LineTexts exportedTexts(const QString& path)
{
    const QString file = QFileInfo(path).fileName();
    return {{QStringLiteral("Invitation enregistrée dans ") + path,
             QStringLiteral("Invitation enregistrée dans ") + file, QStringLiteral("Enregistrée : ") + file},
            file};
}

QString nothingFoundText(const QString& typed)
{
    return QStringLiteral("Aucune ville pour « %1 »").arg(typed);
}

LineTexts nothingFoundTexts(const QString& typed)
{
    return {{nothingFoundText(typed)}, typed};
}
