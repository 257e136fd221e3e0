#pragma once
// The main window: menu bar, status line, the report view and the panels
// laid over one client area.

#include "app/main_window_layout.h"
#include "qtsupport/interaction.h"
#include "qtsupport/menus.h"
#include "qtsupport/remembered_folder.h"
#include "report/report_document.h"

#include <QMainWindow>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace zav {

// Where the window opens on a screen whose free area is `available`: its
// minimum size (`wanted`, less on a screen too small for it) and its
// geometry, whole on the screen with room for a window manager's frame.
struct WindowPlacement {
    QSize minimum;
    QRect geometry;
};
WindowPlacement placeWindow(const QRect& available, const QSize& wanted);

class ComparisonPanel;
class CommunitiesPanel;
class DataEditor;
class SimilarityPanel;
class TJanSobre;
} // namespace zav

class TZAVMain : public QMainWindow {
    Q_OBJECT

  public:
    using TopMenu = zav::TopMenu;
    using enum zav::TopMenu;

    TZAVMain(zav::Interaction& interaction, zav::Clock& clock, QWidget* parent = nullptr);
    ~TZAVMain() override;

    QString statusText() const;
    bool isMenuEnabled(TopMenu menu) const;
    QString currentDataFileName() const;

    // Runs "Calcular" on a file the user named outside the dialog: given on
    // the command line, dropped on the window or picked from the recent
    // files. The same refusals apply.
    void calculateFile(const QString& path);
    QStringList recentFiles() const;

    // The default handler: runs a menu or button handler and shows any error
    // it raises in an error box, then returns to the event loop.
    void guarded(const std::function<void()>& handler);

  private:
    void createActions();
    void createStatusBar();
    void createReportView();
    void createHelpPanel();
    void createPanels();
    zav::ClientPanels clientPanels() const;

    void setStatus(const QString& text);
    void setMenuEnabled(TopMenu menu, bool enabled);
    void setAllMenusEnabled(bool enabled);
    bool reportOpen() const;
    void showReport(zav::ReportDocument document);
    // The report as the view shows it now, typed notes included.
    const zav::ReportDocument& shownDocument();
    // "Gráfico", "Salvar...", "Fechar", "Imprimir..." and "Exportar PDF..."
    // follow what is shown.
    void updateReportMenus();
    void updateTitle();
    // `what` would replace the survey: "o relatório", "a tabela".
    QString reportTargetRefusal(const QString& target, const QString& what = QStringLiteral("o relatório")) const;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void placeOnScreen();

    // Handlers, named after the component and the event.
    // Whether a run may take the place of the report shown: asks only when
    // the report holds typing not saved.
    bool mayReplaceReport();
    // The report shown has not been written to a file as it is now.
    bool reportUnsaved() const;
    void setRecentFiles(const QStringList& files);
    // The other report of the survey shown, from its data file read afresh.
    void diversityOfShownSurvey();
    void analysisOfShownSurvey();
    // Every analysis of one data file: chosen in the open dialog, the survey
    // shown, or a file given; its report shown, the file remembered.
    void chooseAndRunFile(zav::RunKind kind);
    void runOnShownSurvey(const QAction* item, zav::RunKind kind);
    void runFile(zav::RunKind kind, const QString& path, const zav::DateTime& when);
    void showFileRun(zav::ReportDocument document);
    void addRecentFile(const QString& path);
    void showRecentFiles();
    void openRecentFile(const QString& path);
    // Connects a menu item that runs only while its top-level menu is
    // enabled: its shortcut must not do what the menu does not allow.
    template <typename Handler> void connectItem(QAction* item, TopMenu menu, Handler handler) {
        connectGuarded(item, &QAction::triggered, [this, menu, handler] {
            if (isMenuEnabled(menu)) call(handler);
        });
    }
    void MnuSalvarClick();
    void MnuFecharClick();
    void MnuSairClick();
    void MnuZAVClick();
    void BtnOKAjudaClick();
    void MnuSobreClick();
    void MnuGraficoClick();

    // Connects a signal to a handler (a member or a callable) that runs
    // inside guarded().
    template <typename Sender, typename Signal, typename Handler>
    void connectGuarded(Sender* sender, Signal signal, Handler handler) {
        connect(sender, signal, this, [this, handler] { guarded([this, handler] { call(handler); }); });
    }
    template <typename Handler> void call(const Handler& handler) {
        if constexpr (std::is_member_function_pointer_v<Handler>)
            (this->*handler)();
        else
            handler();
    }

    zav::RememberedFolder dialogs_; // every dialog goes through it
    zav::Interaction& interaction_;
    zav::Clock& clock_;
    QMenu* recentMenu_ = nullptr;

    std::array<QAction*, zav::kTopMenuCount> topMenus_{};
    std::vector<QAction*> fileRunMenus_; // Calcular first, then the other analyses of one file
    QAction* printAction_ = nullptr;
    QAction* pdfAction_ = nullptr;
    QAction* salvarAction_ = nullptr;
    QAction* fecharAction_ = nullptr;
    QAction* copyTableAction_ = nullptr; // a faunistic report's species table
    QAction* exportTableAction_ = nullptr;
    QAction* diversityOfShown_ = nullptr; // "Diversidade deste levantamento"
    QAction* analysisOfShown_ = nullptr;  // "Análise faunística deste levantamento"
    QLabel* statusLabel_ = nullptr;
    QWidget* client_ = nullptr;
    QPlainTextEdit* memo1_ = nullptr;
    // The data file's warnings, under the report and never part of it.
    QLabel* warnings_ = nullptr;
    QGroupBox* grupo1_ = nullptr;
    QPushButton* btnOkAjuda_ = nullptr;
    zav::TJanSobre* janSobre_ = nullptr;
    zav::DataEditor* editor_ = nullptr;
    zav::SimilarityPanel* similarity_ = nullptr;
    zav::ComparisonPanel* comparison_ = nullptr;
    zav::CommunitiesPanel* communities_ = nullptr;

    std::optional<zav::ReportDocument> shown_; // the result beside its text
    std::vector<std::string> computedLines_;   // the report as made, before any typing
    // The species' names shown under a faunistic report, never saved with it.
    std::vector<std::string> namesShown_;
    std::vector<std::string> reportViewLines() const;
    bool savedOnce_ = false; // the report shown was written to a file
    QPointer<QWidget> chartWindow_;
    std::array<bool, zav::kTopMenuCount> menusBeforeHelp_{};
    QString lastOpenName_;

  protected:
    // While the grid is open, closing the window asks first: what was typed
    // would be lost.
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};
