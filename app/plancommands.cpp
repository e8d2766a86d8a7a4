#include "plancommands.h"

#include <QDir>
#include <QWidget>

#include "board/board.h"
#include "board/feedback.h"
#include "data/locations.h"
#include "data/messages.h"
#include "data/safefile.h"
#include "data/settings.h"
#include "plan/share.h"

PlanCommands::PlanCommands(QWidget* window, Platform platform, const Board& board, const QString& settingsFile)
    : QObject(window), m_window(window), m_platform(platform), m_board(board), m_settingsFile(settingsFile)
{
}

QString PlanCommands::instantToShare(const QString& purpose)
{
    const QString text = m_board.sharedInstant(m_platform.clock.now());
    if (text.isEmpty())
        m_platform.dialogs.inform(m_window, QStringLiteral("Horlune"),
                                  QStringLiteral("Cochez des villes dans le panneau de configuration, ou montrez une "
                                                 "ville (souris, flèches), pour %1.")
                                      .arg(purpose),
                                  DialogIcon::Information);
    return text;
}

void PlanCommands::copyInstant()
{
    const QString text = instantToShare(QStringLiteral("copier l'instant"));
    if (text.isEmpty())
        return;
    if (!m_platform.desktop.copyText(text)) {
        m_platform.dialogs.inform(m_window, QStringLiteral("Horlune"),
                                  QStringLiteral("Le presse-papiers n'a pas pris le texte :\n\n") + text,
                                  DialogIcon::Warning);
        return;
    }
    emit done(copiedTexts(text));
}

void PlanCommands::exportInvitation()
{
    const QString description = instantToShare(QStringLiteral("en faire une invitation"));
    if (description.isEmpty())
        return;
    const std::optional<QString> path = m_platform.dialogs.askSavePath(
        m_window, QStringLiteral("Exporter l'invitation"),
        QDir(documentsFolder()).filePath(QStringLiteral("rendez-vous.ics")), QStringLiteral("Invitation (*.ics)"));
    if (!path)
        return;
    const Instant now = m_platform.clock.now();
    const QByteArray text = calendarText(m_board.shownUniversal(now), now.universal, description);
    // Only a regular file, reached through the user's own links; the question names the file replaced.
    const ExportTarget target = exportTarget(*path);
    if (!target.refusal.isEmpty()) {
        m_platform.dialogs.inform(m_window, QStringLiteral("Horlune"), target.refusal, DialogIcon::Warning);
        return;
    }
    if (!target.question.isEmpty() &&
        !m_platform.dialogs.askYesNo(m_window, QStringLiteral("Horlune"), target.question, DialogIcon::Question))
        return;
    if (QString reason; !writeExport(target, text, &reason)) {
        m_platform.dialogs.inform(m_window, QStringLiteral("Horlune"),
                                  QStringLiteral("L'invitation n'a pas pu être écrite dans %1 : %2").arg(*path, reason),
                                  DialogIcon::Warning);
        return;
    }
    emit done(exportedTexts(*path));
}

void PlanCommands::askOfficeHours()
{
    const std::optional<QString> typed = m_platform.dialogs.askText(
        m_window, QStringLiteral("Heures de bureau"),
        QStringLiteral("Heures de bureau des villes cochées (jours ouvrés de leur pays), par exemple 9.00 – 18.00 :"),
        workHoursText(m_board.workHours()));
    if (!typed)
        return;
    const std::optional<WorkHours> hours = readWorkHours(*typed);
    if (!hours || hours->start == hours->end) {
        m_platform.dialogs.inform(m_window, QStringLiteral("Horlune"),
                                  hours ? QStringLiteral("Les deux heures sont égales : il n'y aurait aucune heure de "
                                                         "bureau. Rien n'est changé.")
                                        : QStringLiteral("« %1 » n'est pas une plage d'heures : écrivez par exemple "
                                                         "9.00 – 18.00. Rien n'est changé.")
                                              .arg(typed->left(80)),
                                  DialogIcon::Warning);
        return;
    }
    emit workHoursChosen(*hours);
    keepChoice(m_platform.dialogs, m_window, m_settingsFile, QStringLiteral("Les heures de bureau"),
               [&](SettingsStore& settings) { settings.writeOfficeHours(workHoursText(*hours)); });
}

void keepChoice(Dialogs& dialogs, QWidget* window, const QString& settingsFile, const QString& what,
                const std::function<void(SettingsStore&)>& write)
{
    SettingsStore settings(settingsFile);
    write(settings);
    if (!settings.sync())
        dialogs.inform(window, QStringLiteral("Horlune"), unsavedSettingsText(what, settingsFile, settings.error()),
                       DialogIcon::Warning);
}
