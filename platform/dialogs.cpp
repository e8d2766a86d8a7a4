#include "dialogs.h"

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
