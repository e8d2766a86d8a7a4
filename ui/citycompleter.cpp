#include "citycompleter.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QScrollBar>
#include <QStandardItemModel>

#include "data/cityindex.h"
#include "time/zones.h"

namespace {

constexpr int kNameRole = Qt::UserRole;
constexpr int kZoneRole = Qt::UserRole + 1;

} // namespace

CityCompleter::CityCompleter(QLineEdit* box) : QCompleter(box), m_box(box)
{
    setModel(new QStandardItemModel(this));
    setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    setCompletionRole(kNameRole);
    setMaxVisibleItems(kCitiesOffered);
    popup()->setAccessibleName(QStringLiteral("Villes trouvées"));
    box->setCompleter(this);
    connect(this, qOverload<const QModelIndex&>(&QCompleter::activated), this, [this](const QModelIndex& city) {
        emit cityChosen(city.data(kNameRole).toString(), city.data(kZoneRole).toString());
    });
}

int CityCompleter::offer(const QString& typed, const QDateTime& universal)
{
    if (!m_index)
        m_index = CityIndex::shared();
    auto* cities = static_cast<QStandardItemModel*>(model());
    cities->clear();
    for (const IndexedCity& city : m_index->search(typed, kCitiesOffered)) {
        const QTimeZone zone = zoneOf(city.zone);
        if (!zone.isValid())
            continue;
        const QString place = city.place.isEmpty() ? QString() : city.place + QStringLiteral(", ");
        auto* item = new QStandardItem(city.name + QStringLiteral(" — ") + place +
                                       utcOffsetText(float(zone.offsetFromUtc(universal) / 3600.0)));
        item->setData(city.name, kNameRole);
        item->setData(city.zone, kZoneRole);
        cities->appendRow(item);
    }
    if (cities->rowCount() == 0) {
        popup()->hide();
        return 0;
    }
    // Under the box, as wide as its longest line, so that each place reads whole.
    QAbstractItemView* list = popup();
    list->setMinimumWidth(list->sizeHintForColumn(0) + list->verticalScrollBar()->sizeHint().width() +
                          2 * list->frameWidth() + 4);
    complete();
    return cities->rowCount();
}

void CityCompleter::choose(int row)
{
    const QModelIndex city = model()->index(row, 0);
    if (city.isValid())
        emit cityChosen(city.data(kNameRole).toString(), city.data(kZoneRole).toString());
}

void CityCompleter::release()
{
    m_index.reset();
    static_cast<QStandardItemModel*>(model())->clear();
}
