#pragma once

#include <QDateTime>
#include <QLineEdit>
#include <QPointer>
#include <functional>

class CityCompleter;
class QLabel;

// The search box of the main window (`RechercheVille`), under the hover line: any city of the gazetteer
// by its name, another name or its country. It opens with a letter typed on the window, or Ctrl+F; the
// cities found are offered under it (CityCompleter), Up and Down choose, Enter asks for the city chosen (or
// the first found) to be described and leaves the box open for another, Escape closes it and gives the
// keys back. A text that finds no city says so under the box ("Aucune ville pour « zzzq »"), and to
// screen readers as the box's description; the window is told (nothingFound) when a text comes to find
// nothing, and at Enter on such a text. Nothing of the list of cities or of the files changes.
class CitySearch : public QLineEdit
{
    Q_OBJECT

public:
    // `shownUniversal` gives the instant the clocks show, whose offsets the cities found are offered with.
    CitySearch(QWidget* window, std::function<QDateTime()> shownUniversal);

    // Shows the box with `typed` in it and the keys in it, the cities it finds offered.
    void open(const QString& typed);
    // Hides the box and its list, lets the gazetteer go and gives the keys back to where they were.
    void dismiss();
    bool isOpen() const { return isVisible(); }

signals:
    void cityChosen(const QString& name, const QString& zone);
    // The text typed finds no city: as it comes to, and at Enter.
    void nothingFound(const QString& typed);
    // The box closed, its keys given back to where they were when it opened.
    void closed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void offer(const QString& typed);
    // Enter without a city chosen in the list: the first the text finds.
    void chooseFirst();
    // Says under the box that the text finds no city; an empty text hides the saying.
    void sayNothingFound(const QString& typed);

    std::function<QDateTime()> m_shownUniversal;
    CityCompleter* m_completer = nullptr; // while the box is open
    QLabel* m_nothingFound;               // `AucuneVille`, under the box
    QPointer<QWidget> m_focusBefore;
};
