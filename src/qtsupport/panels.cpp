#include "qtsupport/panels.h"

#include "qtsupport/ui_text.h"

#include <QAbstractButton>
#include <QApplication>
#include <QBoxLayout>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QStyleOptionFrame>

namespace zav {

QPalette panelPalette() {
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Button));
    return palette;
}

QFrame* makePanel(QWidget* parent, const char* name, bool raised, const char* titleName, const QString& caption) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | (raised ? QFrame::Raised : QFrame::Plain));
    panel->setLineWidth(2);
    panel->setAutoFillBackground(true);
    panel->setPalette(panelPalette());
    // The contents 8 pixels inside the panel's edge, its bevel included.
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(6, 6, 6, 6);
    column->setSpacing(6);

    auto* bar = new QLabel(caption, panel);
    bar->setObjectName(titleName);
    bar->setAlignment(Qt::AlignCenter);
    bar->setMargin(5);
    bar->setAutoFillBackground(true);
    QPalette palette = bar->palette();
    palette.setColor(QPalette::Window, kTeal);
    palette.setColor(QPalette::WindowText, Qt::white);
    bar->setPalette(palette);
    QFont bold = bar->font();
    bold.setBold(true);
    bar->setFont(bold);
    column->addWidget(bar);
    panel->hide();
    return panel;
}

QLabel* panelTitle(QFrame* panel) { return qobject_cast<QLabel*>(panel->layout()->itemAt(0)->widget()); }

QBoxLayout* panelLayout(QFrame* panel) { return qobject_cast<QBoxLayout*>(panel->layout()); }

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, Qt::Alignment align) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAlignment(align | Qt::AlignVCenter);
    return label;
}

void setWidthInDigits(QLineEdit* field, int digits) {
    QStyleOptionFrame option;
    option.initFrom(field);
    // The digits and the field's own margin of 2 pixels on each side.
    const QSize text(field->fontMetrics().horizontalAdvance(QString(digits, QLatin1Char('0'))) + 4,
                     field->fontMetrics().height());
    field->setFixedWidth(field->style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, field).width());
}

QBoxLayout* buttonRow(QAbstractButton* first, QAbstractButton* second) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(first);
    row->addSpacing(8);
    row->addWidget(second);
    row->addStretch(1);
    return row;
}

void cancelOnEscape(QWidget* panel, QAbstractButton* button) {
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), panel, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    QObject::connect(escape, &QShortcut::activated, button, &QAbstractButton::click);
}

OkCancel okCancelButtons(QWidget* panel, const char* okName, const char* cancelName) {
    auto* ok = new QPushButton(Zav::tr("Ok"), panel);
    ok->setObjectName(okName);
    ok->setDefault(true);
    auto* cancel = new QPushButton(Zav::tr("Cancelar"), panel);
    cancel->setObjectName(cancelName);
    cancelOnEscape(panel, cancel);
    return {ok, cancel};
}

void layOutFields(QFrame* panel, std::initializer_list<PanelField> fields, QAbstractButton* ok,
                  QAbstractButton* cancel) {
    QBoxLayout* column = panelLayout(panel);
    column->setSpacing(2);
    column->addSpacing(4);
    bool first = true;
    for (const auto& [label, field, fullWidth] : fields) {
        if (!first) column->addSpacing(8);
        first = false;
        column->addWidget(label);
        if (fullWidth)
            column->addWidget(field);
        else
            column->addWidget(field, 0, Qt::AlignLeft);
    }
    column->addSpacing(16);
    column->addLayout(buttonRow(ok, cancel));
}

void confirmOnEnter(QWidget* panel, QAbstractButton* ok) {
    for (const auto key : {Qt::Key_Return, Qt::Key_Enter})
        QObject::connect(new QShortcut(QKeySequence(key), panel, nullptr, nullptr, Qt::WidgetWithChildrenShortcut),
                         &QShortcut::activated, ok, &QAbstractButton::click);
}

void showEntryPanel(QWidget* panel, QLineEdit* field, const QString& text) {
    field->setText(text);
    panel->show();
    panel->raise();
    field->setFocus();
    field->selectAll();
}

} // namespace zav
