#pragma once
// The look shared by the panels laid over the main window's client area:
// each a frame with a layout of its own, sized by its texts and fonts.

#include <QColor>
#include <QPalette>
#include <QString>

#include <initializer_list>

class QAbstractButton;
class QBoxLayout;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace zav {

inline const QColor kTeal(0, 128, 128);

// Button-face background, as dialogs have.
QPalette panelPalette();

// A hidden panel with a raised (or flat) bevel and a vertical layout whose
// first row is its white bold caption on teal (named `titleName`).
QFrame* makePanel(QWidget* parent, const char* name, bool raised, const char* titleName, const QString& caption);

// The caption of a panel made by makePanel.
QLabel* panelTitle(QFrame* panel);
QBoxLayout* panelLayout(QFrame* panel);

// A label for a field (right-aligned in a form) or a heading.
QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, Qt::Alignment align);

// A field as wide as `digits` digits in its own font (frame and margins
// included), so it grows with the font and the screen's scale.
void setWidthInDigits(QLineEdit* field, int digits);

// Two buttons side by side, centred, as a dialog's Ok and Cancelar.
QBoxLayout* buttonRow(QAbstractButton* first, QAbstractButton* second);

// Escape anywhere in the panel clicks `button` (its Cancelar or Ok).
void cancelOnEscape(QWidget* panel, QAbstractButton* button);

// A panel's "Ok" (its default button) and "Cancelar" (clicked by Escape),
// named `okName` and `cancelName`.
struct OkCancel {
    QPushButton* ok;
    QPushButton* cancel;
};
OkCancel okCancelButtons(QWidget* panel, const char* okName, const char* cancelName);

// A panel's fields one group under another, each label over its field (a
// field typed in at its own width, left-aligned; a list as wide as the
// panel), then its Ok and Cancelar.
struct PanelField {
    QLabel* label;
    QWidget* field;
    bool fullWidth = false;
};
void layOutFields(QFrame* panel, std::initializer_list<PanelField> fields, QAbstractButton* ok,
                  QAbstractButton* cancel);

// Enter in any of the panel's fields clicks `ok`, as a dialog's default
// button would.
void confirmOnEnter(QWidget* panel, QAbstractButton* ok);

// Shows an entry panel over the others with `field` holding `text`,
// selected, to be typed over.
void showEntryPanel(QWidget* panel, QLineEdit* field, const QString& text);

} // namespace zav
