#pragma once
// The keys of the grid and of the entry fields: only unsigned whole numbers
// can be typed in a count, any text in a name; the arrows jump between the
// grid's columns, Enter goes down, also while a cell is being edited.

#include <QObject>
#include <QStyledItemDelegate>

class QKeyEvent;
class QLineEdit;
class QTableWidget;

namespace zav {

// The grid's data columns (the row numbers are its vertical header).
inline constexpr int kIndividualsColumn = 0;
inline constexpr int kCollectionsColumn = 1;
inline constexpr int kNameColumn = 2;
inline constexpr int kGridColumns = 3;

// PlanilhaKeyPress: true when a key typed in a count must be discarded.
// Digits and backspace pass; every other character, control codes included
// (Enter, Escape, the clipboard shortcuts), is discarded. Keys that type
// nothing (arrows, Home, Delete), Tab, which moves the focus, and keys with
// Alt, which open menus, pass.
bool PlanilhaKeyPress(const QKeyEvent& event);

// The status line's word on a refused key: "Apenas dígitos: 8,5 não é um
// número inteiro", `text` being what the cell would have held.
QString digitsOnlyMessage(const QString& text);

// What a line edit would hold if `typed` went in at its cursor, replacing
// its selection.
QString textWithTyped(const QLineEdit& line, const QString& typed);

// Installed on nEspecie and nColeta, on the grid panel's header fields and
// on the grid itself. In the fields Return and Escape pass, to confirm or
// cancel their panel; on the grid Return goes down and Escape asks for the
// panel to be cancelled. In the name column everything may be typed.
class DigitsOnlyFilter : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override;

  signals:
    void refused(const QString& message);
    void cancelRequested();
};

// PlanilhaKeyDown: the right arrow moves from the individuals to the
// collections and on to the name, the left arrow back; true when it moved.
bool PlanilhaKeyDown(QTableWidget& grid, const QKeyEvent& event);

// Enter: the cell below becomes the current one (its text selected, so
// typing replaces it); on the last row the cell's text is kept and stays.
void moveDown(QTableWidget& grid);

// Grid cell editors: counts take digits only (typed or pasted), names any
// text up to a name's length; the arrows move between the columns instead
// of the text cursor (in a name only from its first character), and the
// grid's own shortcuts (its actions: copy, paste, undo, rows) reach the
// grid instead of the line edit.
class GridCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    explicit GridCellDelegate(QTableWidget* grid);
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;

  signals:
    void refused(const QString& message);
    void cancelRequested();

  protected:
    bool eventFilter(QObject* editor, QEvent* event) override;

  private:
    QTableWidget* grid_;
};

} // namespace zav
