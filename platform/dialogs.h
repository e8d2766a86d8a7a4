#pragma once

#include <QString>
#include <optional>

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
};

class MessageBoxDialogs : public Dialogs
{
public:
    void inform(QWidget* parent, const QString& title, const QString& text, DialogIcon icon) override;
    bool askYesNo(QWidget* parent, const QString& title, const QString& text, DialogIcon icon) override;
    std::optional<bool> askYesNoOrBack(QWidget* parent, const QString& title, const QString& text,
                                       DialogIcon icon) override;
};
