#include "editor/grid_keys.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QTableWidget>

namespace zav {
namespace {

// The grid's data columns (the row numbers are its vertical header).
constexpr int kIndividualsColumn = 0;
constexpr int kCollectionsColumn = 1;

} // namespace

bool PlanilhaKeyPress(const QKeyEvent& event) {
    if (event.key() == Qt::Key_Backspace) return false;
    if (event.key() == Qt::Key_Delete) return false; // an editing key, types nothing
    // Tab moves the focus to the next field; it is not typed into any.
    if (event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab) return false;
    const QString text = event.text();
    if (text.isEmpty()) return false;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return true;
    // A digit typed with Ctrl or Alt is a shortcut, not a digit.
    return (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) != 0;
}

bool DigitsOnlyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (auto* grid = qobject_cast<QTableWidget*>(watched); grid && PlanilhaKeyDown(*grid, key)) return true;
        if (PlanilhaKeyPress(key)) return true;
    }
    if (event->type() == QEvent::ShortcutOverride) {
        // Keep the window's shortcuts from taking what the field discards.
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (PlanilhaKeyPress(key)) {
            event->accept();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
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
        line->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), line));
    }
    return editor;
}

bool GridCellDelegate::eventFilter(QObject* editor, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (event->type() == QEvent::KeyPress && PlanilhaKeyDown(*grid_, key)) return true;
        if (PlanilhaKeyPress(key)) {
            event->accept();
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(editor, event);
}

} // namespace zav
