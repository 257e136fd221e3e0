#pragma once
// The grid's second view, "Por coleta": one row per species and one column
// per collection, the collection's date in the first row (and in its
// heading), the species' individuals and collections computed beside the
// name and read-only; a block pasted from a spreadsheet fills it. Beside
// it, the "Clima" table: one row per collection, one column per weather
// variable, its name in the first row. What it holds becomes the data
// file's collections and weather blocks (data/collection_blocks.h).

#include "data/collection_blocks.h"
#include "qtsupport/interaction.h"

#include <QString>
#include <QStringList>
#include <QWidget>

class QTableWidget;
class QTableWidgetItem;

namespace zav {

class CollectionGrid : public QWidget {
    Q_OBJECT

  public:
    // The columns of the counts table before the collections.
    static constexpr int kNameColumn = 0;
    static constexpr int kIndividualsColumn = 1;
    static constexpr int kCollectionsColumn = 2;
    static constexpr int kFirstCollection = 3;
    // The first row holds the dates (of the counts) or the names (of the
    // weather's variables).
    static constexpr int kHeadingRow = 0;
    // Far above a survey's collections; keeps a paste from building a
    // table without end.
    static constexpr int kMaxCollections = 5000;

    CollectionGrid(QWidget* parent, Interaction& interaction);

    // The species (their names, one row each) with the blocks' collections
    // and weather; without collections, `collections` empty ones.
    void load(const QStringList& names, const CollectionBlocks& blocks, int collections);
    // Nothing held: the view starts again from the species view.
    void clear();
    // The rows follow the species view: its names, rows added (empty) or
    // removed at the end.
    void setSpecies(const QStringList& names);
    int speciesCount() const;
    int collectionCount() const;
    // Whether the view holds the survey's collections: loaded from a file
    // or an import, or typed or pasted into.
    bool inUse() const { return inUse_; }
    // Typed or pasted into since loaded or saved.
    bool edited() const { return edited_; }
    void markSaved() { edited_ = false; }

    // A species' totals as the counts give them (a blank count is 0), as
    // texts for the species view; empty when a count is no whole number.
    QString individualsText(int species) const;
    QString collectionsText(int species) const;

    // The collections and weather of the first `species` rows. Throws
    // Error with the user's message naming the cell: a count that is no
    // whole number, a date that is none, dates given to some collections
    // only, a weather value that is no number.
    CollectionBlocks blocks(int species) const;

    // A tab-separated block from the current cell on (the first row takes
    // dates in the counts, names in the weather), the table growing to the
    // right as needed; refused whole, with the reason in the status line,
    // when a count is no whole number or it starts on a computed column.
    void paste(const QString& text);

    QTableWidget* countsTable() const { return counts_; }
    QTableWidget* weatherTable() const { return weather_; }

  signals:
    void notice(const QString& text);

  private:
    void setCollectionColumns(int count);
    void setWeatherColumns(int count);
    void setCell(QTableWidget* table, int row, int column, const QString& text, bool editable = true);
    QString cell(const QTableWidget* table, int row, int column) const;
    void updateTotals(int row);
    void updateHeading(int column);
    void cellEdited(QTableWidgetItem* item);
    void pasteInto(QTableWidget* table, const QString& text);

    Interaction& interaction_;
    QTableWidget* counts_ = nullptr;
    QTableWidget* weather_ = nullptr;
    bool inUse_ = false;
    bool edited_ = false;
    int quiet_ = 0; // changes made by the view itself
};

} // namespace zav
