#pragma once

#include <QString>
#include <memory>
#include <optional>

class QFileDialog;
class QWidget;

enum class DialogIcon
{
    Information,
    Warning,
    Question,
    Critical
};

// Modal message boxes. The texts are always shown as plain text: they may carry file paths and city names.
class Dialogs
{
public:
    virtual ~Dialogs() = default;
    // A message with a single "OK" button.
    virtual void inform(QWidget* parent, const QString& title, const QString& text, DialogIcon icon) = 0;
    // A question with "Oui" (the default button) and "Non"; true when the answer is "Oui". Escape is "Non".
    virtual bool askYesNo(QWidget* parent, const QString& title, const QString& text, DialogIcon icon) = 0;
    // The same question, where Escape (or closing the box) answers neither: empty then, and the user goes
    // back to what they were doing.
    virtual std::optional<bool> askYesNoOrBack(QWidget* parent, const QString& title, const QString& text,
                                               DialogIcon icon) = 0;
    // A line of text to type, starting from `text`; empty when cancelled.
    virtual std::optional<QString> askText(QWidget* parent, const QString& title, const QString& label,
                                           const QString& text) = 0;
    // Where to save a file, starting from `suggested` (its folder and name); empty when cancelled.
    virtual std::optional<QString> askSavePath(QWidget* parent, const QString& title, const QString& suggested,
                                               const QString& filter) = 0;
};

class MessageBoxDialogs : public Dialogs
{
public:
    void inform(QWidget* parent, const QString& title, const QString& text, DialogIcon icon) override;
    bool askYesNo(QWidget* parent, const QString& title, const QString& text, DialogIcon icon) override;
    std::optional<bool> askYesNoOrBack(QWidget* parent, const QString& title, const QString& text,
                                       DialogIcon icon) override;
    std::optional<QString> askText(QWidget* parent, const QString& title, const QString& label,
                                   const QString& text) override;
    std::optional<QString> askSavePath(QWidget* parent, const QString& title, const QString& suggested,
                                       const QString& filter) override;
};

// The dialog askSavePath shows, made but not shown: Qt's own rather than the desktop's (whose words and dates
// follow the system's language), wholly in French with French dates and sizes whatever the system's locale,
// open on the folder of `suggested` with its name typed in.
std::unique_ptr<QFileDialog> makeSaveDialog(QWidget* parent, const QString& title, const QString& suggested,
                                            const QString& filter);
