#include "menuaccess.h"

#include <QAccessible>
#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QStyle>

namespace {

// "&Fichier" as it is read: "Fichier"; "&&" is an ampersand.
QString withoutMnemonic(const QString& text)
{
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&') {
            if (i + 1 < text.size() && text[i + 1] == u'&')
                plain += u'&';
            ++i;
            if (i < text.size() && text[i] != u'&')
                plain += text[i];
            continue;
        }
        plain += text[i];
    }
    return plain;
}

// A command of a menu, as Qt's own menu item, its shortcut in the words the menu shows.
class AccessibleMenuCommand : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    explicit AccessibleMenuCommand(QAction* action) : m_action(action) {}

    bool isValid() const override { return m_action && menu(); }
    QObject* object() const override { return m_action; }
    QWindow* window() const override { return menu() ? menu()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(menu()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override
    {
        return m_action && m_action->isSeparator() ? QAccessible::Separator : QAccessible::MenuItem;
    }
    QString text(QAccessible::Text kind) const override
    {
        if (!m_action)
            return {};
        switch (kind) {
        case QAccessible::Name:
            return withoutMnemonic(m_action->text());
        case QAccessible::Accelerator:
            return shortcut();
        default:
            return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}
    QAccessible::State state() const override
    {
        QAccessible::State state;
        const QMenu* owner = menu();
        if (!m_action || !owner)
            return state;
        state.invisible = !owner->isVisible() || !m_action->isVisible();
        state.focused = owner->activeAction() == m_action;
        state.hotTracked = owner->style()->styleHint(QStyle::SH_Menu_MouseTracking);
        state.disabled = m_action->isSeparator() || !m_action->isEnabled();
        state.checkable = m_action->isCheckable();
        state.checked = m_action->isChecked();
        return state;
    }
    QRect rect() const override
    {
        const QMenu* owner = menu();
        if (!m_action || !owner)
            return {};
        const QRect place = owner->actionGeometry(m_action);
        return QRect(owner->mapToGlobal(place.topLeft()), place.size());
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    QStringList actionNames() const override
    {
        if (!m_action || m_action->isSeparator())
            return {};
        return {pressAction()};
    }
    void doAction(const QString& name) override
    {
        if (m_action && m_action->isEnabled() && name == pressAction())
            m_action->trigger();
    }
    QStringList keyBindingsForAction(const QString& name) const override
    {
        const QString keys = shortcut();
        return name == pressAction() && !keys.isEmpty() ? QStringList{keys} : QStringList();
    }

private:
    QMenu* menu() const
    {
        if (!m_action)
            return nullptr;
        for (QObject* owner : m_action->associatedObjects()) {
            if (auto* found = qobject_cast<QMenu*>(owner))
                return found;
        }
        return nullptr;
    }
    // As the menu writes it, with Qt's translation of the keys' names.
    QString shortcut() const { return m_action ? m_action->shortcut().toString(QKeySequence::NativeText) : QString(); }

    QPointer<QAction> m_action;
};

QAccessibleInterface* accessibleMenuCommand(const QString& className, QObject* object)
{
    if (className != QLatin1String("QAction"))
        return nullptr;
    auto* action = static_cast<QAction*>(object);
    // A command that opens a submenu is left to Qt, which knows how to reach the submenu.
    if (action->menu<QMenu*>())
        return nullptr;
    return new AccessibleMenuCommand(action);
}

} // namespace

void installMenuCommandAccess()
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleMenuCommand);
        return true;
    }();
    Q_UNUSED(installed);
}
