#include "editor/grid_keys.h"

#include "data/species_names.h"
#include "qtsupport/ui_text.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableWidget>
#include <QValidator>

#include <algorithm>
#include <optional>

namespace zav {
namespace {

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

QString digitsOnlyMessage(const QString& text) {
    return Zav::tr("Apenas dígitos: ") + text + Zav::tr(" não é um número inteiro");
}

QString textWithTyped(const QLineEdit& line, const QString& typed) {
    QString text = line.text();
    if (line.hasSelectedText())
        text.replace(line.selectionStart(), line.selectedText().size(), typed);
    else
        text.insert(line.cursorPosition(), typed);
    return text;
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

bool confirms(const QKeyEvent& key) { return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter; }
bool confirmsOrCancels(const QKeyEvent& key) { return confirms(key) || key.key() == Qt::Key_Escape; }

// A printable character typed without Ctrl: what a refusal is told of.
bool typesText(const QKeyEvent& key) {
    return !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && !key.text().isEmpty() &&
           key.text().front().isPrint();
}

// One of the grid's own shortcuts (its context menu's actions).
bool gridCommand(const QTableWidget& grid, const QKeyEvent& key) {
    const QKeySequence pressed(key.keyCombination());
    const auto actions = grid.actions();
    return std::any_of(actions.begin(), actions.end(),
                       [&](const QAction* a) { return !a->shortcut().isEmpty() && a->shortcut() == pressed; });
}

bool inNames(const QTableWidget& grid) { return grid.currentColumn() == kNameColumn; }

} // namespace

bool DigitsOnlyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return QObject::eventFilter(watched, event);
    const auto& key = static_cast<const QKeyEvent&>(*event);
    auto* grid = qobject_cast<QTableWidget*>(watched);
    // In an entry field Return confirms and Escape cancels its panel.
    if (!grid && confirmsOrCancels(key)) return false;
    if (event->type() == QEvent::ShortcutOverride) {
        if (grid && confirmsOrCancels(key)) {
            event->accept();
            return true;
        }
        return !(grid && inNames(*grid)) && claimShortcutOverride(event);
    }
    if (grid) {
        if (confirms(key)) {
            moveDown(*grid);
            return true;
        }
        if (key.key() == Qt::Key_Escape) {
            emit cancelRequested();
            return true;
        }
        if (PlanilhaKeyDown(*grid, key)) return true;
        if (inNames(*grid)) return false; // letters start a name
    }
    if (!PlanilhaKeyPress(key)) return false;
    if (typesText(key)) {
        const auto* line = qobject_cast<const QLineEdit*>(watched);
        emit refused(digitsOnlyMessage(line ? textWithTyped(*line, key.text()) : key.text()));
    }
    return true;
}

bool PlanilhaKeyDown(QTableWidget& grid, const QKeyEvent& event) {
    const int row = grid.currentRow();
    if (row < 0 || event.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)) return false;
    const int column = grid.currentColumn();
    int to = column;
    if (event.key() == Qt::Key_Right) to = std::min(column + 1, kNameColumn);
    if (event.key() == Qt::Key_Left) to = std::max(column - 1, kIndividualsColumn);
    if (to == column) return false;
    grid.setCurrentCell(row, to);
    return true;
}

void moveDown(QTableWidget& grid) {
    const QModelIndex current = grid.currentIndex();
    if (!current.isValid()) return;
    if (current.row() + 1 < grid.rowCount()) {
        grid.setCurrentCell(current.row() + 1, current.column());
        return;
    }
    // The last row: what was typed is kept, and the cell opens again.
    grid.setCurrentIndex(QModelIndex());
    grid.setCurrentIndex(current);
}

GridCellDelegate::GridCellDelegate(QTableWidget* grid) : QStyledItemDelegate(grid), grid_(grid) {}

QWidget* GridCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    // A right click on a cell opens the grid's menu, not the line's.
    editor->setContextMenuPolicy(Qt::NoContextMenu);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        if (index.column() == kNameColumn)
            line->setMaxLength(static_cast<int>(kMaxNameCharacters));
        else // pasting goes past the key filter; the validator keeps it to digits
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
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return QStyledItemDelegate::eventFilter(editor, event);
    const auto& key = static_cast<const QKeyEvent&>(*event);
    const bool names = inNames(*grid_);
    if (event->type() == QEvent::ShortcutOverride) {
        if (gridCommand(*grid_, key)) {
            event->ignore(); // the grid's shortcut, not the line's own
            return true;
        }
        if (confirmsOrCancels(key)) {
            event->accept();
            return true;
        }
        if (!names && claimShortcutOverride(event)) return true;
        return QStyledItemDelegate::eventFilter(editor, event);
    }
    if (confirms(key)) {
        moveDown(*grid_);
        return true;
    }
    if (key.key() == Qt::Key_Escape) {
        emit cancelRequested();
        return true;
    }
    const auto* line = qobject_cast<const QLineEdit*>(editor);
    // Shift with an arrow widens the grid's selection from a count, as in a
    // spreadsheet; in a name it selects text.
    if (!names && (key.modifiers() & Qt::ShiftModifier) && (key.key() == Qt::Key_Left || key.key() == Qt::Key_Right)) {
        QKeyEvent widen(QEvent::KeyPress, key.key(), key.modifiers());
        QCoreApplication::sendEvent(grid_, &widen);
        return true;
    }
    // In a name the left arrow moves the text cursor until the first character.
    const bool leftInText =
        names && key.key() == Qt::Key_Left && line && (line->cursorPosition() > 0 || line->hasSelectedText());
    if (!leftInText && PlanilhaKeyDown(*grid_, key)) return true;
    if (!names && PlanilhaKeyPress(key)) {
        if (typesText(key)) emit refused(digitsOnlyMessage(line ? textWithTyped(*line, key.text()) : key.text()));
        return true;
    }
    return QStyledItemDelegate::eventFilter(editor, event);
}

} // namespace zav
