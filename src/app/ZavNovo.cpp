#include "app/ZavNovo.h"

#include "app/communities_panel.h"
#include "app/comparison_panel.h"
#include "app/file_run.h"
#include "app/help_text.h"
#include "app/main_window_layout.h"
#include "app/similarity_panel.h"
#include "app/sobrezav.h"
#include "app/table_export.h"
#include "charts/charts.h"
#include "data/errors.h"
#include "data/report_text.h"
#include "editor/data_editor.h"
#include "qtsupport/atomic_save.h"
#include "qtsupport/guarded.h"
#include "qtsupport/panels.h"
#include "qtsupport/qt_text.h"
#include "qtsupport/settings.h"
#include "qtsupport/ui_language.h"
#include "qtsupport/ui_text.h"
#include "report/report_pages.h"
#include "runs/run_kinds.h"
#include "similarity/similarity.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QBoxLayout>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextDocument>

namespace {

QString title() { return Zav::tr("ZAVIRO - Análise Faunística"); }
const QString kGeometryKey = QStringLiteral("janela/geometria");
const QString kRecentKey = QStringLiteral("arquivos/recentes");
constexpr int kMaxRecent = 8;

} // namespace

TZAVMain::TZAVMain(zav::Interaction& interaction, zav::Clock& clock, QWidget* parent)
    : QMainWindow(parent), dialogs_(interaction), interaction_(dialogs_), clock_(clock) {
    setObjectName("ZAVMain");
    setWindowTitle(title());

    client_ = new QWidget(this);
    client_->setObjectName("ClientArea");
    QPalette palette = client_->palette();
    palette.setColor(QPalette::Window, zav::kTeal);
    client_->setPalette(palette);
    client_->setAutoFillBackground(true);
    setCentralWidget(client_);

    createActions();
    createStatusBar();
    createReportView();
    createHelpPanel();
    createPanels();
    placeOnScreen();
    // Where the researcher left the window, if it is still on a screen.
    if (restoreGeometry(zav::settings().value(kGeometryKey).toByteArray()) &&
        !screen()->availableGeometry().contains(frameGeometry()))
        placeOnScreen();
    setAcceptDrops(true);
    showRecentFiles();
}

namespace zav {

WindowPlacement placeWindow(const QRect& available, const QSize& wanted) {
    // Room for what a window manager adds around the window: a title bar
    // and borders. Nothing asked for is larger than that.
    const QRect inside = available.adjusted(8, 40, -8, -8);
    const QSize room = inside.size().expandedTo(QSize(160, 120));
    WindowPlacement placement;
    placement.minimum = wanted.boundedTo(room);
    // Wider and taller than the least that works: the status line whole
    // and a page of a report at a glance.
    const QSize useful = wanted.expandedTo(QSize(800, 560));
    const QRect place(QPoint(331, 150), useful);
    if (inside.contains(place)) {
        placement.geometry = place;
        return placement;
    }
    const QSize fitted = useful.boundedTo(room);
    placement.geometry = QRect(
        inside.topLeft() + QPoint((room.width() - fitted.width()) / 2, (room.height() - fitted.height()) / 2), fitted);
    return placement;
}

} // namespace zav

void TZAVMain::placeOnScreen() {
    // Wide enough for a whole report line (76 characters) beside the view's
    // frame, margins and scroll bar, so no line wraps.
    const QFontMetrics metrics(memo1_->font());
    const int reportWidth = metrics.horizontalAdvance(QString(76, QLatin1Char('0'))) + 2 * memo1_->frameWidth() +
                            2 * static_cast<int>(memo1_->document()->documentMargin()) +
                            memo1_->verticalScrollBar()->sizeHint().width() + 16 + 4;
    // Large enough for every panel (the grid's with its buttons is the
    // tallest), where the screen has room; on a small screen the window
    // stays whole on it instead.
    const QSize panels = zav::clientAreaMinimum(clientPanels());
    const int height = menuBar()->sizeHint().height() + statusBar()->sizeHint().height() + panels.height();
    const auto placement =
        zav::placeWindow(screen()->availableGeometry(), QSize(std::max(reportWidth, panels.width()), height));
    setMinimumSize(placement.minimum);
    resize(placement.geometry.size());
    move(placement.geometry.topLeft());
}

// Also when the session ends the program without closing the window.
TZAVMain::~TZAVMain() { zav::settings().setValue(kGeometryKey, saveGeometry()); }

void TZAVMain::createActions() {
    menuBar()->setObjectName("MainMenu1");

    QMenu* arquivo = menuBar()->addMenu(Zav::tr("&Arquivo"));
    arquivo->setObjectName("MnuArquivo");
    auto item = [&](QMenu* menu, const char* name, const QString& caption, const QKeySequence& key = {}) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(name);
        a->setShortcut(key);
        return a;
    };
    connectItem(item(arquivo, "MnuNovo", Zav::tr("&Novo"), QKeySequence(Qt::CTRL | Qt::Key_N)), Arquivo,
                [this] { editor_->MnuNovoClick(); });
    connectItem(item(arquivo, "MnuAbrir", Zav::tr("&Abrir..."), QKeySequence(Qt::CTRL | Qt::Key_O)), Arquivo,
                [this] { editor_->MnuAbrirClick(); });
    salvarAction_ = item(arquivo, "MnuSalvar", Zav::tr("Sal&var..."), QKeySequence(Qt::CTRL | Qt::Key_S));
    connectItem(salvarAction_, Arquivo, &TZAVMain::MnuSalvarClick);
    fecharAction_ = item(arquivo, "MnuFechar", Zav::tr("&Fechar"), QKeySequence(Qt::CTRL | Qt::Key_W));
    connectItem(fecharAction_, Arquivo, &TZAVMain::MnuFecharClick);
    arquivo->addSeparator();
    printAction_ = item(arquivo, "MnuImprimir", Zav::tr("&Imprimir..."), QKeySequence(Qt::CTRL | Qt::Key_P));
    connectItem(printAction_, Arquivo, [this] { zav::printReport(interaction_, shownDocument()); });
    pdfAction_ = item(arquivo, "MnuExportarPdf", Zav::tr("Exportar P&DF..."));
    connectItem(pdfAction_, Arquivo, [this] {
        if (const QString written = zav::exportReportPdf(interaction_, shownDocument()); !written.isEmpty())
            setStatus(Zav::tr("PDF gravado em ") + written);
    });
    copyTableAction_ =
        item(arquivo, "MnuCopiarTabela", Zav::tr("&Copiar tabela"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    connectItem(copyTableAction_, Arquivo, [this] {
        const auto& document = shownDocument();
        zav::copyReportTables(document);
        setStatus(zav::speciesTableOf(document) ? Zav::tr("Tabela de espécies copiada")
                                                : Zav::tr("Tabelas do relatório copiadas"));
    });
    exportTableAction_ = item(arquivo, "MnuExportarTabela", Zav::tr("Exportar &tabela..."));
    connectItem(exportTableAction_, Arquivo, [this] {
        const QString written = zav::exportReportTables(interaction_, shownDocument(), [this](const QString& target) {
            return reportTargetRefusal(target, Zav::tr("a tabela"));
        });
        if (!written.isEmpty()) setStatus(Zav::tr("Tabela gravada em ") + written);
    });
    arquivo->addSeparator();
    // The survey shown, to the other report, without choosing it again.
    diversityOfShown_ = item(arquivo, "MnuDiversidadeDeste", Zav::tr("Di&versidade deste levantamento"));
    connectItem(diversityOfShown_, Arquivo, &TZAVMain::diversityOfShownSurvey);
    analysisOfShown_ = item(arquivo, "MnuAnaliseDeste", Zav::tr("Análise &faunística deste levantamento"));
    connectItem(analysisOfShown_, Arquivo, &TZAVMain::analysisOfShownSurvey);
    arquivo->addSeparator();
    connectItem(item(arquivo, "MnuImportar", Zav::tr("Importar p&lanilha...")), Arquivo,
                [this] { editor_->MnuImportarClick(); });
    recentMenu_ = arquivo->addMenu(Zav::tr("Arquivos &recentes"));
    recentMenu_->setObjectName("MnuRecentes");
    arquivo->addSeparator();
    connectItem(item(arquivo, "MnuSair", Zav::tr("&Sair"), QKeySequence(Qt::CTRL | Qt::Key_Q)), Arquivo,
                &TZAVMain::MnuSairClick);

    // Calcular, Diversidade, Flutuação: each analysis of one data file, from
    // the table of run kinds.
    for (const auto& kind : zav::runKinds()) {
        if (kind.menuText.empty()) continue;
        QAction* run = menuBar()->addAction(Zav::tr(std::string(kind.menuText).c_str()));
        run->setObjectName(QString::fromUtf8(kind.menuName));
        connectGuarded(run, &QAction::triggered, [this, which = kind.kind] { chooseAndRunFile(which); });
        fileRunMenus_.push_back(run);
    }

    // Sørensen's similarity of 3 to 10 treatments, or their comparison.
    QMenu* similar = menuBar()->addMenu(Zav::tr("&Similaridade"));
    similar->setObjectName("MnuSimilaridade");
    connectItem(item(similar, "MnuSimilar", Zav::tr("&Similaridade de Sørensen (3 a 10 tratamentos)...")), Similaridade,
                [this] { similarity_->MnuSimilarClick(); });
    connectItem(item(similar, "MnuComparacao", Zav::tr("&Comparação (2 a 10 tratamentos)...")), Similaridade,
                [this] { comparison_->MnuComparacaoClick(); });
    connectItem(item(similar, "MnuComunidades", Zav::tr("C&omunidades (2 a 10 tratamentos)...")), Similaridade,
                [this] { communities_->MnuComunidadesClick(); });

    QAction* grafico = menuBar()->addAction(Zav::tr("&Gráfico"));
    grafico->setObjectName("MnuGrafico");
    connectGuarded(grafico, &QAction::triggered, &TZAVMain::MnuGraficoClick);

    QMenu* ajuda = menuBar()->addMenu(Zav::tr("A&juda"));
    ajuda->setObjectName("MnuAjuda");
    connectItem(item(ajuda, "MnuZAV", Zav::tr("ZAVIRO - Ajuda"), QKeySequence(Qt::Key_F1)), Ajuda,
                &TZAVMain::MnuZAVClick);
    ajuda->addSeparator();
    connectGuarded(item(ajuda, "MnuSobre", Zav::tr("&Sobre ...")), &QAction::triggered, &TZAVMain::MnuSobreClick);
    // The same in every language, so whoever cannot read the window finds it.
    QMenu* idioma = ajuda->addMenu(QStringLiteral("Idioma / Language / Idioma"));
    idioma->setObjectName("MnuIdioma");
    auto* languages = new QActionGroup(idioma);
    for (const auto& [language, name, done] :
         {std::tuple{zav::ReportLanguage::Portuguese, "Português",
                     "O ZAVIRO estará em português da próxima vez que for aberto."},
          std::tuple{zav::ReportLanguage::English, "English", "ZAVIRO will be in English the next time it is opened."},
          std::tuple{zav::ReportLanguage::Spanish, "Español",
                     "ZAVIRO estará en español la próxima vez que se abra."}}) {
        QAction* choice = idioma->addAction(QString::fromUtf8(name));
        choice->setObjectName(QStringLiteral("MnuIdioma_") +
                              QString::fromLatin1(std::string(zav::reportLanguageCode(language)).c_str()));
        choice->setCheckable(true);
        choice->setChecked(language == zav::interfaceLanguage());
        languages->addAction(choice);
        connect(choice, &QAction::triggered, this, [this, language, done] {
            zav::chooseInterfaceLanguage(language);
            interaction_.information(QString::fromUtf8(done));
        });
    }

    topMenus_ = {arquivo->menuAction(), fileRunMenus_.front(), similar->menuAction(), grafico, ajuda->menuAction()};
}

void TZAVMain::createStatusBar() {
    statusBar()->setObjectName("SBar");
    statusLabel_ = new QLabel(statusBar());
    statusLabel_->setObjectName("SBarText");
    statusBar()->addWidget(statusLabel_, 1);
    statusBar()->setSizeGripEnabled(true);
}

void TZAVMain::createReportView() {
    memo1_ = new QPlainTextEdit(client_);
    memo1_->setObjectName("Memo1");
    memo1_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    memo1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo1_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memo1_->hide();
    warnings_ = new QLabel(client_);
    warnings_->setObjectName("LblAvisos");
    warnings_->setWordWrap(true);
    warnings_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    warnings_->setStyleSheet(QStringLiteral("color: #8a1c00"));
    warnings_->hide();
    // Qt's mark of unsaved changes in the title follows what is typed in the
    // report.
    connect(memo1_, &QPlainTextEdit::modificationChanged, this, &QWidget::setWindowModified);
}

void TZAVMain::createHelpPanel() {
    grupo1_ = new QGroupBox(Zav::tr("Ajuda"), client_);
    grupo1_->setObjectName("Grupo1");
    grupo1_->setAutoFillBackground(true);
    grupo1_->setPalette(zav::panelPalette());
    QFont captionFont = grupo1_->font();
    captionFont.setBold(true);
    grupo1_->setFont(captionFont);

    auto* memo2 = new QPlainTextEdit(grupo1_);
    memo2->setObjectName("Memo2");
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setBold(false); // not the caption's bold
    mono.setPointSize(8);
    memo2->setFont(mono);
    memo2->setTabStopDistance(QFontMetricsF(mono).horizontalAdvance(QLatin1Char(' ')) * 8);
    QPalette silver = memo2->palette();
    silver.setColor(QPalette::Base, QColor(192, 192, 192));
    memo2->setPalette(silver);
    memo2->setReadOnly(true);
    memo2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo2->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // The text is laid out when the panel first opens, not while the
    // program starts.

    btnOkAjuda_ = new QPushButton(Zav::tr("&Ok"), grupo1_);
    btnOkAjuda_->setObjectName("BtnOKAjuda");
    QFont normal = btnOkAjuda_->font();
    normal.setBold(false);
    btnOkAjuda_->setFont(normal);
    connectGuarded(btnOkAjuda_, &QPushButton::clicked, &TZAVMain::BtnOKAjudaClick);
    zav::cancelOnEscape(grupo1_, btnOkAjuda_);
    // The text takes the panel, its button centred below it.
    auto* column = new QVBoxLayout(grupo1_);
    column->setContentsMargins(8, 2, 8, 8);
    column->addWidget(memo2, 1);
    column->addWidget(btnOkAjuda_, 0, Qt::AlignHCenter);
    grupo1_->hide();
}

void TZAVMain::createPanels() {
    editor_ = new zav::DataEditor(client_, interaction_);
    connect(editor_, &zav::DataEditor::menuEnabled, this, &TZAVMain::setMenuEnabled);
    connect(editor_, &zav::DataEditor::statusChanged, this, &TZAVMain::setStatus);
    connect(editor_, &zav::DataEditor::notice, this,
            [this](const QString& text) { statusBar()->showMessage(text, 5000); });
    connect(editor_, &zav::DataEditor::dataFileSaved, this, &TZAVMain::addRecentFile);

    similarity_ = new zav::SimilarityPanel(client_, interaction_, clock_);
    connect(similarity_, &zav::SimilarityPanel::statusChanged, this, &TZAVMain::setStatus);
    connect(similarity_, &zav::SimilarityPanel::allMenusEnabled, this, &TZAVMain::setAllMenusEnabled);
    connect(similarity_, &zav::SimilarityPanel::compared, this,
            [this](const zav::ReportDocument& document) { showReport(document); });

    comparison_ = new zav::ComparisonPanel(client_, interaction_, clock_);
    connect(comparison_, &zav::ComparisonPanel::statusChanged, this, &TZAVMain::setStatus);
    connect(comparison_, &zav::ComparisonPanel::allMenusEnabled, this, &TZAVMain::setAllMenusEnabled);
    connect(comparison_, &zav::ComparisonPanel::compared, this,
            [this](const zav::ReportDocument& document) { showReport(document); });
    communities_ = new zav::CommunitiesPanel(client_, interaction_, clock_);
    connect(communities_, &zav::CommunitiesPanel::statusChanged, this, &TZAVMain::setStatus);
    connect(communities_, &zav::CommunitiesPanel::allMenusEnabled, this, &TZAVMain::setAllMenusEnabled);
    connect(communities_, &zav::CommunitiesPanel::compared, this,
            [this](const zav::ReportDocument& document) { showReport(document); });
    communities_->setMayReplaceReport([this] { return mayReplaceReport(); });
    // Their runs take the report's place as "Calcular" does.
    similarity_->setMayReplaceReport([this] { return mayReplaceReport(); });
    comparison_->setMayReplaceReport([this] { return mayReplaceReport(); });

    // "Gráfico" and the report's items follow whatever shows or hides.
    for (QWidget* w :
         std::initializer_list<QWidget*>{memo1_, grupo1_, editor_->entraNo(), editor_->grpPlan(), similarity_->panel(),
                                         comparison_->panel(), communities_->panel()})
        w->installEventFilter(this);
    updateReportMenus();
    zav::layOutClientArea(client_, clientPanels());
}

zav::ClientPanels TZAVMain::clientPanels() const {
    return {memo1_,
            warnings_,
            grupo1_,
            editor_->entraNo(),
            editor_->grpPlan(),
            {similarity_->panel(), comparison_->panel(), communities_->panel()}};
}

bool TZAVMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent) updateReportMenus();
    return QMainWindow::eventFilter(watched, event);
}

void TZAVMain::updateReportMenus() {
    const bool panelOpen = !grupo1_->isHidden() || !editor_->entraNo()->isHidden() || editor_->gridOpen() ||
                           !similarity_->panel()->isHidden() || !comparison_->panel()->isHidden() ||
                           !communities_->panel()->isHidden();
    topMenus_[Grafico]->setEnabled(reportOpen() && !panelOpen);
    // Each only where it acts: on a report shown.
    for (QAction* a : {printAction_, pdfAction_, salvarAction_, fecharAction_})
        a->setEnabled(reportOpen());
    for (QAction* a : {copyTableAction_, exportTableAction_})
        a->setEnabled(reportOpen() && shown_);
    const bool survey = reportOpen() && shown_ && !shown_->sources.isEmpty();
    diversityOfShown_->setEnabled(survey && std::holds_alternative<zav::SurveyRun>(shown_->run));
    analysisOfShown_->setEnabled(survey && std::holds_alternative<zav::DiversityRun>(shown_->run));
}

void TZAVMain::guarded(const std::function<void()>& handler) { zav::runGuarded(interaction_, handler); }

QString TZAVMain::currentDataFileName() const { return editor_->dataFileName(); }

QString TZAVMain::statusText() const { return statusLabel_->text(); }

void TZAVMain::setStatus(const QString& text) { statusLabel_->setText(text); }

bool TZAVMain::isMenuEnabled(TopMenu menu) const { return topMenus_[menu]->isEnabled(); }

void TZAVMain::setMenuEnabled(TopMenu menu, bool enabled) {
    topMenus_[menu]->setEnabled(enabled);
    // The other analyses of one data file go with "Calcular".
    if (menu == Calcular)
        for (QAction* run : fileRunMenus_)
            run->setEnabled(enabled);
}

void TZAVMain::setAllMenusEnabled(bool enabled) {
    for (const TopMenu m : zav::kSwitchedMenus)
        setMenuEnabled(m, enabled);
}

// Shown or hidden by the runs and "Fechar"; independent of whether the
// window itself is on screen.
bool TZAVMain::reportOpen() const { return !memo1_->isHidden(); }

void TZAVMain::showReport(zav::ReportDocument document) {
    QStringList text;
    text.reserve(static_cast<qsizetype>(document.lines.size()));
    for (const auto& line : document.lines)
        text << zav::fromCp1252(line);
    computedLines_ = document.lines;
    // The names where the file has them, under the report (as in the PDF);
    // never part of what is saved or printed as the report.
    namesShown_.clear();
    if (const auto names = zav::speciesNameLines(document); !names.empty()) {
        namesShown_ = {std::string(), std::string()};
        text << QString() << QString();
        for (const QString& line : names) {
            namesShown_.push_back(zav::toCp1252(line));
            text << line;
        }
    }
    savedOnce_ = false;
    // A chart of the report replaced would no longer match what is shown.
    if (chartWindow_) chartWindow_->close();
    QStringList warnings;
    for (const auto& warning : document.warnings)
        warnings << zav::interfaceMessage(warning);
    shown_ = std::move(document);
    memo1_->setPlainText(text.join(QLatin1Char('\n')));
    memo1_->show();
    warnings_->setText(warnings.join(QLatin1Char('\n')));
    warnings_->setToolTip(warnings_->text());
    warnings_->setVisible(!warnings.isEmpty());
    updateTitle();
    updateReportMenus(); // also when a report takes the place of another
}

// "ZAVIRO - Análise Faunística - dados.txt" (the first treatment's file for
// a similarity report) while a report is shown.
void TZAVMain::updateTitle() {
    const bool named = shown_ && reportOpen();
    setWindowTitle(named ? title() + QStringLiteral(" - ") + QFileInfo(shown_->sources.value(0)).fileName() +
                               QStringLiteral("[*]")
                         : title());
    setWindowModified(named && memo1_->document()->isModified());
}

namespace {

// Block by block: toPlainText() would turn a no-break space of the report
// into a plain one.
std::vector<std::string> viewLines(const QPlainTextEdit& view) {
    std::vector<std::string> lines;
    for (auto block = view.document()->begin(); block.isValid(); block = block.next())
        lines.push_back(zav::toCp1252(block.text()));
    return lines;
}

} // namespace

// The report as the view holds it, less the names shown under it when they
// are there as shown.
std::vector<std::string> TZAVMain::reportViewLines() const {
    auto lines = viewLines(*memo1_);
    if (!namesShown_.empty() && lines.size() >= namesShown_.size() &&
        std::equal(namesShown_.begin(), namesShown_.end(),
                   lines.end() - static_cast<std::ptrdiff_t>(namesShown_.size())))
        lines.resize(lines.size() - namesShown_.size());
    return lines;
}

const zav::ReportDocument& TZAVMain::shownDocument() {
    if (!shown_ || !reportOpen()) throw zav::Error("Erro: nenhum relatório aberto");
    shown_->lines = reportViewLines();
    shown_->edited = shown_->lines != computedLines_;
    return *shown_;
}

namespace {

// " - Aviso: linha 3: ... (e mais 2 avisos)" after a run's status, or
// nothing when its data file has no warnings.
QString warningsStatus(const std::vector<std::string>& warnings) {
    if (warnings.empty()) return {};
    QString status = QStringLiteral(" - ") + zav::interfaceMessage(warnings.front());
    if (warnings.size() > 1)
        status += Zav::tr(" (e mais %1 %2)")
                      .arg(warnings.size() - 1)
                      .arg(warnings.size() == 2 ? Zav::tr("aviso") : Zav::tr("avisos"));
    return status;
}

} // namespace

void TZAVMain::MnuGraficoClick() {
    if (!isMenuEnabled(Grafico)) return;
    // One chart window for the report shown: asked again, it comes forward.
    if (!chartWindow_) chartWindow_ = zav::openChartWindow(interaction_, shownDocument(), this);
    chartWindow_->raise();
    chartWindow_->activateWindow();
}

bool TZAVMain::reportUnsaved() const { return reportOpen() && (!savedOnce_ || memo1_->document()->isModified()); }

bool TZAVMain::mayReplaceReport() {
    // A report as computed is made again by the same run: only typing is lost.
    if (!reportOpen() || !memo1_->document()->isModified()) return true;
    return interaction_.confirm(Zav::tr("Substituir o relatório editado sem salvar as alterações?"),
                                Zav::tr("Substituir sem salvar"));
}

void TZAVMain::chooseAndRunFile(zav::RunKind kind) {
    if (!mayReplaceReport()) return;
    auto document =
        zav::chooseAndRun(kind, interaction_, clock_, lastOpenName_, [this](const QString& text) { setStatus(text); });
    if (document) showFileRun(std::move(*document));
}

void TZAVMain::diversityOfShownSurvey() { runOnShownSurvey(diversityOfShown_, zav::RunKind::Diversity); }

void TZAVMain::analysisOfShownSurvey() { runOnShownSurvey(analysisOfShown_, zav::RunKind::Faunistic); }

void TZAVMain::runOnShownSurvey(const QAction* item, zav::RunKind kind) {
    if (!item->isEnabled() || !mayReplaceReport()) return;
    const QString path = shown_->sources.value(0); // a copy: the report it names is replaced
    runFile(kind, path, clock_.now());
}

void TZAVMain::calculateFile(const QString& path) {
    if (!mayReplaceReport()) return;
    dialogs_.remember(path);
    runFile(zav::RunKind::Faunistic, path, clock_.now());
}

void TZAVMain::runFile(zav::RunKind kind, const QString& path, const zav::DateTime& when) {
    lastOpenName_ = path;
    setStatus(zav::runningStatus(kind, path));
    // Everything is computed before the view changes, so a failure leaves
    // no partial report.
    showFileRun(zav::runOnFile(kind, path, when));
}

void TZAVMain::showFileRun(zav::ReportDocument document) {
    const QString path = document.sources.value(0);
    const auto kind = zav::kindOf(document);
    const auto warnings = document.warnings;
    showReport(std::move(document));
    setStatus(zav::doneStatus(kind, path) + warningsStatus(warnings));
    addRecentFile(path);
}

QStringList TZAVMain::recentFiles() const { return zav::settings().value(kRecentKey).toStringList(); }

void TZAVMain::setRecentFiles(const QStringList& files) {
    zav::settings().setValue(kRecentKey, files.mid(0, kMaxRecent));
    showRecentFiles();
}

void TZAVMain::addRecentFile(const QString& path) {
    QStringList files = recentFiles();
    const QString absolute = QFileInfo(path).absoluteFilePath();
    files.removeAll(absolute);
    files.prepend(absolute);
    setRecentFiles(files);
}

void TZAVMain::showRecentFiles() {
    recentMenu_->clear();
    const QStringList files = recentFiles();
    for (int i = 0; i < files.size(); ++i) {
        QAction* a = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(files[i]));
        const QString path = files[i];
        connectItem(a, Arquivo, [this, path] { openRecentFile(path); });
    }
    recentMenu_->setEnabled(!files.isEmpty());
}

void TZAVMain::openRecentFile(const QString& path) {
    if (!isMenuEnabled(Calcular)) return;
    if (!QFileInfo(path).isFile()) {
        QStringList files = recentFiles();
        files.removeAll(path);
        setRecentFiles(files);
        interaction_.error(Zav::tr("Erro: o arquivo não existe mais e sai da lista: ") + path);
        return;
    }
    calculateFile(path);
}

void TZAVMain::dragEnterEvent(QDragEnterEvent* event) {
    const auto urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.first().isLocalFile() && isMenuEnabled(Calcular)) event->acceptProposedAction();
}

void TZAVMain::dropEvent(QDropEvent* event) {
    const QString path = event->mimeData()->urls().value(0).toLocalFile();
    event->acceptProposedAction();
    guarded([this, path] { calculateFile(path); });
}

namespace {

// "dados.txt" gives "dados-relatorio.txt" (or "-diversidade.txt", or
// "-similaridade.txt" or "-comparacao.txt" after the first treatment), in
// the same folder.
QString reportFileName(const zav::ReportDocument& document) {
    const QString suffix = zav::reportSuffix(document);
    const QFileInfo info(document.sources.value(0));
    const QString extension = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    return info.dir().filePath(info.completeBaseName() + suffix + extension);
}

// The same file, also through another name or a link.
bool sameFile(const QString& a, const QString& b) {
    const QFileInfo x(a), y(b);
    if (x.exists() && y.exists()) return x.canonicalFilePath() == y.canonicalFilePath();
    return x.absoluteFilePath() == y.absoluteFilePath();
}

} // namespace

// A report never takes the place of the survey it came from: the reason,
// or empty.
QString TZAVMain::reportTargetRefusal(const QString& target, const QString& what) const {
    QStringList inputs = shown_ ? shown_->sources : QStringList();
    if (!currentDataFileName().isEmpty()) inputs << currentDataFileName();
    for (const QString& source : inputs)
        if (sameFile(target, source))
            return Zav::tr("Erro: ") + what + Zav::tr(" não pode substituir o arquivo de dados: ") + target;
    return {};
}

void TZAVMain::MnuSalvarClick() {
    if (!reportOpen()) return;
    // Refused inside the dialog, before it asks about replacing the file.
    const auto chosen =
        interaction_.saveFile({Zav::tr("Salvar arquivo"), Zav::tr("Arquivos de texto (*.txt);;Todos os arquivos (*)"),
                               QStringLiteral("txt"), QString(), shown_ ? reportFileName(*shown_) : QString(),
                               [this](const QString& target) { return reportTargetRefusal(target); }});
    // The view is editable until the first save, also a cancelled one.
    memo1_->setReadOnly(true);
    if (!chosen || chosen->isEmpty()) return;
    if (const QString refusal = reportTargetRefusal(*chosen); !refusal.isEmpty())
        throw zav::Error(refusal.toStdString());
    zav::saveFileAtomically(*chosen, zav::joinReportLines(reportViewLines()));
    memo1_->document()->setModified(false);
    savedOnce_ = true;
    setStatus(Zav::tr("Relatório gravado em ") + *chosen);
}

void TZAVMain::MnuFecharClick() {
    if (!reportOpen()) return;
    const bool unsaved = reportUnsaved();
    if (!interaction_.confirm(unsaved ? Zav::tr("Fechar o relatório sem salvar?") : Zav::tr("Fechar o relatório?"),
                              unsaved ? Zav::tr("Fechar sem salvar") : Zav::tr("Fechar")))
        return;
    memo1_->hide();
    memo1_->clear();
    warnings_->hide();
    shown_.reset();
    computedLines_.clear();
    if (chartWindow_) chartWindow_->close(); // its report is gone
    updateTitle();
    setStatus(QString());
}

void TZAVMain::MnuSairClick() { close(); }

void TZAVMain::closeEvent(QCloseEvent* event) {
    bool close = !editor_->gridOpen();
    if (!close)
        guarded(
            [&] { close = interaction_.confirm(Zav::tr("Sair sem salvar a planilha?"), Zav::tr("Sair sem salvar")); });
    if (close)
        event->accept();
    else
        event->ignore();
}

void TZAVMain::MnuZAVClick() {
    for (const TopMenu m : zav::kSwitchedMenus)
        menusBeforeHelp_[m] = topMenus_[m]->isEnabled();
    setAllMenusEnabled(false);
    if (auto* memo2 = grupo1_->findChild<QPlainTextEdit*>("Memo2"); memo2->document()->isEmpty())
        memo2->setPlainText(zav::helpText(zav::interfaceLanguage()));
    grupo1_->show();
    grupo1_->raise();
    btnOkAjuda_->setFocus();
}

void TZAVMain::BtnOKAjudaClick() {
    grupo1_->hide();
    // The menus as the panel found them: an open grid or entry panel keeps
    // its menus off.
    for (const TopMenu m : zav::kSwitchedMenus)
        setMenuEnabled(m, menusBeforeHelp_[m]);
}

void TZAVMain::MnuSobreClick() {
    if (!janSobre_) janSobre_ = new zav::TJanSobre(this); // made when first asked for
    janSobre_->show();
    janSobre_->raise();
    janSobre_->activateWindow();
}
