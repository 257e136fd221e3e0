#include "editor/collection_grid.h"

#include "data/errors.h"
#include "data/species_counts.h"
#include "data/spreadsheet_import.h"
#include "editor/species_grid.h"
#include "qtsupport/guarded.h"
#include "qtsupport/qt_text.h"
#include "qtsupport/ui_text.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QColor>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

namespace zav {
namespace {

// A count cell: blank is 0 (a species not caught), else a whole number.
std::optional<std::int64_t> countIn(const QString& text) {
    if (isBlank(text)) return 0;
    const auto value = wholeNumber(text);
    if (!value || *value < 0) return std::nullopt;
    return *value;
}

QString shownDate(const std::optional<CalendarDate>& date) {
    return date ? QString::fromStdString(shownCollectionDate(*date)) : QString();
}

// A weather value as the table shows it: its shortest decimal with a comma.
QString shownValue(double value) { return QString::number(value, 'g', 15).replace(QLatin1Char('.'), QLatin1Char(',')); }

QTableWidget* makeTable(QWidget* parent, const char* name) {
    auto* table = new QTableWidget(parent);
    table->setObjectName(name);
    table->verticalHeader()->setDefaultSectionSize(20);
    table->horizontalHeader()->setDefaultSectionSize(80);
    table->setSelectionMode(QAbstractItemView::ContiguousSelection);
    table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    return table;
}

} // namespace

CollectionGrid::CollectionGrid(QWidget* parent, Interaction& interaction) : QWidget(parent), interaction_(interaction) {
    setObjectName("PorColeta");
    counts_ = makeTable(this, "PlanilhaColetas");
    counts_->setColumnCount(kFirstCollection);
    counts_->setColumnWidth(kNameColumn, 160);
    weather_ = makeTable(this, "PlanilhaClima");
    weather_->horizontalHeader()->setDefaultSectionSize(60);
    auto* weatherTitle = new QLabel(Zav::tr("Clima"), this);
    weatherTitle->setObjectName("ClimaTxt");
    auto* weatherColumn = new QVBoxLayout;
    weatherColumn->setContentsMargins(0, 0, 0, 0);
    weatherColumn->addWidget(weatherTitle);
    weatherColumn->addWidget(weather_);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(counts_, 3);
    row->addLayout(weatherColumn, 1);

    for (QTableWidget* table : {counts_, weather_}) {
        connect(table, &QTableWidget::itemChanged, this, &CollectionGrid::cellEdited);
        table->setContextMenuPolicy(Qt::ActionsContextMenu);
        auto* paste = new QAction(Zav::tr("C&olar"), table);
        paste->setObjectName("AcaoColarColetas");
        paste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
        paste->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(paste, &QAction::triggered, this, [this, table] {
            runGuarded(interaction_, [this, table] { pasteInto(table, QApplication::clipboard()->text()); });
        });
        table->addAction(paste);
    }
    clear();
}

void CollectionGrid::setCell(QTableWidget* table, int row, int column, const QString& text, bool editable) {
    auto* item = table->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        if (!editable) {
            // Computed or shown: read-only, and greyed as such.
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            item->setBackground(QColor(0xF0, 0xF0, 0xF0));
        }
        table->setItem(row, column, item);
    }
    item->setText(text);
}

QString CollectionGrid::cell(const QTableWidget* table, int row, int column) const {
    const auto* item = table->item(row, column);
    return item ? item->text() : QString();
}

int CollectionGrid::speciesCount() const { return counts_->rowCount() - 1; }

int CollectionGrid::collectionCount() const { return counts_->columnCount() - kFirstCollection; }

void CollectionGrid::clear() {
    ++quiet_;
    counts_->clear();
    counts_->setRowCount(1);
    counts_->setColumnCount(kFirstCollection);
    counts_->setHorizontalHeaderLabels({Zav::tr("Nome"), Zav::tr("Indiv"), Zav::tr("Coletas")});
    counts_->setVerticalHeaderItem(kHeadingRow, new QTableWidgetItem(Zav::tr("Data")));
    for (int c = 0; c < kFirstCollection; ++c)
        setCell(counts_, kHeadingRow, c, QString(), false);
    weather_->clear();
    weather_->setRowCount(1);
    weather_->setColumnCount(0);
    weather_->setVerticalHeaderItem(kHeadingRow, new QTableWidgetItem(Zav::tr("Variável")));
    setWeatherColumns(1);
    inUse_ = false;
    edited_ = false;
    --quiet_;
}

void CollectionGrid::setCollectionColumns(int count) {
    ++quiet_;
    const int before = collectionCount();
    counts_->setColumnCount(kFirstCollection + count);
    weather_->setRowCount(1 + count);
    for (int k = before; k < count; ++k) {
        weather_->setVerticalHeaderItem(1 + k, new QTableWidgetItem);
        updateHeading(kFirstCollection + k);
    }
    --quiet_;
}

// One empty column after the variables, for the next one's name.
void CollectionGrid::setWeatherColumns(int count) {
    const int before = weather_->columnCount();
    weather_->setColumnCount(count);
    for (int v = before; v < count; ++v)
        weather_->setHorizontalHeaderItem(v, new QTableWidgetItem(QString::number(v + 1)));
}

void CollectionGrid::updateHeading(int column) {
    const int k = column - kFirstCollection;
    if (k < 0) return;
    const QString date = cell(counts_, kHeadingRow, column).trimmed();
    const QString number = QString::number(k + 1);
    counts_->setHorizontalHeaderItem(column,
                                     new QTableWidgetItem(date.isEmpty() ? number : number + QLatin1Char('\n') + date));
    if (auto* header = weather_->verticalHeaderItem(1 + k))
        header->setText(date.isEmpty() ? number : number + QLatin1Char(' ') + date);
}

void CollectionGrid::updateTotals(int row) {
    if (row <= kHeadingRow) return;
    ++quiet_;
    setCell(counts_, row, kIndividualsColumn, individualsText(row - 1), false);
    setCell(counts_, row, kCollectionsColumn, collectionsText(row - 1), false);
    --quiet_;
}

QString CollectionGrid::individualsText(int species) const {
    std::int64_t sum = 0;
    for (int k = 0; k < collectionCount(); ++k) {
        const auto count = countIn(cell(counts_, species + 1, kFirstCollection + k));
        if (!count) return {};
        sum += *count;
    }
    return QString::number(sum);
}

QString CollectionGrid::collectionsText(int species) const {
    int caught = 0;
    for (int k = 0; k < collectionCount(); ++k) {
        const auto count = countIn(cell(counts_, species + 1, kFirstCollection + k));
        if (!count) return {};
        caught += *count > 0 ? 1 : 0;
    }
    return QString::number(caught);
}

void CollectionGrid::setSpecies(const QStringList& names) {
    ++quiet_;
    const int before = counts_->rowCount();
    counts_->setRowCount(1 + static_cast<int>(names.size()));
    for (int r = 1; r < counts_->rowCount(); ++r) {
        if (r >= before) counts_->setVerticalHeaderItem(r, new QTableWidgetItem(QString::number(r)));
        setCell(counts_, r, kNameColumn, names[r - 1], false);
        if (r >= before) updateTotals(r);
    }
    --quiet_;
}

void CollectionGrid::load(const QStringList& names, const CollectionBlocks& blocks, int collections) {
    counts_->setUpdatesEnabled(false);
    clear();
    ++quiet_;
    const int count =
        blocks.present() ? static_cast<int>(blocks.collections.size()) : std::clamp(collections, 1, kMaxCollections);
    setSpecies(names);
    setCollectionColumns(count);
    for (int k = 0; k < static_cast<int>(blocks.collections.size()); ++k) {
        const auto& collection = blocks.collections[static_cast<std::size_t>(k)];
        setCell(counts_, kHeadingRow, kFirstCollection + k, shownDate(collection.date));
        updateHeading(kFirstCollection + k);
        for (int r = 0; r < std::min(static_cast<int>(collection.counts.size()), speciesCount()); ++r)
            setCell(counts_, r + 1, kFirstCollection + k,
                    QString::number(collection.counts[static_cast<std::size_t>(r)]));
    }
    for (int r = 1; r < counts_->rowCount(); ++r)
        updateTotals(r);
    if (blocks.weather) {
        const auto& weather = *blocks.weather;
        setWeatherColumns(static_cast<int>(weather.variables.size()) + 1);
        for (int v = 0; v < static_cast<int>(weather.variables.size()); ++v)
            setCell(weather_, kHeadingRow, v, QString::fromStdString(weather.variables[static_cast<std::size_t>(v)]));
        for (int k = 0; k < std::min(static_cast<int>(weather.values.size()), count); ++k)
            for (int v = 0; v < static_cast<int>(weather.values[static_cast<std::size_t>(k)].size()); ++v)
                if (const auto value = weather.values[static_cast<std::size_t>(k)][static_cast<std::size_t>(v)])
                    setCell(weather_, 1 + k, v, shownValue(*value));
    }
    inUse_ = blocks.present();
    --quiet_;
    counts_->setUpdatesEnabled(true);
}

void CollectionGrid::cellEdited(QTableWidgetItem* item) {
    if (quiet_ != 0) return;
    inUse_ = true;
    edited_ = true;
    QTableWidget* table = item->tableWidget();
    if (table == counts_) {
        if (item->row() == kHeadingRow) {
            updateHeading(item->column());
        } else {
            updateTotals(item->row());
            if (!countIn(item->text()))
                emit notice(
                    Zav::tr("Não é um número inteiro: ") + item->text() +
                    Zav::tr(" (linha %1, coleta %2)").arg(item->row()).arg(item->column() - kFirstCollection + 1));
        }
    } else if (item->row() == kHeadingRow && item->column() == weather_->columnCount() - 1 && !isBlank(item->text())) {
        ++quiet_;
        setWeatherColumns(weather_->columnCount() + 1);
        --quiet_;
    }
}

void CollectionGrid::paste(const QString& text) { pasteInto(weather_->hasFocus() ? weather_ : counts_, text); }

void CollectionGrid::pasteInto(QTableWidget* table, const QString& text) {
    const auto block = clipboardCells(text);
    const int top = std::max(table->currentRow(), 0);
    const int left = std::max(table->currentColumn(), 0);
    const bool counts = table == counts_;
    if (counts && left < kFirstCollection)
        return emit notice(Zav::tr("Não colado: cole a partir de uma coluna de coleta (as colunas Indiv e "
                                   "Coletas são calculadas)"));
    int width = 0;
    for (const auto& line : block)
        width = std::max(width, static_cast<int>(line.size()));
    const int rows = static_cast<int>(block.size());
    if (top + rows > table->rowCount())
        return emit notice(counts ? Zav::tr("Não colado: o bloco passa da última espécie")
                                  : Zav::tr("Não colado: o bloco passa da última coleta"));
    if ((counts ? left - kFirstCollection : left) + width > kMaxCollections)
        return emit notice(Zav::tr("Não colado: mais de %1 colunas").arg(kMaxCollections));
    // Every count a whole number, every date a date, before anything changes.
    for (int r = 0; counts && r < rows; ++r)
        for (const QString& value : block[r]) {
            const bool fits = top + r == kHeadingRow
                                  ? isBlank(value) || collectionDateOf(value.toStdString()).has_value()
                                  : countIn(value).has_value();
            if (!fits)
                return emit notice(Zav::tr("Não colado: ") + value +
                                   (top + r == kHeadingRow ? Zav::tr(" não é uma data (aaaa-mm-dd ou dd/mm/aaaa)")
                                                           : Zav::tr(" não é um número inteiro")));
        }
    ++quiet_;
    if (counts && left + width > counts_->columnCount()) setCollectionColumns(left + width - kFirstCollection);
    if (!counts && left + width + 1 > weather_->columnCount()) setWeatherColumns(left + width + 1);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < static_cast<int>(block[r].size()); ++c)
            setCell(table, top + r, left + c, block[r][c].trimmed());
    if (counts) {
        for (int c = left; c < left + width; ++c)
            updateHeading(c);
        for (int r = std::max(top, 1); r < top + rows; ++r)
            updateTotals(r);
    }
    inUse_ = true;
    edited_ = true;
    --quiet_;
}

CollectionBlocks CollectionGrid::blocks(int species) const {
    CollectionBlocks blocks;
    const int collections = collectionCount();
    blocks.collections.resize(static_cast<std::size_t>(collections));
    std::optional<int> dated, undated;
    for (int k = 0; k < collections; ++k) {
        auto& collection = blocks.collections[static_cast<std::size_t>(k)];
        const QString date = cell(counts_, kHeadingRow, kFirstCollection + k);
        if (isBlank(date)) {
            if (!undated) undated = k;
        } else {
            collection.date = collectionDateOf(date.toStdString());
            if (!collection.date)
                throw Error("Erro: a data da coleta " + std::to_string(k + 1) + " não é uma data (aaaa-mm-dd ou " +
                            "dd/mm/aaaa): " + date.toStdString());
            if (!dated) dated = k;
        }
        for (int r = 0; r < std::min(species, speciesCount()); ++r) {
            const QString text = cell(counts_, r + 1, kFirstCollection + k);
            const auto count = countIn(text);
            if (!count || *count > 2147483647)
                throw Error("Erro: a linha " + std::to_string(r + 1) + " da planilha por coleta tem um valor " +
                            "inválido na coleta " + std::to_string(k + 1) + ": " + text.toStdString());
            collection.counts.push_back(static_cast<std::int32_t>(*count));
        }
        collection.counts.resize(static_cast<std::size_t>(std::max(species, 0)), 0);
    }
    if (dated && undated)
        throw Error("Erro: a coleta " + std::to_string(*undated + 1) + " não tem data, e a coleta " +
                    std::to_string(*dated + 1) + " tem: dê a data de todas ou de nenhuma");
    // The weather through the import's reading of a weather sheet: the same
    // names, numbers and messages.
    int variables = 0;
    for (int v = 0; v < weather_->columnCount(); ++v)
        for (int r = 0; r < weather_->rowCount(); ++r)
            if (!isBlank(cell(weather_, r, v))) variables = v + 1;
    if (variables == 0) return blocks;
    std::string sheet = "coleta";
    for (int v = 0; v < variables; ++v)
        sheet += "\t" + cell(weather_, kHeadingRow, v).toStdString();
    sheet += "\n";
    for (int k = 0; k < collections; ++k) {
        sheet += std::to_string(k + 1);
        for (int v = 0; v < variables; ++v)
            sheet += "\t" + cell(weather_, 1 + k, v).toStdString();
        sheet += "\n";
    }
    std::vector<Collection> inOrder(static_cast<std::size_t>(collections));
    blocks.weather = parseWeatherText(sheet, inOrder);
    return blocks;
}

} // namespace zav
