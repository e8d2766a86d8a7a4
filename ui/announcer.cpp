#include "announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>

namespace {

// The text of the notification, as the label it would hold.
class AccessibleAnnouncementText : public QAccessibleInterface
{
public:
    explicit AccessibleAnnouncementText(Announcer* announcer) : m_announcer(announcer) {}

    bool isValid() const override { return m_announcer; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_announcer ? m_announcer->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_announcer.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::StaticText; }
    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name && m_announcer ? m_announcer->said() : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    // Shown, so that readers which read only the labels they see read it.
    QAccessible::State state() const override { return {}; }
    QRect rect() const override { return {}; }

private:
    QPointer<Announcer> m_announcer;
};

// The announcer as a notification, shown whatever the widget, which is never drawn.
class AccessibleAnnouncer : public QAccessibleWidget
{
public:
    explicit AccessibleAnnouncer(Announcer* announcer) : QAccessibleWidget(announcer, QAccessible::Notification) {}
    ~AccessibleAnnouncer() override
    {
        if (m_text)
            QAccessible::deleteAccessibleInterface(m_text);
    }

    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name ? announcer()->said() : QString();
    }
    QAccessible::State state() const override { return {}; }
    QRect rect() const override { return {}; }
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override
    {
        if (index != 0)
            return nullptr;
        if (!m_text)
            m_text = QAccessible::registerAccessibleInterface(new AccessibleAnnouncementText(announcer()));
        return QAccessible::accessibleInterface(m_text);
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return m_text && child == QAccessible::accessibleInterface(m_text) ? 0 : -1;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

private:
    Announcer* announcer() const { return static_cast<Announcer*>(widget()); }

    mutable QAccessible::Id m_text = 0;
};

QAccessibleInterface* accessibleAnnouncer(const QString& className, QObject* object)
{
    if (className == QLatin1String("Announcer"))
        return new AccessibleAnnouncer(static_cast<Announcer*>(object));
    return nullptr;
}

} // namespace

Announcer::Announcer(QWidget* parent) : QWidget(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleAnnouncer);
        return true;
    }();
    Q_UNUSED(installed);
    setObjectName(QStringLiteral("Annonce"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void Announcer::say(const QString& text)
{
    m_said = text;
    emit told(text);
    if (!QAccessible::isActive())
        return;
    // Readers keep a name once read: told it changed, they read it again when the notification shows.
    QAccessibleEvent renamed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&renamed);
    QAccessibleEvent relabelled(this, QAccessible::NameChanged);
    relabelled.setChild(0);
    QAccessible::updateAccessibility(&relabelled);
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}
