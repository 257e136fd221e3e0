#include "editor/grid_keys.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QTableWidget>
#include <QValidator>

#include <algorithm>
#include <optional>

namespace zav {
namespace {

// The grid's data columns (the row numbers are its vertical header).
constexpr int kIndividualsColumn = 0;
constexpr int kCollectionsColumn = 1;

// Refuses an edit that brings in a character that is not a digit, but lets
// a cell that already holds one ("abc" from a file) be corrected: typing
// digits, deleting and replacing all pass. The line edit asks after it has
// changed its text, so the edit is judged against the last text accepted,
// never against the line's own text.
class NoNewNonDigits : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        if (accepted_ && nonDigits(input) > nonDigits(*accepted_)) return Invalid;
        accepted_ = input;
        return Acceptable;
    }
    // The text the cell holds when its editor opens.
    void setAccepted(const QString& text) { accepted_ = text; }

  private:
    static qsizetype nonDigits(const QString& text) {
        return std::count_if(text.begin(), text.end(),
                             [](QChar c) { return c < QLatin1Char('0') || c > QLatin1Char('9'); });
    }
    mutable std::optional<QString> accepted_;
};

} // namespace

bool PlanilhaKeyPress(const QKeyEvent& event) {
    // Alt with a letter opens a menu; it types nothing.
    if (event.modifiers() & Qt::AltModifier) return false;
    if (event.key() == Qt::Key_Backspace) return false;
    if (event.key() == Qt::Key_Delete) return false; // an editing key, types nothing
    // Tab moves the focus to the next field; it is not typed into any.
    if (event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab) return false;
    const QString text = event.text();
    if (text.isEmpty()) return false;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return true;
    // A digit typed with Ctrl is a shortcut, not a digit.
    return (event.modifiers() & Qt::ControlModifier) != 0;
}

namespace {

// Keeps the window's shortcuts from taking a plain key that the field
// discards; keys with Ctrl or Alt stay free for the window's shortcuts.
bool claimShortcutOverride(QEvent* event) {
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
    if (!PlanilhaKeyPress(key)) return false;
    event->accept();
    return true;
}

bool confirmsOrCancels(const QKeyEvent& key) {
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter || key.key() == Qt::Key_Escape;
}

} // namespace

bool DigitsOnlyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return QObject::eventFilter(watched, event);
    const auto& key = static_cast<const QKeyEvent&>(*event);
    auto* grid = qobject_cast<QTableWidget*>(watched);
    // In an entry field Return confirms and Escape cancels its panel.
    if (!grid && confirmsOrCancels(key)) return false;
    if (event->type() == QEvent::ShortcutOverride) return claimShortcutOverride(event);
    if (grid && PlanilhaKeyDown(*grid, key)) return true;
    return PlanilhaKeyPress(key);
}

bool PlanilhaKeyDown(QTableWidget& grid, const QKeyEvent& event) {
    const int row = grid.currentRow();
    if (row < 0) return false;
    if (event.key() == Qt::Key_Right && grid.currentColumn() == kIndividualsColumn) {
        grid.setCurrentCell(row, kCollectionsColumn);
        return true;
    }
    if (event.key() == Qt::Key_Left && grid.currentColumn() == kCollectionsColumn) {
        grid.setCurrentCell(row, kIndividualsColumn);
        return true;
    }
    return false;
}

GridCellDelegate::GridCellDelegate(QTableWidget* grid) : QStyledItemDelegate(grid), grid_(grid) {}

QWidget* GridCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        // Pasting goes past the key filter; the validator keeps it to digits.
        line->setValidator(new NoNewNonDigits(line));
    }
    return editor;
}

void GridCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    QStyledItemDelegate::setEditorData(editor, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor))
        if (auto* validator = line->findChild<NoNewNonDigits*>()) validator->setAccepted(line->text());
}

bool GridCellDelegate::eventFilter(QObject* editor, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && claimShortcutOverride(event)) return true;
    if (event->type() == QEvent::KeyPress) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (PlanilhaKeyDown(*grid_, key) || PlanilhaKeyPress(key)) return true;
    }
    return QStyledItemDelegate::eventFilter(editor, event);
}

} // namespace zav
