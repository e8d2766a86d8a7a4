#pragma once

#include <QCompleter>
#include <QDateTime>
#include <memory>

class CityIndex;
class QLineEdit;

// The cities of the gazetteer offered under a box as the user types, best first: "Fès — Maroc, UTC+1",
// the offset that of the instant given. Up and Down choose, Enter takes, Escape closes the list, as
// with any completion; screen readers follow the list. The gazetteer is held while cities are offered, and
// let go with release() or the completer.
class CityCompleter : public QCompleter
{
    Q_OBJECT

public:
    explicit CityCompleter(QLineEdit* box);

    // Offers the cities the typed text finds, their offsets at `universal`; hides the list when none.
    // Returns how many are offered.
    int offer(const QString& typed, const QDateTime& universal);
    // The city offered on that line, as if it had been clicked; nothing when there is none.
    void choose(int row);
    // The gazetteer is read again when next needed.
    void release();

    static constexpr int kCitiesOffered = 12;

signals:
    void cityChosen(const QString& name, const QString& zone);

private:
    QLineEdit* m_box;
    std::shared_ptr<const CityIndex> m_index;
};
