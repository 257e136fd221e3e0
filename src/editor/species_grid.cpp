#include "editor/species_grid.h"

#include "data/species_counts.h"
#include "data/species_table.h"
#include "editor/grid_keys.h"
#include "qtsupport/guarded.h"
#include "qtsupport/qt_text.h"
#include "qtsupport/ui_language.h"
#include "qtsupport/ui_text.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTableWidget>
#include <QUndoStack>

#include <algorithm>
#include <functional>
#include <optional>
#include <utility>

namespace zav {
namespace {

// One edit of the grid, undone and redone by bringing the whole grid back:
// 900 rows of three short texts are a few kilobytes.
class GridStep : public QUndoCommand {
  public:
    GridStep(const QString& text, SpeciesGrid::State before, SpeciesGrid::State after,
             std::function<void(const SpeciesGrid::State&)> restore)
        : QUndoCommand(text), before_(std::move(before)), after_(std::move(after)), restore_(std::move(restore)) {}
    void undo() override { restore_(before_); }
    void redo() override {
        // Pushed after the grid already changed.
        if (std::exchange(first_, false)) return;
        restore_(after_);
    }

  private:
    SpeciesGrid::State before_, after_;
    std::function<void(const SpeciesGrid::State&)> restore_;
    bool first_ = true;
};

bool isDigits(const QString& text) {
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

} // namespace

QList<QStringList> clipboardCells(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
    QList<QStringList> rows;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        QStringList cells = line.split(QLatin1Char('\t'));
        for (QString& cell : cells)
            if (cell.size() >= 2 && cell.startsWith(QLatin1Char('"')) && cell.endsWith(QLatin1Char('"')))
                cell = cell.mid(1, cell.size() - 2).replace(QStringLiteral("\"\""), QStringLiteral("\""));
        rows << cells;
    }
    return rows;
}

SpeciesGrid::SpeciesGrid(QTableWidget* table, QLineEdit* species, QLineEdit* collections, Interaction& interaction)
    : QObject(table), table_(table), species_(species), collections_(collections), interaction_(interaction),
      undo_(new QUndoStack(this)) {
    connect(table_->model(), &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                if (quiet_ != 0) return;
                if (topLeft == bottomRight && topLeft.column() <= kCollectionsColumn &&
                    refuseImpossibleCounts(topLeft.row(), topLeft.column()))
                    return;
                record(Zav::tr("Editar célula"));
                // A count entered: its row is told at once when it cannot be a species'.
                if (topLeft.column() <= kCollectionsColumn) tellCountsProblem(topLeft.row(), bottomRight.row());
            });
    connect(species_, &QLineEdit::editingFinished, this,
            [this] { runGuarded(interaction_, [this] { applySpeciesCount(); }); });
    connect(collections_, &QLineEdit::editingFinished, this, &SpeciesGrid::recordCollections);

    table_->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto action = [this](const char* name, const QString& text, const QKeySequence& key, auto handler) {
        auto* a = new QAction(text, table_);
        a->setObjectName(name);
        a->setShortcut(key);
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(a, &QAction::triggered, this,
                [this, handler] { runGuarded(interaction_, [this, handler] { handler(); }); });
        table_->addAction(a);
        return a;
    };
    action("AcaoCopiar", Zav::tr("&Copiar"), QKeySequence(Qt::CTRL | Qt::Key_C), [this] { copySelection(); });
    action("AcaoColar", Zav::tr("C&olar"), QKeySequence(Qt::CTRL | Qt::Key_V),
           [this] { paste(QApplication::clipboard()->text()); });
    auto separator = [this] {
        auto* s = new QAction(table_);
        s->setSeparator(true);
        table_->addAction(s);
    };
    separator();
    QAction* undoAction = action("AcaoDesfazer", Zav::tr("&Desfazer"), QKeySequence(Qt::CTRL | Qt::Key_Z), [this] {
        commitEditor();
        undo_->undo();
    });
    QAction* redoAction =
        action("AcaoRefazer", Zav::tr("&Refazer"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), [this] {
            commitEditor();
            undo_->redo();
        });
    connect(undo_, &QUndoStack::canUndoChanged, undoAction, &QAction::setEnabled);
    connect(undo_, &QUndoStack::canRedoChanged, redoAction, &QAction::setEnabled);
    undoAction->setEnabled(false);
    redoAction->setEnabled(false);
    separator();
    action("AcaoInserirLinha", Zav::tr("&Inserir linha"), QKeySequence(Qt::CTRL | Qt::Key_Insert),
           [this] { insertRow(); });
    action("AcaoExcluirLinha", Zav::tr("&Excluir linha(s)"), QKeySequence(Qt::CTRL | Qt::Key_Delete),
           [this] { deleteRows(); });
}

QString SpeciesGrid::text(int row, int column) const {
    const auto* item = table_->item(row, column);
    return item ? item->text() : QString();
}

int SpeciesGrid::rows() const { return table_->rowCount(); }

QString SpeciesGrid::countsProblemOf(const QString& individualsText, const QString& collectionsText) const {
    if (isBlank(individualsText) || isBlank(collectionsText)) return {};
    const auto individuals = wholeNumber(individualsText), collections = wholeNumber(collectionsText);
    if (!individuals || !collections) return {};
    std::optional<std::int64_t> total;
    if (const auto typed = wholeNumber(collections_->text())) total = *typed;
    return interfaceMessage(speciesCountsProblem(*individuals, *collections, total));
}

QString SpeciesGrid::countsProblem(int row) const {
    const QString problem = countsProblemOf(text(row, kIndividualsColumn), text(row, kCollectionsColumn));
    if (problem.isEmpty()) return {};
    return Zav::tr("a linha %1 da planilha tem ").arg(row + 1) + problem;
}

bool SpeciesGrid::refuseImpossibleCounts(int row, int column) {
    const QString problem = countsProblemOf(text(row, kIndividualsColumn), text(row, kCollectionsColumn));
    const qsizetype index = static_cast<qsizetype>(row) * kGridColumns + column;
    auto* item = table_->item(row, column);
    if (problem.isEmpty() || !item || index >= recorded_.cells.size()) return false;
    // The row as it was: a row already impossible is corrected in any order.
    QString before[] = {text(row, kIndividualsColumn), text(row, kCollectionsColumn)};
    before[column] = recorded_.cells[index];
    if (!countsProblemOf(before[kIndividualsColumn], before[kCollectionsColumn]).isEmpty()) return false;
    ++quiet_;
    item->setText(recorded_.cells[index]);
    --quiet_;
    emit notice(Zav::tr("Não aceito: a linha %1 teria ").arg(row + 1) + problem);
    return true;
}

void SpeciesGrid::tellCountsProblem(int first, int last) {
    for (int r = std::max(first, 0); r <= last && r < rows(); ++r)
        if (const QString problem = countsProblem(r); !problem.isEmpty()) {
            QString sentence = problem;
            sentence[0] = sentence[0].toUpper();
            return emit notice(sentence);
        }
}

SpeciesGrid::State SpeciesGrid::state() const {
    State s{{}, species_->text(), collections_->text()};
    s.cells.reserve(rows() * kGridColumns);
    for (int r = 0; r < rows(); ++r)
        for (int c = 0; c < kGridColumns; ++c)
            s.cells << text(r, c);
    return s;
}

void SpeciesGrid::setRowCount(int count) {
    const int before = rows();
    table_->setRowCount(count);
    renumberFrom(std::min(before, count));
}

// Rows are the species' numbers: renumbered after every change.
void SpeciesGrid::renumberFrom(int row) {
    for (int r = row; r < rows(); ++r) {
        const QString number = QString::number(r + 1);
        if (auto* header = table_->verticalHeaderItem(r))
            header->setText(number);
        else
            table_->setVerticalHeaderItem(r, new QTableWidgetItem(number));
    }
}

void SpeciesGrid::restore(const State& s) {
    const QModelIndex current = table_->currentIndex();
    table_->setCurrentIndex(QModelIndex()); // an open editor would write its old text back
    ++quiet_;
    setRowCount(static_cast<int>(s.cells.size() / kGridColumns));
    for (int r = 0; r < rows(); ++r)
        for (int c = 0; c < kGridColumns; ++c)
            table_->setItem(r, c, new QTableWidgetItem(s.cells[r * kGridColumns + c]));
    species_->setText(s.species);
    collections_->setText(s.collections);
    --quiet_;
    recorded_ = s;
    emit headerChanged();
    if (current.isValid() && rows() > 0) table_->setCurrentCell(std::min(current.row(), rows() - 1), current.column());
}

void SpeciesGrid::record(const QString& what) {
    State now = state();
    if (now == recorded_) return;
    undo_->push(new GridStep(what, recorded_, now, [this](const State& s) { restore(s); }));
    recorded_ = std::move(now);
}

void SpeciesGrid::reset(const QString& species, const QString& collections, int rowCount,
                        const std::vector<DataRow>& data, bool loaded) {
    ++quiet_;
    // A new grid starts empty: nothing of an earlier file shows through.
    table_->clearContents();
    table_->setRowCount(0);
    species_->setText(species);
    collections_->setText(collections);
    setRowCount(rowCount);
    saved_ = state();
    for (int r = 0; r < std::min(rows(), static_cast<int>(data.size())); ++r) {
        const auto& row = data[static_cast<std::size_t>(r)];
        table_->setItem(r, kIndividualsColumn, new QTableWidgetItem(fromCp1252(row.individuals)));
        table_->setItem(r, kCollectionsColumn, new QTableWidgetItem(fromCp1252(row.collections)));
        table_->setItem(r, kNameColumn, new QTableWidgetItem(QString::fromStdString(row.name)));
    }
    --quiet_;
    recorded_ = state();
    if (loaded) saved_ = recorded_;
    undo_->clear();
    emit headerChanged();
}

void SpeciesGrid::setTotals(const QStringList& individuals, const QStringList& collections,
                            const QString& totalCollections) {
    const QModelIndex current = table_->currentIndex();
    table_->setCurrentIndex(QModelIndex()); // an open editor would write its old text back
    ++quiet_;
    for (int r = 0; r < std::min(rows(), static_cast<int>(individuals.size())); ++r) {
        table_->setItem(r, kIndividualsColumn, new QTableWidgetItem(individuals[r]));
        table_->setItem(r, kCollectionsColumn, new QTableWidgetItem(collections.value(r)));
    }
    collections_->setText(totalCollections);
    --quiet_;
    record(Zav::tr("Totais das coletas"));
    emit headerChanged();
    if (current.isValid()) table_->setCurrentIndex(current);
}

void SpeciesGrid::markSaved() { saved_ = state(); }

bool SpeciesGrid::changed() const { return state() != saved_; }

void SpeciesGrid::commitEditor() {
    const QModelIndex current = table_->currentIndex();
    const QItemSelection selected = table_->selectionModel()->selection();
    table_->setCurrentIndex(QModelIndex());
    table_->setCurrentIndex(current);
    table_->selectionModel()->select(selected, QItemSelectionModel::ClearAndSelect);
}

QTableWidgetSelectionRange SpeciesGrid::selectedBlock() const {
    const int row = table_->currentRow(), column = table_->currentColumn();
    for (const auto& range : table_->selectedRanges())
        if (range.topRow() <= row && row <= range.bottomRow() && range.leftColumn() <= column &&
            column <= range.rightColumn())
            return range;
    return QTableWidgetSelectionRange(row, column, row, column);
}

void SpeciesGrid::copySelection() {
    commitEditor();
    const QTableWidgetSelectionRange range = selectedBlock();
    if (range.topRow() < 0) return;
    QString block;
    for (int r = range.topRow(); r <= range.bottomRow(); ++r) {
        QStringList line;
        for (int c = range.leftColumn(); c <= range.rightColumn(); ++c)
            line << text(r, c);
        block += line.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    QApplication::clipboard()->setText(block);
}

void SpeciesGrid::paste(const QString& clipboard) {
    commitEditor();
    const int top = std::max(0, table_->currentRow());
    const int left = std::max(0, table_->currentColumn());
    const QList<QStringList> block = clipboardCells(clipboard);
    if (clipboard.isEmpty() || block.isEmpty()) return;
    qsizetype width = 0;
    // Everything is checked before anything changes.
    for (qsizetype r = 0; r < block.size(); ++r) {
        width = std::max(width, block[r].size());
        for (qsizetype c = 0; c < block[r].size() && left + c < kNameColumn; ++c)
            if (const QString count = block[r][c].trimmed(); !isDigits(count))
                return emit notice(digitsOnlyMessage(count) +
                                   (block.size() > 1 ? Zav::tr(" (linha %1 da colagem)").arg(r + 1) : QString()));
    }
    const int needed = top + static_cast<int>(block.size());
    if (needed > kMaxSpecies) return emit notice(Zav::tr("Erro: a colagem passaria de %1 espécies").arg(kMaxSpecies));
    // Nor may it make a row's counts impossible.
    for (qsizetype r = 0; r < block.size(); ++r) {
        const int row = top + static_cast<int>(r);
        QString before[2], after[2];
        for (int c = kIndividualsColumn; c <= kCollectionsColumn; ++c) {
            before[c] = row < rows() ? text(row, c) : QString();
            after[c] = c >= left && c - left < block[r].size() ? block[r][c - left].trimmed() : before[c];
        }
        const QString problem = countsProblemOf(after[kIndividualsColumn], after[kCollectionsColumn]);
        if (!problem.isEmpty() && countsProblemOf(before[kIndividualsColumn], before[kCollectionsColumn]).isEmpty())
            return emit notice(Zav::tr("Não aceito: a linha %1 teria ").arg(row + 1) + problem);
    }
    if (!mayPasteOver(block, top, left)) return;

    ++quiet_;
    if (needed > rows()) {
        setRowCount(needed);
        setSpeciesText(needed);
    }
    for (qsizetype r = 0; r < block.size(); ++r)
        for (qsizetype c = 0; c < block[r].size() && left + c < kGridColumns; ++c) {
            const QString cell = left + c == kNameColumn ? block[r][c].simplified() : block[r][c].trimmed();
            table_->setItem(top + static_cast<int>(r), left + static_cast<int>(c), new QTableWidgetItem(cell));
        }
    --quiet_;
    record(Zav::tr("Colar"));
    const int right = std::min(kGridColumns, left + static_cast<int>(width)) - 1;
    table_->clearSelection();
    table_->setRangeSelected(QTableWidgetSelectionRange(top, left, needed - 1, right), true);
    if (left + width > kGridColumns) emit notice(Zav::tr("Colunas além de \"Nome\" não foram coladas"));
    if (left <= kCollectionsColumn) tellCountsProblem(top, needed - 1);
}

bool SpeciesGrid::mayPasteOver(const QList<QStringList>& block, int top, int left) {
    // One cell is replaced as typing replaces it.
    if (block.size() == 1 && block.front().size() <= 1) return true;
    int filled = 0;
    for (qsizetype r = 0; r < block.size() && top + r < rows(); ++r) {
        bool over = false;
        for (qsizetype c = 0; c < block[r].size() && left + c < kGridColumns && !over; ++c)
            over = !text(top + static_cast<int>(r), left + static_cast<int>(c)).trimmed().isEmpty();
        if (over) ++filled;
    }
    if (filled == 0) return true;
    return interaction_.confirm(filled == 1 ? Zav::tr("Substituir 1 linha preenchida?")
                                            : Zav::tr("Substituir %1 linhas preenchidas?").arg(filled),
                                filled == 1 ? Zav::tr("Substituir a linha") : Zav::tr("Substituir as linhas"));
}

void SpeciesGrid::setSpeciesText(int count) {
    species_->setText(QString::number(count));
    emit headerChanged();
}

void SpeciesGrid::insertRow() {
    commitEditor();
    if (rows() >= kMaxSpecies) return emit notice(Zav::tr("Erro: no máximo 900 espécies"));
    const int at = std::max(0, table_->currentRow());
    ++quiet_;
    table_->insertRow(at);
    renumberFrom(at);
    setSpeciesText(rows());
    --quiet_;
    record(Zav::tr("Inserir linha"));
    table_->setCurrentCell(at, kIndividualsColumn);
}

void SpeciesGrid::deleteRows() {
    commitEditor();
    const QTableWidgetSelectionRange range = selectedBlock();
    const int first = range.topRow();
    int last = range.bottomRow();
    if (first < 0) return;
    // A data file has at least one species line.
    last = std::min(last, first + rows() - 2);
    if (last < first) return emit notice(Zav::tr("Erro: a planilha precisa de ao menos uma espécie"));
    const int column = std::max(0, table_->currentColumn());
    table_->setCurrentIndex(QModelIndex());
    ++quiet_;
    for (int r = last; r >= first; --r)
        table_->removeRow(r);
    renumberFrom(first);
    setSpeciesText(rows());
    --quiet_;
    record(Zav::tr("Excluir linha"));
    table_->setCurrentCell(std::min(first, rows() - 1), column);
}

bool SpeciesGrid::rowFilled(int row) const {
    for (int c = 0; c < kGridColumns; ++c)
        if (!text(row, c).trimmed().isEmpty()) return true;
    return false;
}

void SpeciesGrid::applySpeciesCount() {
    const auto wanted = wholeNumber(species_->text());
    if (wanted && *wanted == rows()) return record(Zav::tr("Número de espécies"));
    if (!wanted || *wanted < 1 || *wanted > kMaxSpecies) {
        species_->setText(recorded_.species);
        return emit notice(Zav::tr("Erro: o número de espécies deve ser de 1 a 900"));
    }
    int filled = 0;
    for (int r = *wanted; r < rows(); ++r)
        filled += rowFilled(r) ? 1 : 0;
    if (filled > 0 && !interaction_.confirm(filled == 1 ? Zav::tr("Apagar 1 linha preenchida?")
                                                        : Zav::tr("Apagar %1 linhas preenchidas?").arg(filled),
                                            filled == 1 ? Zav::tr("Apagar a linha") : Zav::tr("Apagar as linhas"))) {
        species_->setText(recorded_.species);
        return;
    }
    const QModelIndex current = table_->currentIndex();
    table_->setCurrentIndex(QModelIndex());
    ++quiet_;
    setRowCount(*wanted);
    --quiet_;
    record(Zav::tr("Número de espécies"));
    emit headerChanged();
    if (current.isValid()) table_->setCurrentCell(std::min(current.row(), rows() - 1), current.column());
}

void SpeciesGrid::recordCollections() {
    record(Zav::tr("Total de coletas"));
    emit headerChanged();
    // A smaller total may leave a species in more collections than it.
    tellCountsProblem(0, rows() - 1);
}

} // namespace zav
