#pragma once
// The main window: menu bar, status line, the report view and the panels
// laid over one client area.

#include "qtsupport/interaction.h"
#include "qtsupport/remembered_folder.h"

#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <type_traits>

class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace zav {
class DataEditor;
class TJanSobre;
} // namespace zav

class TZAVMain : public QMainWindow {
    Q_OBJECT

  public:
    // Top-level menus by position.
    enum TopMenu { Arquivo = 0, Calcular = 1, Similaridade = 2, Ajuda = 3 };

    TZAVMain(zav::Interaction& interaction, zav::Clock& clock, QWidget* parent = nullptr);
    ~TZAVMain() override;

    QString statusText() const;
    bool isMenuEnabled(TopMenu menu) const;
    QString currentDataFileName() const { return currentDataFileName_; }

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
    void createSimilarityPanel();
    void FormCreate();

    void setStatus(const QString& text);
    void setMenuEnabled(TopMenu menu, bool enabled);
    void setAllMenusEnabled(bool enabled);
    QString currentDirectory() const;
    bool reportOpen() const;
    // Shows a report computed from `sources`; its file name is proposed as
    // the first source's name with `suffix`.
    void showReport(const std::vector<std::string>& lines, const QStringList& sources, const QString& suffix);
    void placeOnScreen();

    // Handlers, named after the component and the event.
    void MnuCalcularClick();
    void analyseFile(const QString& path, const zav::DateTime& when);
    void addRecentFile(const QString& path);
    void showRecentFiles();
    void openRecentFile(const QString& path);
    // Connects a menu item that runs only while its top-level menu is
    // enabled: its shortcut must not do what the menu does not allow.
    template <typename Handler> void connectItem(QAction* item, TopMenu menu, Handler handler) {
        connectGuarded(item, &QAction::triggered, [this, menu, handler] {
            if (!isMenuEnabled(menu)) return;
            if constexpr (std::is_member_function_pointer_v<Handler>)
                (this->*handler)();
            else
                handler();
        });
    }
    void MnuSalvarClick();
    void MnuFecharClick();
    void MnuSairClick();
    void MnuZAVClick();
    void BtnOKAjudaClick();
    void MnuSobreClick();
    void MnuSimilarClick();
    void btnOkRepClick();
    void BtnCancelRepClick();
    void runSimilarity(int treatments);

    // Connects a signal to a handler (a member or a callable) that runs
    // inside guarded().
    template <typename Sender, typename Signal, typename Handler>
    void connectGuarded(Sender* sender, Signal signal, Handler handler) {
        connect(sender, signal, this, [this, handler] {
            guarded([this, handler] {
                if constexpr (std::is_member_function_pointer_v<Handler>)
                    (this->*handler)();
                else
                    handler();
            });
        });
    }

    zav::RememberedFolder dialogs_; // every dialog goes through it
    zav::Interaction& interaction_;
    zav::Clock& clock_;
    QMenu* recentMenu_ = nullptr;

    std::array<QAction*, 4> topMenus_{};
    QLabel* statusLabel_ = nullptr;
    QWidget* client_ = nullptr;
    QPlainTextEdit* memo1_ = nullptr;
    QGroupBox* grupo1_ = nullptr;
    QPushButton* btnOkAjuda_ = nullptr;
    QFrame* entraCol_ = nullptr;
    QLineEdit* nRepet_ = nullptr;
    zav::TJanSobre* janSobre_ = nullptr;
    zav::DataEditor* editor_ = nullptr;

    std::array<bool, 4> menusBeforeHelp_{};
    QStringList reportSources_;
    QString reportNameSuffix_;
    QString currentDataFileName_;
    QString lastOpenName_;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    // While the grid is open, closing the window asks first: what was typed
    // would be lost.
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};
