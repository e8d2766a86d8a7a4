#include "citysearch.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>

#include "board/feedback.h"
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

    // Where the list of cities opens: it says so when there is none.
    m_nothingFound = new QLabel(window);
    m_nothingFound->setObjectName(QStringLiteral("AucuneVille"));
    m_nothingFound->setTextFormat(Qt::PlainText); // the text typed, as it is
    m_nothingFound->setGeometry(look::twipsRect(5385, 765, 3600, 285));
    m_nothingFound->setFont(look::sans(10, false));
    m_nothingFound->setAutoFillBackground(true);
    m_nothingFound->setFrameShape(QFrame::Box);
    m_nothingFound->setIndent(4);
    QPalette saying = m_nothingFound->palette();
    saying.setColor(QPalette::Window, look::kLightGrey);
    saying.setColor(QPalette::WindowText, look::kMaroon);
    m_nothingFound->setPalette(saying);
    m_nothingFound->hide();
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
    sayNothingFound(QString());
    clear();
    // The keys go back before the box disappears, rather than on to the next control Qt finds, which screen
    // readers would announce on the way; where they went elsewhere already, they stay there.
    const QWidget* focus = QApplication::focusWidget();
    if (!focus || focus == this) {
        if (m_focusBefore && m_focusBefore->isVisible())
            m_focusBefore->setFocus(Qt::OtherFocusReason);
        else
            window()->setFocus(Qt::OtherFocusReason);
    }
    hide();
    emit closed();
}

void CitySearch::offer(const QString& typed)
{
    const int offered = m_completer->offer(typed, m_shownUniversal());
    const bool foundBefore = m_nothingFound->isHidden();
    sayNothingFound(offered == 0 ? typed.simplified() : QString());
    // Told once as the text comes to find nothing, not again at each letter that still finds nothing.
    if (offered == 0 && foundBefore && !typed.simplified().isEmpty())
        emit nothingFound(typed.simplified());
}

void CitySearch::sayNothingFound(const QString& typed)
{
    if (typed.isEmpty()) {
        // The box's description may be the sentence of the city chosen since: only the saying goes.
        if (!m_nothingFound->isHidden() && accessibleDescription() == m_nothingFound->accessibleName())
            setAccessibleDescription(QString());
        m_nothingFound->hide();
        return;
    }
    // The text typed may be long: shortened in its middle on the line, whole for screen readers and in the
    // tooltip.
    const QString whole = nothingFoundText(typed);
    const QFontMetrics metrics(m_nothingFound->font());
    const int room = m_nothingFound->contentsRect().width() - 2 * m_nothingFound->indent() -
                     metrics.horizontalAdvance(nothingFoundText(QString()));
    m_nothingFound->setText(nothingFoundText(metrics.elidedText(typed, Qt::ElideMiddle, room)));
    m_nothingFound->setToolTip(whole);
    m_nothingFound->setAccessibleName(whole);
    m_nothingFound->show();
    m_nothingFound->raise();
    setAccessibleDescription(whole);
}

void CitySearch::chooseFirst()
{
    // What the text finds now: after a city was taken, the list is no longer the text's.
    if (!m_completer->popup()->isVisible())
        offer(text());
    m_completer->popup()->hide();
    // Asked for, the answer is told again when there is none.
    if (!m_nothingFound->isHidden()) {
        emit nothingFound(text().simplified());
        return;
    }
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
