#include "dialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

namespace {

QMessageBox::Icon toMessageBoxIcon(DialogIcon icon)
{
    switch (icon) {
    case DialogIcon::Information:
        return QMessageBox::Information;
    case DialogIcon::Warning:
        return QMessageBox::Warning;
    case DialogIcon::Question:
        return QMessageBox::Question;
    case DialogIcon::Critical:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

void prepare(QMessageBox& box, const QString& title, const QString& text, DialogIcon icon)
{
    box.setWindowTitle(title);
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.setIcon(toMessageBoxIcon(icon));
    box.setWindowModality(Qt::ApplicationModal);
}

// Watches a box for Escape, which then closes it without clicking any of its buttons, and for its closing by
// the window system, which the box would take for its escape button.
class EscapeIsNoAnswer : public QObject
{
public:
    explicit EscapeIsNoAnswer(QMessageBox& box) : m_box(box) { box.installEventFilter(this); }
    bool pressed = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            pressed = true;
            m_box.done(QDialog::Rejected);
            return true;
        }
        // Closed by the window system (its close button, Alt+F4); a button closes the box from the program.
        if (event->type() == QEvent::Close && event->spontaneous())
            pressed = true;
        return false;
    }

private:
    QMessageBox& m_box;
};

} // namespace

void MessageBoxDialogs::inform(QWidget* parent, const QString& title, const QString& text, DialogIcon icon)
{
    QMessageBox box(parent);
    prepare(box, title, text, icon);
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
}

bool MessageBoxDialogs::askYesNo(QWidget* parent, const QString& title, const QString& text, DialogIcon icon)
{
    QMessageBox box(parent);
    prepare(box, title, text, icon);
    QPushButton* yes = box.addButton(QStringLiteral("&Oui"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&Non"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

std::optional<bool> MessageBoxDialogs::askYesNoOrBack(QWidget* parent, const QString& title, const QString& text,
                                                      DialogIcon icon)
{
    QMessageBox box(parent);
    prepare(box, title, text, icon);
    QPushButton* yes = box.addButton(QStringLiteral("&Oui"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&Non"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    // Escape would take "Non" for the escape button: it leaves the box with no answer instead.
    EscapeIsNoAnswer escape(box);
    box.exec();
    if (escape.pressed || !box.clickedButton())
        return std::nullopt;
    return box.clickedButton() == yes ? std::optional(true)
                                      : (box.clickedButton() == no ? std::optional(false) : std::nullopt);
}

std::optional<QString> MessageBoxDialogs::askText(QWidget* parent, const QString& title, const QString& label,
                                                  const QString& text)
{
    QInputDialog box(parent);
    box.setWindowTitle(title);
    box.setLabelText(label);
    box.setTextValue(text);
    box.setOkButtonText(QStringLiteral("OK"));
    box.setCancelButtonText(QStringLiteral("Annuler"));
    box.setWindowModality(Qt::ApplicationModal);
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    return box.textValue();
}

std::optional<QString> MessageBoxDialogs::askSavePath(QWidget* parent, const QString& title, const QString& suggested,
                                                      const QString& filter)
{
    const QString path = QFileDialog::getSaveFileName(parent, title, suggested, filter);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}
