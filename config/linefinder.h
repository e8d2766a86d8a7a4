#pragma once

#include "ui/controls.h"

class QLineEdit;

// The panel's "Aller à la ville…" box (`AllerVille`, captioned by `LabelAller`, in `CadreAller` under the city
// editor, left of "OK"). Opened with a text, it takes the keys and reports its text as it changes; Enter or Tab
// accepts it, Escape leaves it, and it closes itself once the keys go elsewhere.
class LineFinder : public Frame
{
    Q_OBJECT

public:
    explicit LineFinder(QWidget* panel);

    // Shows the box with this text (replacing what it held), the keys in it.
    void open(const QString& typed);
    void close();
    // What the text found, for the eye and for screen readers: a line (its number and name), or none (0).
    void showResult(int line, const QString& name);
    QLineEdit* box() const { return m_box; }

signals:
    void textChanged(const QString& text);
    void accepted();
    void cancelled();
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_box = nullptr;
};
