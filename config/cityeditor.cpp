#include "cityeditor.h"

#include <QCheckBox>
#include <QCollator>
#include <QLineEdit>
#include <QLocale>

#include "app/look.h"
#include "clock/citygrid.h"
#include "config/citylist.h"
#include "config/configpanel.h"
#include "data/cityfile.h"
#include "data/settings.h"
#include "time/timerules.h"

QString editorHelpText()
{
    return QStringLiteral(
        "Vous pouvez modifier dans l'écran de droite les villes affichées, en connaissant les décalages avec TU "
        "en été et en hiver.\r\n"
        "Les villes sélectionnées seront colorées dans l'écran principal pour mieux les retrouver.\r\n"
        "A l'enregistrement les villes seront triées automatiquement.");
}

QString unwritableCityFileText(const QString& path, const QString& reason)
{
    return QStringLiteral("Les villes n'ont pas pu être enregistrées dans le fichier %1 (%2).\n\n"
                          "Le fichier n'a pas été modifié. Vos modifications restent dans le panneau de "
                          "configuration : vous pouvez réessayer.")
        .arg(path, reason);
}

QString unsavedPreferencesText(const QString& path)
{
    return QStringLiteral("Les villes sont enregistrées, mais les villes repérées et les heures de jour et de nuit "
                          "n'ont pas pu être enregistrées dans le fichier %1.")
        .arg(path);
}

CityEditor::CityEditor(ClockState& state, Platform platform, const QString& programDirectory,
                       const QString& settingsName, ConfigPanel& panel, CityGrid& grid, QWidget* window)
    : m_state(state),
      m_platform(platform),
      m_programDirectory(programDirectory),
      m_settingsName(settingsName),
      m_panel(panel),
      m_grid(grid),
      m_window(window)
{
    m_panel.onModified = [this] { m_state.Modif = true; };
}

void CityEditor::openPanel()
{
    if (m_panel.isVisible()) {
        Command1_Click();
        return;
    }
    m_panel.label11->setCaption(editorHelpText());
    m_panel.frame3->move(m_panel.frame3->x(), twipsToPixels(30));
    const QString pattern = QStringLiteral("dddd dd MMM yyyy");
    const qint16 year = static_cast<qint16>(m_platform.clock.now().local.date().year());
    m_panel.label2->setCaption(QLocale().toString(DebutEte(year), pattern));
    m_panel.label4->setCaption(QLocale().toString(DebutHiver(year), pattern));
    m_panel.text1->setText(QString::number(m_state.HN));
    m_panel.text2->setText(QString::number(m_state.HJ));
    ChargeConfig();
    m_panel.show();
}

void CityEditor::ChargeConfig()
{
    const CityFileContents contents = readCityFile(cityFilePath(m_programDirectory));
    if (contents.status != CityFileStatus::Read) {
        reportUnreadCityFile(m_platform.dialogs, m_window, m_programDirectory, contents);
        return;
    }
    for (int i = 1; i <= ConfigPanel::kLines; ++i) {
        m_panel.createLine(i);
        const CityRecord record = contents.rows.value(i - 1).record;
        m_panel.setLine(i, {record.name, record.summer, record.winter, m_state.VillePref[i]});
    }
    m_state.Modif = false;
}

void CityEditor::Command1_Click()
{
    if (m_state.Modif &&
        m_platform.dialogs.askYesNo(m_window, QStringLiteral("Horlune"), QStringLiteral("Enregistrer les modifications"),
                                    DialogIcon::Question) &&
        !Enregistre())
        return;
    m_panel.hide();
    m_panel.destroyLines();
}

bool CityEditor::Enregistre()
{
    // With no lines (the file was missing when the panel opened) there is nothing to save.
    if (m_panel.lineCount() == 0)
        return true;
    m_panel.setEditorLines(sortForSave(m_panel.editorLines(), m_state.HeureETE, QCollator(QLocale())));

    const QList<EditorLine> lines = m_panel.editorLines();
    QList<CityRecord> records;
    RowFlags marks{};
    for (int i = 0; i < lines.size(); ++i) {
        records.append({lines[i].name, lines[i].summer, lines[i].winter});
        marks[i + 1] = lines[i].marked;
    }
    const QString path = cityFilePath(m_programDirectory);
    QString error;
    if (!writeCityFile(path, records, &error)) {
        m_platform.dialogs.inform(m_window, QStringLiteral("Horlune"), unwritableCityFileText(path, error),
                                  DialogIcon::Critical);
        return false;
    }

    // The marks follow their cities only once the new file is whole.
    SettingsStore settings(m_settingsName);
    settings.writeMarks(marks);
    if (const auto hours = acceptedHours(m_panel.text1->text(), m_panel.text2->text())) {
        m_state.HN = hours->night;
        m_state.HJ = hours->day;
        settings.writeHours(hours->night, hours->day);
    }
    if (!settings.sync())
        m_platform.dialogs.inform(m_window, QStringLiteral("Horlune"), unsavedPreferencesText(settings.fileName()),
                                  DialogIcon::Warning);

    m_grid.setHeureDigitaleTag(QString());
    if (formLoad)
        formLoad();
    return true;
}
