#pragma once
// The grid of the data editor as a spreadsheet: a row per species with its
// individuals, collections and name, the species count and the total of
// collections in fields beside it; rows inserted and deleted, blocks pasted
// from and copied to a spreadsheet, and every change undone and redone.

#include "data/species_file.h"
#include "qtsupport/interaction.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTableWidget>

#include <vector>

class QLineEdit;
class QTableWidget;
class QUndoStack;

namespace zav {

// A spreadsheet's clipboard text as rows of cells: lines end with LF or
// CR LF, the last line break ends the block, a quoted cell loses its
// quotes.
QList<QStringList> clipboardCells(QString text);

class SpeciesGrid : public QObject {
    Q_OBJECT

  public:
    // What an undo step brings back: every cell, row by row, and the two
    // header fields.
    struct State {
        QStringList cells; // kGridColumns per row
        QString species, collections;
        bool operator==(const State&) const = default;
    };

    // The grid goes in `table`, the header in the two fields; the grid's
    // actions (its context menu and shortcuts) are added to `table`.
    SpeciesGrid(QTableWidget* table, QLineEdit* species, QLineEdit* collections, Interaction& interaction);

    // A new grid of `rows` rows filled from `data`, nothing to undo;
    // `loaded` tells whether the grid counts as unchanged (an imported grid
    // is changed until it is saved).
    void reset(const QString& species, const QString& collections, int rows, const std::vector<DataRow>& data,
               bool loaded);
    // The current state counts as the saved one.
    void markSaved();
    bool changed() const;

    QString text(int row, int column) const;
    int rows() const;
    // Why the counts of `row` cannot be one species' (data/species_counts.h,
    // the survey's total of collections taken from its field), as "a linha 3
    // da planilha tem 3 indivíduos em 4 coletas; ..."; empty when they can,
    // or while a count is blank or no number (the save says so on its own).
    // A count typed or pasted that would make a row's counts impossible is
    // refused, the reason in the status line; a row already impossible (as
    // a file had it) takes any count, its problem said.
    QString countsProblem(int row) const;
    // What is being typed in a cell counts as typed: leaving the cell
    // commits its editor, which opens again.
    void commitEditor();

    // Each a step of its own on the undo stack.
    void copySelection();
    // A tab-separated block (rows on lines) from the current cell on, the
    // grid growing as needed; refused as a whole, with the reason in the
    // status line, when a count is no whole number or the grid would pass
    // kMaxSpecies rows. A block of more than one cell over filled rows asks
    // first ("Substituir 3 linhas preenchidas?"), as spreadsheets do.
    void paste(const QString& text);
    // The counts of the first rows and the total of collections as the
    // "Por coleta" view computed them, one step.
    void setTotals(const QStringList& individuals, const QStringList& collections, const QString& totalCollections);
    void insertRow();
    void deleteRows();
    // The species count typed in its field: empty rows added or rows removed
    // at the end ("Apagar 3 linhas preenchidas?" before removing filled ones).
    void applySpeciesCount();
    void recordCollections();

    QUndoStack* undoStack() const { return undo_; }

  signals:
    // A short word for the status line.
    void notice(const QString& text);
    // The header changed: the panel's caption follows.
    void headerChanged();

  private:
    State state() const;
    void restore(const State& s);
    // Pushes what changed since the last step as one step named `what`.
    void record(const QString& what);
    void setRowCount(int rows);
    void renumberFrom(int row);
    // The selected block that holds the current cell, or that cell alone.
    QTableWidgetSelectionRange selectedBlock() const;
    bool rowFilled(int row) const;
    // Whether the block may be pasted at (top, left): asks when it would
    // write over filled cells of more than one cell's block.
    bool mayPasteOver(const QList<QStringList>& block, int top, int left);
    // The status line's word on the first of `first` to `last` whose counts
    // cannot be a species'.
    void tellCountsProblem(int first, int last);
    // Why these count texts cannot be one species' counts, or empty.
    QString countsProblemOf(const QString& individuals, const QString& collections) const;
    // A count just entered in a cell that makes its row's counts impossible
    // goes back to what the cell held; true when it did.
    bool refuseImpossibleCounts(int row, int column);
    void setSpeciesText(int rows);

    QTableWidget* table_;
    QLineEdit* species_;
    QLineEdit* collections_;
    Interaction& interaction_;
    QUndoStack* undo_;
    State recorded_; // the state after the last step
    State saved_;
    int quiet_ = 0; // changes made by the grid itself are recorded as one step
};

} // namespace zav
