#include "citysearch.h"

#include <QAbstractItemView>
#include <QKeyEvent>

#include "ui/citycompleter.h"
#include "ui/look.h"

CitySearch::CitySearch(QWidget* window, std::function<QDateTime()> shownUniversal)
    : QLineEdit(window), m_shownUniversal(std::move(shownUniversal))
{
    setObjectName(QStringLiteral("RechercheVille"));
    // Left of the digital clock, where the shift line writes while the clocks are moved: the box covers it
    // only while it is open.
    setGeometry(look::twipsRect(5385, 480, 3600, 285));
    setFont(look::sans(12, true));
    QPalette colours = palette();
    colours.setColor(QPalette::Base, look::kLightGrey);
    colours.setColor(QPalette::Text, look::kDarkBlue);
    colours.setColor(QPalette::PlaceholderText, look::kMaroon);
    setPalette(colours);
    setPlaceholderText(QStringLiteral("Ville ou pays…"));
    setAccessibleName(QStringLiteral("Rechercher une ville"));
    setToolTip(QStringLiteral("Une ville du monde, par son nom ou son pays : Entrée dit l'heure qu'il y est, "
                              "Échap ferme"));
    setMaxLength(200);
    hide();
    connect(this, &QLineEdit::textEdited, this, &CitySearch::offer);
}

void CitySearch::open(const QString& typed)
{
    // The list exists while the box is open: closed, the program is as it was before the search.
    if (!m_completer) {
        m_completer = new CityCompleter(this);
        connect(m_completer, &CityCompleter::cityChosen, this, [this](const QString& name, const QString& zone) {
            // The name taken, selected so that the next letters start another search.
            setText(name);
            selectAll();
            emit cityChosen(name, zone);
        });
        // Escape closes the box at once, the list with it (the list alone would take one press for itself).
        m_completer->popup()->installEventFilter(this);
    }
    if (!isVisible()) {
        m_focusBefore = window()->focusWidget();
        show();
        raise();
    }
    setFocus(Qt::ShortcutFocusReason);
    if (!typed.isEmpty()) {
        setText(typed);
        offer(typed);
    } else
        selectAll();
}

void CitySearch::dismiss()
{
    if (!isVisible())
        return;
    m_completer->popup()->hide();
    // Later: this may run inside its list's own key handling. The box lets go of it then (setCompleter would
    // delete it at once).
    m_completer->deleteLater();
    m_completer = nullptr;
    clear();
    hide();
    if (m_focusBefore && m_focusBefore->isVisible())
        m_focusBefore->setFocus(Qt::OtherFocusReason);
    else
        window()->setFocus(Qt::OtherFocusReason);
}

void CitySearch::offer(const QString& typed)
{
    m_completer->offer(typed, m_shownUniversal());
}

void CitySearch::chooseFirst()
{
    // What the text finds now: after a city was taken, the list is no longer the text's.
    if (!m_completer->popup()->isVisible())
        offer(text());
    m_completer->popup()->hide();
    m_completer->choose(0);
}

void CitySearch::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        dismiss();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!event->isAutoRepeat())
            chooseFirst();
        return;
    case Qt::Key_Down:
    case Qt::Key_Up:
        // The list again, after a city was taken.
        if (!m_completer->popup()->isVisible() && !text().isEmpty())
            offer(text());
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

void CitySearch::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // Its own list takes the keys for a moment; anything else closes the box.
    if (event->reason() != Qt::PopupFocusReason && m_completer && !m_completer->popup()->isVisible())
        dismiss();
}

bool CitySearch::eventFilter(QObject* watched, QEvent* event)
{
    // The list's own keys, before the completion's: Escape closes the box; Enter takes the city chosen in
    // the list, or the first, once.
    QAbstractItemView* list = m_completer ? m_completer->popup() : nullptr;
    if (!list || watched != list || event->type() != QEvent::KeyPress)
        return QLineEdit::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_Escape:
        dismiss();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!key->isAutoRepeat()) {
            const int row = list->currentIndex().isValid() ? list->currentIndex().row() : 0;
            list->hide();
            m_completer->choose(row);
        }
        return true;
    default:
        return QLineEdit::eventFilter(watched, event);
    }
}
