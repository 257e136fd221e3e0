#include "app/main_window_layout.h"

#include <QBoxLayout>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>

#include <algorithm>

namespace zav {
namespace {

// The margins around each panel laid over the whole area: the report leaves
// a band above it, the help a wider border.
constexpr QMargins kReportMargins(8, 40, 8, 8);
constexpr QMargins kHelpMargins(16, 16, 16, 16);
constexpr QMargins kPanelMargins(8, 8, 8, 8);

QSize withMargins(const QSize& size, const QMargins& margins) {
    return size + QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
}

// Keeps the warnings to a third of the area as the window is resized.
class WarningsCap : public QObject {
  public:
    WarningsCap(QWidget* client, QLabel* warnings) : QObject(client), client_(client), warnings_(warnings) {
        client->installEventFilter(this);
        apply();
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == client_ && event->type() == QEvent::Resize) apply();
        return QObject::eventFilter(watched, event);
    }

  private:
    void apply() { warnings_->setMaximumHeight(std::max(warnings_->minimumHeight(), client_->height() / 3)); }
    QWidget* client_;
    QLabel* warnings_;
};

QBoxLayout* framed(QWidget* panel, const QMargins& margins) {
    auto* box = new QVBoxLayout;
    box->setContentsMargins(margins);
    box->addWidget(panel);
    return box;
}

} // namespace

void layOutClientArea(QWidget* client, const ClientPanels& panels) {
    // Every panel in the one cell, over one another.
    auto* area = new QGridLayout(client);
    area->setContentsMargins(0, 0, 0, 0);

    auto* report = new QVBoxLayout;
    report->setContentsMargins(kReportMargins);
    report->setSpacing(4);
    report->addWidget(panels.report, 1);
    report->addWidget(panels.warnings);
    area->addLayout(report, 0, 0);
    new WarningsCap(client, panels.warnings);

    area->addLayout(framed(panels.help, kHelpMargins), 0, 0);
    area->addLayout(framed(panels.grid, kPanelMargins), 0, 0);
    auto* entry = framed(panels.entry, kPanelMargins);
    entry->setAlignment(panels.entry, Qt::AlignLeft);
    entry->addStretch(1);
    area->addLayout(entry, 0, 0);
    for (QWidget* prompt : panels.prompts)
        area->addWidget(prompt, 0, 0, Qt::AlignCenter);
}

QSize clientAreaMinimum(const ClientPanels& panels) {
    QSize least = withMargins(panels.report->minimumSizeHint(), kReportMargins)
                      .expandedTo(withMargins(panels.help->minimumSizeHint(), kHelpMargins))
                      .expandedTo(withMargins(panels.grid->minimumSizeHint(), kPanelMargins))
                      .expandedTo(withMargins(panels.entry->sizeHint(), kPanelMargins));
    for (QWidget* prompt : panels.prompts)
        least = least.expandedTo(prompt->sizeHint());
    return least;
}

} // namespace zav
