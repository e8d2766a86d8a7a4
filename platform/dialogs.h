#pragma once

#include <QString>

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
    // A question with "Oui" (the default button) and "Non"; true when the answer is "Oui".
    virtual bool askYesNo(QWidget* parent, const QString& title, const QString& text, DialogIcon icon) = 0;
};

class MessageBoxDialogs : public Dialogs
{
public:
    void inform(QWidget* parent, const QString& title, const QString& text, DialogIcon icon) override;
    bool askYesNo(QWidget* parent, const QString& title, const QString& text, DialogIcon icon) override;
};
