#include "dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
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

// The files' dates and sizes in French: Qt's model writes them in the system's language (QLocale::system()),
// which the program's French locale does not reach.
class FrenchFileDetails : public QIdentityProxyModel
{
public:
    FrenchFileDetails(const QLocale& locale, QObject* parent) : QIdentityProxyModel(parent), m_locale(locale) {}

    QVariant data(const QModelIndex& index, int role) const override
    {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (files && role == Qt::DisplayRole && (index.column() == kSize || index.column() == kDate)) {
            const QModelIndex source = mapToSource(index);
            if (index.column() == kDate)
                return m_locale.toString(files->lastModified(source), QLocale::ShortFormat);
            if (!files->isDir(source))
                return m_locale.formattedDataSize(files->size(source));
        }
        return QIdentityProxyModel::data(index, role);
    }

private:
    static constexpr int kSize = 1, kDate = 3; // QFileSystemModel's columns
    QLocale m_locale;
};

} // namespace

std::unique_ptr<QFileDialog> makeSaveDialog(QWidget* parent, const QString& title, const QString& suggested,
                                            const QString& filter)
{
    const QFileInfo place(suggested);
    auto dialog = std::make_unique<QFileDialog>(parent, title, place.absolutePath(), filter);
    dialog->selectFile(place.fileName());
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setWindowModality(Qt::ApplicationModal);
    const QLocale french(QLocale::French, QLocale::France);
    dialog->setLocale(french);
    dialog->setProxyModel(new FrenchFileDetails(french, dialog.get()));
    return dialog;
}

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
    const std::unique_ptr<QFileDialog> dialog = makeSaveDialog(parent, title, suggested, filter);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    return dialog->selectedFiles().constFirst();
}
