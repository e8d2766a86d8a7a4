#include "clockaccess.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QWindow>

#include "board/board.h"
#include "clock/clockgrid.h"

namespace {

// One face as screen readers see it: the row's sentence for a screen reader as its name, the hover line's
// sentence as its description while it has the keys.
class AccessibleFace : public QAccessibleInterface
{
public:
    AccessibleFace(ClockGrid* grid, int row) : m_grid(grid), m_row(row) {}

    bool isValid() const override { return m_grid; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_grid ? m_grid->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_grid.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::Graphic; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text kind) const override
    {
        if (!m_grid)
            return {};
        const Board::Picture& picture = board().picture();
        switch (kind) {
        case QAccessible::Name:
            return picture.rows[m_row].description;
        case QAccessible::Description:
            return m_grid->focusedFace() == m_row && picture.described == m_row ? picture.sentence.whole() : QString();
        default:
            return {};
        }
    }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.focusable = true;
        state.focused = m_grid && m_grid->focusedFace() == m_row;
        state.invisible = !m_grid || !m_grid->isVisible();
        return state;
    }
    QRect rect() const override
    {
        if (!m_grid)
            return {};
        const QRect face = m_grid->faceRect(m_row);
        return QRect(m_grid->mapToGlobal(face.topLeft()), face.size());
    }

private:
    const Board& board() const;

    QPointer<ClockGrid> m_grid;
    int m_row;
};

// The grid as screen readers see it: its 60 faces, then its lines.
class AccessibleGrid : public QAccessibleWidget
{
public:
    // A group of clocks, named: where the keys are at the start, which a filler without a name would not say.
    explicit AccessibleGrid(ClockGrid* grid) : QAccessibleWidget(grid, QAccessible::Grouping) {}
    ~AccessibleGrid() override
    {
        for (const QAccessible::Id id : std::as_const(m_faces))
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return kRows + QAccessibleWidget::childCount(); }
    QAccessibleInterface* child(int index) const override
    {
        if (index >= kRows)
            return QAccessibleWidget::child(index - kRows);
        if (index < 0)
            return nullptr;
        if (const QAccessible::Id id = m_faces.value(index))
            return QAccessible::accessibleInterface(id);
        auto* face = new AccessibleFace(static_cast<ClockGrid*>(widget()), index);
        m_faces.insert(index, QAccessible::registerAccessibleInterface(face));
        return face;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (auto it = m_faces.cbegin(); it != m_faces.cend(); ++it) {
            if (QAccessible::accessibleInterface(it.value()) == child)
                return it.key();
        }
        const int index = QAccessibleWidget::indexOfChild(child);
        return index < 0 ? -1 : index + kRows;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        const auto* grid = static_cast<const ClockGrid*>(widget());
        const QPoint point = grid->mapFromGlobal(QPoint(x, y));
        for (int row = kRows - 1; row >= 0; --row) {
            if (grid->faceRect(row).contains(point))
                return child(row);
        }
        return QAccessibleWidget::childAt(x, y);
    }
    QAccessibleInterface* focusChild() const override
    {
        const int face = static_cast<const ClockGrid*>(widget())->focusedFace();
        return face >= 0 ? child(face) : QAccessibleWidget::focusChild();
    }

private:
    mutable QHash<int, QAccessible::Id> m_faces;
};

QAccessibleInterface* accessibleGrid(const QString& className, QObject* object)
{
    if (className == QLatin1String("ClockGrid"))
        return new AccessibleGrid(static_cast<ClockGrid*>(object));
    return nullptr;
}

const Board& AccessibleFace::board() const
{
    return m_grid->board();
}

} // namespace

void installClockGridAccess()
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleGrid);
        return true;
    }();
    Q_UNUSED(installed);
}
