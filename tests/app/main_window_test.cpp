// The real main window driven through its actions and buttons, with a
// scripted user and a fixed clock.

#include "app/ZavNovo.h"
#include "app/app_icon.h"
#include "app/help_text.h"
#include "app/sobrezav.h"
#include "communities/communities_report.h"
#include "comparison/comparison_report.h"
#include "data/report_text.h"
#include "qtsupport/qt_interaction.h"
#include "runs/run_kinds.h"
#include "support/file_size_limit.h"
#include "support/files.h"
#include "support/scripted_interaction.h"
#include "support/window_test.h"
#include "zaviro_version.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

#include <sys/stat.h>
#include <unistd.h>

#include <memory>

using zav::test::readAll;

class MainWindowTest : public zav::test::WindowTest {
    Q_OBJECT

  private:
    QPlainTextEdit* memo1() { return window->findChild<QPlainTextEdit*>("Memo1"); }
    QString exampleFile() { return dataFile("dez-especies.txt", readAll(ZAV_GOLDEN_DIR "/dez-especies.txt")); }

    // A successful "Calcular" of the ten-species example.
    void openReport() {
        user->expectOpen(exampleFile());
        trigger("MnuCalcular");
        QVERIFY(!memo1()->isHidden());
    }

    // The program run to its end as from a text console.
    static void runWithoutDisplay(QProcess& program, const QStringList& arguments) {
        auto env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            env.remove(name);
        program.setProcessEnvironment(env);
        program.start(ZAV_PROGRAM, arguments);
        QVERIFY(program.waitForFinished(5000));
    }

  private slots:
    void init() { createWindow(); }

    void cleanup() {
        const auto problems = user->problems();
        window.reset();
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join("\n")));
    }

    void startsIdleWithItsComponentsNamed() {
        QCOMPARE(window->windowTitle(), QStringLiteral("ZAVIRO - Análise Faunística"));
        for (const char* name : {"MnuNovo", "MnuAbrir", "MnuSalvar", "MnuFechar", "MnuSair", "MnuCalcular",
                                 "MnuSimilar", "MnuZAV", "MnuSobre"})
            QVERIFY2(window->findChild<QAction*>(name), name);
        for (const char* name : {"Memo1", "Grupo1", "GrpPlan", "EntraNo", "EntraCol"}) {
            auto* w = window->findChild<QWidget*>(name);
            QVERIFY2(w, name);
            QVERIFY2(w->isHidden(), name);
        }
        QCOMPARE(window->statusText(), QString());
        QVERIFY(!memo1()->isReadOnly());
        checkMenus(true, true, true, true);
    }

    void calcularShowsTheReportAndSavingWritesItsBytes() {
        const QString data = exampleFile();
        user->expectOpen(data);
        trigger("MnuCalcular");

        QCOMPARE(user->requests.size(), 1);
        const auto& r = user->requests[0];
        QCOMPARE(r.title, QStringLiteral("Selecione o arquivo"));
        QCOMPARE(r.filter, QStringLiteral("Arquivos de dados (*.txt);;Todos os arquivos (*)"));
        QVERIFY(r.hiddenUnderFirstFilter.contains("*-relatorio.txt"));
        QCOMPARE(r.defaultSuffix, QStringLiteral("txt"));
        QCOMPARE(r.directory, QDir::currentPath());
        QCOMPARE(user->clockReads, 1);
        QVERIFY(!memo1()->isHidden());
        QCOMPARE(window->statusText(), "Cálculo do arquivo: " + data + " finalizado");

        const QString saved = path("relatorio.txt");
        user->expectSave(saved);
        trigger("MnuSalvar");
        QByteArray expected = readAll(ZAV_GOLDEN_DIR "/dez-especies.relatorio");
        expected.replace(QByteArray("C:\\Dados\\Levantamento \xC1rea 1\\dez-especies.txt"), data.toUtf8());
        QCOMPARE(readAll(saved), expected);
        QVERIFY(memo1()->isReadOnly());
        QCOMPARE(window->statusText(), "Relatório gravado em " + saved);
        QVERIFY(!memo1()->isHidden()); // saving leaves the report open
    }

    // Counts no survey can have: the report is the one the file gives, the
    // warnings are under it (never in what is saved) and in the status line.
    void calcularWarnsOfImpossibleCountsUnderTheReport() {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        const QString data = dataFile("impossivel.txt", "3 12\r\n30 15\r\n3 4\r\n7 3\r\n");
        user->expectOpen(data);
        trigger("MnuCalcular");
        QVERIFY(!memo1()->isHidden());
        const auto* warnings = window->findChild<QLabel*>("LblAvisos");
        QVERIFY(warnings && !warnings->isHidden());
        QVERIFY(warnings->text().startsWith(QStringLiteral("Aviso: linha 2: 15 coletas num levantamento de 12")));
        QVERIFY(warnings->text().contains(QStringLiteral("\nAviso: linha 3: 3 indivíduos em 4 coletas")));
        QVERIFY(warnings->geometry().top() >= memo1()->geometry().bottom());
        QVERIFY2(window->statusText().endsWith(QStringLiteral(" finalizado - Aviso: linha 2: 15 coletas num "
                                                              "levantamento de 12 coletas; uma espécie não é coletada "
                                                              "em mais coletas do que o levantamento tem (e mais 1 "
                                                              "aviso)")),
                 qPrintable(window->statusText()));
        QVERIFY(!memo1()->toPlainText().contains(QStringLiteral("Aviso")));
        user->expectConfirm(QString(), true);
        trigger("MnuFechar");
        QVERIFY(warnings->isHidden());
    }

    // A run takes the place of the report shown; only typing not saved is
    // asked about, and kept when the user cancels.
    void calcularReplacesTheShownReport() {
        openReport();
        const QString other = dataFile("outro.txt", readAll(ZAV_GOLDEN_DIR "/dez-especies.txt"));
        user->expectOpen(other);
        trigger("MnuCalcular");
        QCOMPARE(window->statusText(), "Cálculo do arquivo: " + other + " finalizado");
        QCOMPARE(window->windowTitle(), QStringLiteral("ZAVIRO - Análise Faunística - outro.txt[*]"));
        QVERIFY(memo1()->toPlainText().contains(other));

        QTest::keyClicks(memo1(), "nota");
        const QString typed = memo1()->toPlainText();
        user->expectConfirm("Substituir o relatório editado sem salvar as alterações?", false, "Substituir sem salvar");
        trigger("MnuCalcular"); // no dialog: the user kept the report
        user->expectConfirm("Substituir o relatório editado sem salvar as alterações?", false);
        window->calculateFile(other);
        QCOMPARE(memo1()->toPlainText(), typed);
        // Saved, the typing is on file: nothing more to ask.
        user->expectSave(path("com-nota.txt"));
        trigger("MnuSalvar");
        user->expectOpen(exampleFile());
        trigger("MnuCalcular");
        QVERIFY(!memo1()->toPlainText().contains("nota"));
        QVERIFY(!memo1()->toPlainText().contains(other));
    }

    // Diversity and the faunistic analysis of the survey shown, each from
    // the other's report, without choosing the file again; the file is read
    // afresh.
    void theOtherReportOfTheShownSurvey() {
        auto enabled = [&](const char* name) { return window->findChild<QAction*>(name)->isEnabled(); };
        QVERIFY(!enabled("MnuDiversidadeDeste") && !enabled("MnuAnaliseDeste"));
        const QString data = dataFile("girdled.txt", readAll(ZAV_DIVERSITY_GOLDEN_DIR "/girdled.txt"));
        user->expectOpen(data);
        trigger("MnuCalcular");
        QVERIFY(enabled("MnuDiversidadeDeste") && !enabled("MnuAnaliseDeste"));
        const QString faunistic = memo1()->toPlainText();
        trigger("MnuAnaliseDeste"); // off: nothing happens
        QCOMPARE(memo1()->toPlainText(), faunistic);

        trigger("MnuDiversidadeDeste");
        QCOMPARE(window->statusText(), "Diversidade do arquivo: " + data + " finalizada");
        QVERIFY(!enabled("MnuDiversidadeDeste") && enabled("MnuAnaliseDeste"));

        trigger("MnuAnaliseDeste");
        QCOMPARE(memo1()->toPlainText(), faunistic);
        QCOMPARE(user->requests.size(), 1); // one dialog in all
        QCOMPARE(window->recentFiles(), QStringList{data});
        trigger("MnuDiversidadeDeste");
        user->expectSave(path("salvo.txt"));
        trigger("MnuSalvar");
        const auto run = zav::runDiversity(data.toStdString(), user->time);
        QCOMPARE(readAll(path("salvo.txt")), QByteArray::fromStdString(zav::outputOf(run, zav::RunOutput::Report)));

        // A similarity report is no survey.
        for (const char* f : {"t1.txt", "t2.txt", "t3.txt"})
            user->expectOpen(treatment(f));
        startSimilarity("3");
        QVERIFY(!enabled("MnuDiversidadeDeste") && !enabled("MnuAnaliseDeste"));
    }

    void calcularCancelledChangesNothing() {
        user->expectOpen(std::nullopt);
        trigger("MnuCalcular");
        user->expectOpen(QString());
        trigger("MnuCalcular");
        QVERIFY(memo1()->isHidden());
        QCOMPARE(window->statusText(), QString());
        QCOMPARE(user->clockReads, 2); // read when the dialog closes, also when cancelled
    }

    void calcularFailuresShowTheirMessageAndNoReport_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        const QString load = QStringLiteral("Error: Verifique o arquivo de dados!\n");
        QTest::newRow("field that does not convert")
            << QByteArray("2 10\r\n5 x\r\n1 1\r\n") << load + "Linha 2: \"x\" não é um número inteiro";
        QTest::newRow("missing line") << QByteArray("3 10\r\n5 1\r\n1 1\r\n")
                                      << load + "O cabeçalho anuncia 3 linhas de espécies; o arquivo tem 2";
        QTest::newRow("empty file") << QByteArray() << load + "O arquivo está vazio";
        QTest::newRow("no species") << QByteArray("2 10\r\n0 0\r\n0 0\r\n")
                                    << "Erro: são necessárias pelo menos 2 espécies com indivíduos";
        QTest::newRow("one species") << QByteArray("1 10\r\n5 3\r\n")
                                     << "Erro: são necessárias pelo menos 2 espécies com indivíduos";
        QTest::newRow("no collections") << QByteArray("2 0\r\n5 1\r\n1 1\r\n")
                                        << "Erro: o total de coletas não pode ser 0";
        QTest::newRow("negative counts") << QByteArray("2 5\r\n3 1\r\n-2 1\r\n")
                                         << "Erro: os dados não permitem o cálculo\n"
                                            "Linha 3: número de indivíduos negativo: -2";
        QTest::newRow("spreadsheet") << QByteArray("especie,individuos,coletas\r\nA,3,1\r\n")
                                     << load + "Linha 1: o arquivo parece uma planilha; use Arquivo > Importar "
                                               "planilha... (ou zaviro-relatorio --importar)";
    }

    void calcularFailuresShowTheirMessageAndNoReport() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        const QString data = dataFile("dados.txt", bytes);
        user->expectOpen(data);
        user->expectError(message);
        trigger("MnuCalcular");
        QVERIFY(memo1()->isHidden());
        QCOMPARE(window->statusText(), "Calculando o arquivo: " + data);
        // The view is still free for the next run.
        openReport();
    }

    void calcularOfAFileThatCannotBeOpened() {
        const QString missing = path("nao-existe.txt");
        user->expectOpen(missing);
        user->expectError("Erro: não foi possível abrir o arquivo: " + missing);
        trigger("MnuCalcular");
        user->expectOpen(dir->path());
        user->expectError("Erro: não foi possível abrir o arquivo: " + dir->path());
        trigger("MnuCalcular");
        QVERIFY(memo1()->isHidden());
    }

    // Each item of a report, and its key, only while a report is shown.
    void theReportsItemsActOnlyOnAReport() {
        const char* items[] = {"MnuSalvar", "MnuFechar", "MnuImprimir", "MnuExportarPdf"};
        for (const char* name : items)
            QVERIFY2(!window->findChild<QAction*>(name)->isEnabled(), name);
        QTest::keySequence(window.get(), QKeySequence(Qt::CTRL | Qt::Key_S)); // asks nothing
        openReport();
        for (const char* name : items)
            QVERIFY2(window->findChild<QAction*>(name)->isEnabled(), name);
        // Read-only for the rest of the run, also after "Fechar" and a new report.
        user->expectSave(std::nullopt);
        trigger("MnuSalvar");
        user->expectConfirm("Fechar o relatório sem salvar?", true);
        trigger("MnuFechar");
        for (const char* name : items)
            QVERIFY2(!window->findChild<QAction*>(name)->isEnabled(), name);
        openReport();
        QVERIFY(memo1()->isReadOnly());
    }

    // The file shown, with Qt's mark while the report holds unsaved typing;
    // its pages say it was edited.
    void theTitleNamesTheReportAndItsUnsavedEdits() {
        const QString base = QStringLiteral("ZAVIRO - Análise Faunística");
        openReport();
        QCOMPARE(window->windowTitle(), base + " - dez-especies.txt[*]");
        QVERIFY(!window->isWindowModified());
        QTest::keyClicks(memo1(), "x");
        QVERIFY(window->isWindowModified());
        const QString pdf = path("impresso.pdf");
        user->expectPrint(pdf);
        trigger("MnuImprimir");
        QCOMPARE(user->proposedPdf, path("dez-especies.pdf"));
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(30000));
        QVERIFY(text.readAllStandardOutput().startsWith("dez-especies.txt (editado)"));
        user->expectSave(path("nota.txt"));
        trigger("MnuSalvar");
        QVERIFY(!window->isWindowModified());
        user->expectConfirm("Fechar o relatório?", true, "Fechar"); // saved as it is
        trigger("MnuFechar");
        QCOMPARE(window->windowTitle(), base);
    }

    void salvarCancelledStillLocksTheView() {
        openReport();
        const QString status = window->statusText();
        user->expectSave(std::nullopt);
        trigger("MnuSalvar");
        QVERIFY(memo1()->isReadOnly());
        QCOMPARE(window->statusText(), status); // nothing happened
        QCOMPARE(user->requests.last().title, QStringLiteral("Salvar arquivo"));
        QCOMPARE(user->requests.last().fileName, path("dez-especies-relatorio.txt"));
    }

    // Accepting whatever the dialog offers, or pointing it at the survey by
    // another name, never puts the report in the survey's place.
    void aReportIsNeverSavedOverTheSurveyItCameFrom() {
        openReport();
        const QString survey = path("dez-especies.txt");
        const QByteArray bytes = readAll(survey);
        QVERIFY(QFile::link(survey, path("atalho.txt")));
        // Refused inside the dialog, which stays open for another name.
        for (const QString& target : {survey, path("atalho.txt"), path("./dez-especies.txt")}) {
            user->expectSave(target);
            user->expectError("Erro: o relatório não pode substituir o arquivo de dados: " + target);
        }
        user->expectSave(path("outro.txt"));
        trigger("MnuSalvar");
        QCOMPARE(readAll(survey), bytes);
        QCOMPARE(window->statusText(), "Relatório gravado em " + path("outro.txt"));
    }

    // The Part's place when the screen has room, always on the screen, and
    // never so narrow that a report line wraps.
    void theWindowIsOnScreenAndShowsAWholeReportLine() {
        QVERIFY(window->screen()->availableGeometry().contains(window->geometry()));
        openReport();
        window->show();
        window->resize(window->minimumWidth(), window->height());
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        const QFontMetrics metrics(memo1()->font());
        QVERIFY(memo1()->viewport()->width() >=
                metrics.horizontalAdvance(QString(76, QLatin1Char('0'))) + 2 * memo1()->document()->documentMargin());
        QCOMPARE(memo1()->document()->lineCount(), memo1()->document()->blockCount());
    }

    // Whole on every screen, with room for a window manager's frame; the
    // least the report and the grid need where the screen has it; the
    // original place and a useful size on a large screen.
    void theWindowFitsEveryScreen_data() {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QRect>("expected"); // empty: anywhere on the screen
        const QSize wanted(620, 433);
        QTest::newRow("1920x1080") << QRect(0, 0, 1920, 1040) << QRect(331, 150, 800, 560);
        QTest::newRow("1280x900") << QRect(0, 0, 1280, 900) << QRect(331, 150, 800, 560);
        QTest::newRow("1366x768") << QRect(0, 0, 1366, 728) << QRect();
        QTest::newRow("1366x768 at scale 2") << QRect(0, 0, 683, 384) << QRect();
        QTest::newRow("1366x768 at scale 2, panel above") << QRect(0, 18, 683, 366) << QRect();
        QTest::newRow("second screen") << QRect(1920, 0, 683, 384) << QRect();
    }
    void theWindowFitsEveryScreen() {
        QFETCH(QRect, available);
        QFETCH(QRect, expected);
        const QSize wanted(620, 433);
        const auto placement = zav::placeWindow(available, wanted);
        QVERIFY(available.adjusted(8, 40, -8, -8).contains(placement.geometry));
        QVERIFY(placement.geometry.width() >= placement.minimum.width());
        QVERIFY(placement.geometry.height() >= placement.minimum.height());
        if (available.width() >= 800) QCOMPARE(placement.minimum, wanted);
        if (!expected.isEmpty()) QCOMPARE(placement.geometry, expected);
    }

    // Size and maximised state, as the researcher left them.
    void theWindowKeepsItsSizeAndMaximisedState() {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->resize(window->minimumSize() + QSize(40, 30));
        const QSize size = window->size();
        window.reset();
        window = std::make_unique<TZAVMain>(*user, *user);
        QCOMPARE(window->size(), size);
        window->showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window.reset();
        window = std::make_unique<TZAVMain>(*user, *user);
        QVERIFY(window->windowState().testFlag(Qt::WindowMaximized));
        window->show();
        QVERIFY(window->isMaximized());
    }

    // A no-break space and the other characters of Windows-1252 keep their
    // bytes, in the file's path and in what the user typed; what the code
    // page cannot hold becomes "?".
    void salvarKeepsEveryCharacterOfThePathAndOfWhatTheUserTyped() {
        const QString data = dataFile(QStringLiteral("dez\u00A0esp\u00E9cies \u00AB1\u00BB.txt"),
                                      readAll(ZAV_GOLDEN_DIR "/dez-especies.txt"));
        user->expectOpen(data);
        trigger("MnuCalcular");
        memo1()->moveCursor(QTextCursor::Start);
        for (const QChar c : QStringLiteral("Nota:\u00A0\u00E1rea \u00B1 \u00E7 \u2192 "))
            QTest::sendKeyEvent(QTest::Click, memo1(), Qt::Key_unknown, QString(c), Qt::NoModifier);
        const QString saved = path("com-nota.txt");
        user->expectSave(saved);
        trigger("MnuSalvar");
        QByteArray expected = readAll(ZAV_GOLDEN_DIR "/dez-especies.relatorio");
        // Latin-1 and Windows-1252 agree on every character of the name.
        expected.replace(QByteArray("C:\\Dados\\Levantamento \xC1rea 1\\dez-especies.txt"), data.toLatin1());
        QCOMPARE(readAll(saved), "Nota:\xA0\xE1rea \xB1 \xE7 ? " + expected);
    }

    void aFailedSaveLeavesTheOldFileIntact() {
        openReport();
        const QString target = path("antigo.txt");
        const QByteArray old("conteudo anterior\r\n");
        QVERIFY(zav::test::writeFile(target, old));
        user->expectSave(target);
        user->expectError("Erro: não foi possível gravar o arquivo: " + target + ": Arquivo muito grande");
        {
            zav::test::FileSizeLimit limit(64); // the report is far longer
            trigger("MnuSalvar");
        }
        QCOMPARE(readAll(target), old);
        QVERIFY(!memo1()->isHidden());

        const QString folder = path("pasta.txt");
        QVERIFY(QDir().mkdir(folder));
        user->expectSave(folder);
        user->expectError("Erro: não foi possível gravar o arquivo: " + folder + ": É um diretório");
        trigger("MnuSalvar");
        QVERIFY(QFileInfo(folder).isDir());

        const QString nowhere = path("sem-pasta/relatorio.txt");
        user->expectSave(nowhere);
        user->expectError("Erro: não foi possível gravar o arquivo: " + nowhere + ": Arquivo ou diretório inexistente");
        trigger("MnuSalvar");
        QVERIFY(!QFile::exists(nowhere));

        // A read-only file stays as it is, root's run too; one that is not
        // keeps its mode.
        QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        user->expectSave(target);
        user->expectError("Erro: não foi possível gravar o arquivo: " + target + ": Permissão negada");
        trigger("MnuSalvar");
        QCOMPARE(readAll(target), old);
        QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner));
        user->expectSave(target);
        trigger("MnuSalvar");
        struct stat mode {};
        QVERIFY(::stat(target.toLocal8Bit().constData(), &mode) == 0);
        QCOMPARE(mode.st_mode & 0777, 0600u);
        QVERIFY(readAll(target).startsWith("AN"));

        // A link the user chose is written through; one planted by another
        // user in a shared sticky folder is refused (root's run too).
        const QString shared = path("compartilhada");
        QVERIFY(QDir().mkdir(shared));
        QVERIFY(::chmod(shared.toLocal8Bit().constData(), 01777) == 0);
        const QString planted = shared + "/relatorio.txt";
        QVERIFY(QFile::link(target, planted));
        QVERIFY(::lchown(planted.toLocal8Bit().constData(), ::geteuid() + 1, ::getegid()) == 0);
        user->expectSave(planted);
        user->expectError("Erro: não foi possível gravar o arquivo: " + planted +
                          ": o link simbólico pertence a outro usuário, numa pasta compartilhada; escolha outro nome");
        const QByteArray before = readAll(target);
        trigger("MnuSalvar");
        QCOMPARE(readAll(target), before);
        QVERIFY(QFileInfo(planted).isSymLink());
        const QString own = path("meu-link.txt");
        QVERIFY(QFile::link(target, own));
        QVERIFY(QFile::remove(target) && zav::test::writeFile(target, old));
        user->expectSave(own);
        trigger("MnuSalvar");
        QVERIFY(QFileInfo(own).isSymLink());
        QVERIFY(readAll(target).startsWith("AN"));
    }

    void fecharAsksAndClosesOnlyOnYes() {
        openReport();
        const QString text = memo1()->toPlainText();
        const QString status = window->statusText();
        user->expectConfirm("Fechar o relatório sem salvar?", false, "Fechar sem salvar");
        trigger("MnuFechar");
        QVERIFY(!memo1()->isHidden());
        QCOMPARE(memo1()->toPlainText(), text);
        QCOMPARE(window->statusText(), status);

        user->expectConfirm("Fechar o relatório sem salvar?", true);
        trigger("MnuFechar");
        QVERIFY(memo1()->isHidden());
        QCOMPARE(memo1()->toPlainText(), QString());
        QCOMPARE(window->statusText(), QString());

        trigger("MnuFechar"); // nothing open: no question
    }

    void helpPanelDisablesEveryMenuUntilOk() {
        trigger("MnuZAV");
        auto* panel = window->findChild<QGroupBox*>("Grupo1");
        QVERIFY(!panel->isHidden());
        checkMenus(false, false, false, false);
        auto* memo2 = window->findChild<QPlainTextEdit*>("Memo2");
        QVERIFY(memo2->isReadOnly());
        QCOMPARE(memo2->toPlainText(), zav::helpText());
        QVERIFY(zav::helpText().startsWith("ZAVIRO - ANÁLISE FAUNÍSTICA\n====="));
        QVERIFY(zav::helpText().contains("\tND - não dominante\n"));
        QVERIFY(zav::helpText().contains("  Os dados da 2a linha em diante contêm os valores de 2 \n"));
        // Today's spelling, and the menus' names as the menus show them.
        for (const char* old : {"Freqü", "freqü", "Constancia", "Indice", "individuos", "Faunistica"})
            QVERIFY2(!zav::helpText().contains(QString::fromUtf8(old)), old);
        for (const char* item : {"MnuSimilar", "MnuComparacao", "MnuSalvar", "MnuImprimir", "MnuExportarPdf",
                                 "MnuImportar", "MnuDiversidadeDeste", "MnuAnaliseDeste", "MnuCopiarTabela"}) {
            const QString caption = window->findChild<QAction*>(item)->text().remove('&').remove("...");
            QVERIFY2(zav::helpText().simplified().contains(caption), qPrintable(caption));
        }
        for (const char* section : {"\nAUTORES\n", "\n   Instituições\n", "\nREFERÊNCIA\n", "KATO, M.",
                                    "SHANNON, C. E.", "MARGALEF, R.", "SØRENSEN, T."})
            QVERIFY2(zav::helpText().contains(QString::fromUtf8(section)), section);
        // The panel, its text and its button follow the window's size.
        window->show();
        for (const int grow : {0, 300}) {
            window->resize(window->minimumSize() + QSize(grow, grow));
            QCoreApplication::processEvents();
            const QRect client = window->centralWidget()->rect();
            QVERIFY(client.contains(panel->geometry()));
            QVERIFY(panel->width() >= client.width() - 40);
            QVERIFY(memo2->geometry().bottom() < window->findChild<QPushButton*>("BtnOKAjuda")->geometry().top());
            QVERIFY(panel->rect().contains(window->findChild<QPushButton*>("BtnOKAjuda")->geometry()));
        }

        click("BtnOKAjuda");
        QVERIFY(panel->isHidden());
        checkMenus(true, true, true, true);
        trigger("MnuZAV"); // usable again
        QVERIFY(!panel->isHidden());
    }

    void aboutDialogIsOneNonModalWindow() {
        trigger("MnuSobre");
        trigger("MnuSobre");
        const auto dialogs = window->findChildren<zav::TJanSobre*>();
        QCOMPARE(dialogs.size(), 1);
        QVERIFY(dialogs[0]->isVisible());
        QVERIFY(!dialogs[0]->isModal());
        QCOMPARE(dialogs[0]->windowTitle(), QStringLiteral("Sobre ..."));
        QCOMPARE(dialogs[0]->findChild<QLabel*>("Version")->text(), QStringLiteral("Versão 1.0.0"));
        QCOMPARE(dialogs[0]->findChild<QLabel*>("ProgramIcon")->pixmap().size(), QSize(32, 32));
        QCOMPARE(dialogs[0]->findChild<QLabel*>("Licenca")->text(),
                 QStringLiteral("Licença: GPL-3.0-or-later (software livre)"));
        QCOMPARE(dialogs[0]->findChild<QLabel*>("Citacao")->text(),
                 QStringLiteral("Equipe ZAVIRO. ZAVIRO - Análise Faunística, versão %1. Programa de computador, "
                                "GPL-3.0-or-later.")
                     .arg(zav::kVersion));
        // The repository's citation file names the same program and version.
        const QString cff = QString::fromUtf8(readAll(ZAV_SOURCE_DIR "/CITATION.cff"));
        QVERIFY(cff.contains(QStringLiteral("\ntitle: \"ZAVIRO - Análise Faunística\"\n")));
        QVERIFY(cff.contains(QStringLiteral("\nversion: \"%1\"\n").arg(zav::kVersion)));
        QVERIFY(cff.startsWith("cff-version: 1.2.0\n"));
        auto* ok = dialogs[0]->findChild<QPushButton*>("OKButton");
        QVERIFY(ok->isDefault());
        ok->click();
        QVERIFY(!dialogs[0]->isVisible());
        trigger("MnuSobre");
        QVERIFY(dialogs[0]->isVisible());
        dialogs[0]->hide();
    }

    // The real question box: its action named, "Cancelar" the default, so
    // that Enter (as the box says) changes nothing.
    void theRealConfirmationNamesItsActionAndEnterCancels() {
        zav::QtInteraction real;
        for (const bool enter : {true, false}) {
            QString shown;
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QVERIFY(box);
                const QStringList buttons{box->findChild<QPushButton*>("BtnConfirmar")->text(),
                                          box->findChild<QPushButton*>("BtnCancelar")->text()};
                shown = box->text() + " | " + buttons.join(" | ") + " | " + box->defaultButton()->text() + " | " +
                        box->informativeText();
                if (enter)
                    QTest::keyClick(box, Qt::Key_Return);
                else
                    box->findChild<QPushButton*>("BtnConfirmar")->click();
            });
            QCOMPARE(real.confirm("Fechar o relatório sem salvar?", "Fechar sem salvar"), !enter);
            QCOMPARE(shown, QStringLiteral("Fechar o relatório sem salvar? | Fechar sem salvar | Cancelar | Cancelar | "
                                           "Enter: Cancelar (nada muda)."));
        }
    }

    void theDefaultHandlerShowsAnyErrorAndCarriesOn() {
        user->expectError("Erro: algo inesperado");
        window->guarded([] { throw std::runtime_error("algo inesperado"); });
        openReport();
    }

    // --- similarity ---

    QString treatment(const char* name) {
        return dataFile(name, readAll(QStringLiteral(ZAV_SIMILARITY_GOLDEN_DIR "/") + name));
    }

    void startSimilarity(const QString& count) {
        trigger("MnuSimilar");
        window->findChild<QLineEdit*>("nRepet")->setText(count);
        click("btnOkRep");
    }

    void similaridadeAsksForOneFilePerTreatmentAndShowsTheReport() {
        trigger("MnuSimilar");
        auto* panel = window->findChild<QWidget*>("EntraCol");
        QVERIFY(!panel->isHidden());
        QCOMPARE(window->findChild<QLineEdit*>("nRepet")->text(), QStringLiteral("3"));
        QCOMPARE(window->statusText(), QStringLiteral("Análise de Similaridade ..."));
        checkMenus(true, true, true, true);

        const QString t3 = treatment("t3.txt");
        user->expectOpen(treatment("t1.txt"));
        user->expectOpen(treatment("t2.txt"));
        user->expectOpen(t3);
        user->time.second = 3;
        click("btnOkRep");
        QVERIFY(panel->isHidden());
        QCOMPARE(user->requests.size(), 3);
        for (int t = 0; t < 3; ++t)
            QCOMPARE(user->requests[t].title, QStringLiteral("Selecione o arquivo: Tratamento %1 de 3").arg(t + 1));
        QCOMPARE(window->statusText(), QStringLiteral("T1 = t1, T2 = t2, T3 = t3"));

        const QString saved = path("similaridade.txt");
        user->expectSave(saved);
        trigger("MnuSalvar");
        QCOMPARE(user->requests.last().fileName, path("t1-similaridade.txt"));
        QCOMPARE(readAll(saved), readAll(ZAV_SIMILARITY_GOLDEN_DIR "/tres-tratamentos.relatorio"));

        // A similarity report gives way to the next run as any report does.
        user->expectOpen(exampleFile());
        trigger("MnuCalcular");
        QVERIFY(memo1()->toPlainText().startsWith("AN"));
        for (const char* f : {"t1.txt", "t2.txt", "t3.txt"})
            user->expectOpen(treatment(f));
        startSimilarity("3");
        QCOMPARE(window->statusText(), QStringLiteral("T1 = t1, T2 = t2, T3 = t3"));
        user->expectConfirm("Fechar o relatório sem salvar?", true);
        trigger("MnuFechar");
        QVERIFY(memo1()->isHidden());
    }

    void similaridadeValidatesTheNumberOfTreatments_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << ""
                               << "Erro: Não deixe campo em branco";
        QTest::newRow("blanks") << "   "
                                << "Erro: Não deixe campo em branco";
        QTest::newRow("two") << "2"
                             << "Erro: Digite 3 ou mais conjuntos de dados";
        QTest::newRow("negative") << "-5"
                                  << "Erro: Digite 3 ou mais conjuntos de dados";
        QTest::newRow("eleven") << "11"
                                << "Erro: Digite no máximo 10 conjuntos de dados";
        QTest::newRow("huge") << "2147483647"
                              << "Erro: Digite no máximo 10 conjuntos de dados";
        QTest::newRow("letters") << "abc"
                                 << "Erro: valor inválido: abc";
        QTest::newRow("decimal") << "3.5"
                                 << "Erro: valor inválido: 3.5";
        QTest::newRow("trailing space") << "4 "
                                        << "Erro: valor inválido: 4 ";
    }

    void similaridadeValidatesTheNumberOfTreatments() {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        user->expectError(message);
        startSimilarity(typed);
        QVERIFY(!window->findChild<QWidget*>("EntraCol")->isHidden());
        QCOMPARE(window->findChild<QLineEdit*>("nRepet")->text(), typed);
        QVERIFY(memo1()->isHidden());
    }

    void similaridadeAcceptsTenTreatments() {
        for (int i = 0; i < 10; ++i)
            user->expectOpen(treatment("t1.txt"));
        startSimilarity("10");
        QVERIFY(!memo1()->isHidden());
        QVERIFY(memo1()->toPlainText().contains(" T9 x T10        4           4          4           100.00"));
    }

    void similaridadeCancelledDialogEndsTheRun() {
        user->expectOpen(treatment("t1.txt"));
        user->expectOpen(std::nullopt);
        startSimilarity("3");
        QVERIFY(memo1()->isHidden());
    }

    void similaridadeBadFileEndsTheRunWithItsMessage() {
        const QString bad = dataFile("ruim.txt", "3 10\r\n1 1\r\n");
        user->expectOpen(treatment("t1.txt"));
        user->expectOpen(bad);
        user->expectError("Error: Verifique o arquivo de dados!\n" + bad +
                          ": O cabeçalho anuncia 3 linhas de espécies; o arquivo tem 1");
        startSimilarity("3");
        QVERIFY(memo1()->isHidden());
        QCOMPARE(window->statusText(), "Selecionando o arquivo: " + bad);

        const QString missing = path("nada.txt");
        user->expectOpen(missing);
        user->expectError("Erro: não foi possível abrir o arquivo: " + missing);
        startSimilarity("3");
        QVERIFY(memo1()->isHidden());
    }

    void similaridadeUsesNothingOfAnEarlierRun() {
        for (const char* f : {"t1.txt", "t2.txt", "t3.txt"})
            user->expectOpen(treatment(f));
        startSimilarity("3");
        // Typing not saved is asked about before any file.
        QTest::keyClicks(memo1(), "x");
        user->expectConfirm("Substituir o relatório editado sem salvar as alterações?", false);
        startSimilarity("3");
        QCOMPARE(user->requests.size(), 3);
        QVERIFY(memo1()->toPlainText().startsWith("x"));
        user->expectConfirm("Fechar o relatório sem salvar?", true);
        trigger("MnuFechar");
        // Shorter files now: the rows they do not reach are absent, not
        // what the earlier run read there.
        for (int i = 0; i < 3; ++i)
            user->expectOpen(treatment("curto.txt"));
        startSimilarity("3");
        QVERIFY(memo1()->toPlainText().contains(" T1 x T2         2           2          2           100.00"));
    }

    // --- diversity and comparison ---

    QString girdled() { return dataFile("girdled.txt", readAll(ZAV_DIVERSITY_GOLDEN_DIR "/girdled.txt")); }

    void diversidadeRunsAsCalcularAndKeepsItsReport() {
        const QString data = girdled();
        user->expectOpen(data);
        trigger("MnuDiversidade");
        QCOMPARE(user->requests.last().title, QStringLiteral("Selecione o arquivo"));
        QCOMPARE(user->clockReads, 1);
        QCOMPARE(window->statusText(), "Diversidade do arquivo: " + data + " finalizada");
        QVERIFY(window->isMenuEnabled(TZAVMain::Grafico));

        user->expectSave(path("salvo.txt"));
        trigger("MnuSalvar");
        QCOMPARE(user->requests.last().fileName, path("girdled-diversidade.txt"));
        const auto run = zav::runDiversity(data.toStdString(), user->time);
        QCOMPARE(readAll(path("salvo.txt")), QByteArray::fromStdString(zav::outputOf(run, zav::RunOutput::Report)));
        user->expectSave(std::nullopt);
        trigger("MnuExportarPdf");
        QCOMPARE(user->requests.last().fileName, path("girdled-diversidade.pdf"));

        // As "Calcular": the next run takes its place.
        user->expectOpen(exampleFile());
        trigger("MnuDiversidade");
        QCOMPARE(window->statusText(), "Diversidade do arquivo: " + path("dez-especies.txt") + " finalizada");
        user->expectConfirm("Fechar o relatório sem salvar?", true);
        trigger("MnuFechar");
        user->expectOpen(std::nullopt);
        trigger("MnuDiversidade");
        QVERIFY(memo1()->isHidden());
        QCOMPARE(user->clockReads, 3); // also when cancelled
    }

    // "Diversidade" is on and off with "Calcular" while panels open and close.
    void diversidadeFollowsCalcular() {
        auto same = [&] {
            QCOMPARE(window->findChild<QAction*>("MnuDiversidade")->isEnabled(),
                     window->isMenuEnabled(TZAVMain::Calcular));
        };
        same();
        QVERIFY(window->findChild<QAction*>("MnuDiversidade")->isEnabled());
        trigger("MnuNovo");
        QVERIFY(!window->isMenuEnabled(TZAVMain::Calcular));
        same();
        click("BtnCancelCriar");
        same();
        trigger("MnuZAV");
        same();
        QVERIFY(!window->findChild<QAction*>("MnuDiversidade")->isEnabled());
        click("BtnOKAjuda");
        same();
        QVERIFY(window->findChild<QAction*>("MnuDiversidade")->isEnabled());
    }

    // "Flutuação" runs a survey kept whole as "Calcular" runs a file, is on
    // and off with it, and refuses a file without its collections.
    void flutuacaoRunsAsCalcularAndFollowsIt() {
        const QString data = dataFile("coletas.txt", readAll(ZAV_DIVERSITY_GOLDEN_DIR "/dez-especies-coletas.txt"));
        user->expectOpen(data);
        trigger("MnuFlutuacao");
        QCOMPARE(window->statusText(), "Flutuação do arquivo: " + data + " finalizada");
        const auto run = zav::runFluctuation(data.toStdString(), 0, user->time);
        QCOMPARE(memo1()->toPlainText().left(31), QStringLiteral("ZAVIRO - FLUTUAÇÃO POPULACIONAL"));
        user->expectSave(path("salvo.txt"));
        trigger("MnuSalvar");
        QCOMPARE(user->requests.last().fileName, path("coletas-flutuacao.txt"));
        QCOMPARE(readAll(path("salvo.txt")), QByteArray::fromStdString(zav::outputOf(run, zav::RunOutput::Report)));

        user->expectOpen(exampleFile());
        user->expectError(QString::fromUtf8(zav::DataFileError(zav::kNoCollectionsMessage).what()));
        trigger("MnuFlutuacao");

        trigger("MnuNovo");
        QVERIFY(!window->findChild<QAction*>("MnuFlutuacao")->isEnabled());
        click("BtnCancelCriar");
        QCOMPARE(window->findChild<QAction*>("MnuFlutuacao")->isEnabled(), window->isMenuEnabled(TZAVMain::Calcular));
    }

    // After the file, "Flutuação" asks the lag (0 proposed); cancelling it
    // leaves the shown report as it was.
    void flutuacaoAsksTheLag() {
        const QString data = dataFile("coletas.txt", readAll(ZAV_DIVERSITY_GOLDEN_DIR "/dez-especies-coletas.txt"));
        user->expectOpen(data);
        user->expectNumber(1);
        trigger("MnuFlutuacao");
        QCOMPARE(user->numberQuestions.last(), QStringLiteral("Flutuação | Defasagem (coletas): 0 [0, 999]"));
        const auto run = zav::runFluctuation(data.toStdString(), 1, user->time);
        user->expectSave(path("defasagem.txt"));
        trigger("MnuSalvar");
        QCOMPARE(readAll(path("defasagem.txt")), QByteArray::fromStdString(zav::outputOf(run, zav::RunOutput::Report)));
        const QString shown = memo1()->toPlainText();
        user->expectOpen(data);
        user->expectNumber(std::nullopt);
        trigger("MnuFlutuacao");
        QCOMPARE(memo1()->toPlainText(), shown);
        QCOMPARE(user->problems(), QStringList());
    }

    void startComparison(const QString& count, int index) {
        trigger("MnuComparacao");
        QVERIFY(!window->findChild<QWidget*>("EntraComp")->isHidden());
        window->findChild<QLineEdit*>("nTratamentos")->setText(count);
        window->findChild<QComboBox*>("cbIndice")->setCurrentIndex(index);
        click("btnOkComp");
    }

    void comparacaoAsksForEachTreatmentAndShowsItsReport() {
        const QStringList files{treatment("t1.txt"), treatment("t2.txt"), treatment("t3.txt")};
        for (const auto& file : files)
            user->expectOpen(file);
        // Named as the researcher calls them: the names go into the report.
        user->expectNames(QStringList{QStringLiteral("Mata ciliar 2023/24"), "t2", QStringLiteral("Área 3")});
        startComparison("3", 1);
        QVERIFY(window->findChild<QWidget*>("EntraComp")->isHidden());
        for (int t = 0; t < 3; ++t)
            QCOMPARE(user->requests[t].title, QStringLiteral("Selecione o arquivo: Tratamento %1 de 3").arg(t + 1));
        QCOMPARE(user->proposedNames, (QList<QStringList>{{"t1", "t2", "t3"}}));
        QCOMPARE(window->statusText(), QStringLiteral("T1 = Mata ciliar 2023/24, T2 = t2, T3 = Área 3"));
        user->expectSave(path("salvo.txt"));
        trigger("MnuSalvar");
        QCOMPARE(user->requests.last().fileName, path("t1-comparacao.txt"));
        std::vector<std::filesystem::path> paths;
        for (const auto& file : files)
            paths.emplace_back(file.toStdString());
        const auto run = zav::runComparison(paths, zav::DendrogramIndex::BrayCurtis, *user);
        QCOMPARE(readAll(path("salvo.txt")), QByteArray::fromStdString(zav::joinReportLines(zav::comparisonReport(
                                                 run.result, {"Mata ciliar 2023/24", "t2", "\xC1rea 3"},
                                                 run.treatments.when, run.treatments.notes))));
        // The next comparison takes the report's place.
        user->expectOpen(files[0]);
        user->expectOpen(files[1]);
        startComparison("2", 0);
        QCOMPARE(window->statusText(), QStringLiteral("T1 = t1, T2 = t2"));
    }

    QString community(const char* name) {
        return dataFile(name, readAll(QStringLiteral(ZAV_SOURCE_DIR "/tests/communities/data/") + name));
    }

    // Each treatment's file with its collections, the index and the
    // permutations as chosen, the names in the report's key, the status
    // line with the collections left out; a file without collections is
    // refused naming it.
    void comunidadesAsksForEachTreatmentAndShowsItsReport() {
        const QStringList files{community("mata.txt"), community("borda.txt"), community("pasto.txt")};
        for (const auto& file : files)
            user->expectOpen(file);
        user->expectNames(QStringList{"Mata", "Borda", "Pasto"});
        trigger("MnuComunidades");
        auto* panel = window->findChild<QWidget*>("EntraComun");
        QVERIFY(!panel->isHidden());
        QCOMPARE(window->findChild<QSpinBox*>("sbPermutacoes")->value(), 999);
        window->findChild<QLineEdit*>("nTratamentosComun")->setText("3");
        window->findChild<QComboBox*>("cbIndiceComun")->setCurrentIndex(1);
        window->findChild<QSpinBox*>("sbPermutacoes")->setValue(99);
        click("btnOkComun");
        QVERIFY(panel->isHidden());
        QCOMPARE(window->statusText(),
                 QStringLiteral("Espécies pareadas pelo nome, não pela linha: 6 espécies nos 3 tratamentos - "
                                "T1 = Mata, T2 = Borda, T3 = Pasto - T2, coleta 2: sem indivíduos, fora da análise"));
        std::vector<std::filesystem::path> paths;
        for (const auto& file : files)
            paths.emplace_back(file.toStdString());
        const auto run = zav::runCommunities(
            paths, zav::CommunityOptions{zav::communities::Dissimilarity::Jaccard, 99, zav::communities::kDefaultSeed},
            *user);
        const zav::communities::CommunityLabels labels{
            {"Mata", "Borda", "Pasto"}, run.treatments.pathsUtf8(), run.treatments.speciesNames, run.treatments.notes};
        user->expectSave(path("salvo.txt"));
        trigger("MnuSalvar");
        QCOMPARE(readAll(path("salvo.txt")),
                 QByteArray::fromStdString(zav::joinReportLines(
                     zav::communities::communitiesReport(run.result, labels, run.treatments.when))));

        user->expectOpen(files[0]);
        user->expectOpen(community("sem-coletas.txt"));
        user->expectError(QStringLiteral("Erro: sem-coletas.txt não tem o bloco [coletas]: as comunidades tomam cada "
                                         "coleta como uma amostra."));
        trigger("MnuComunidades");
        click("btnOkComun");
    }

    void comparacaoValidatesAndWarns_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("one") << "1"
                             << "Erro: Digite 2 ou mais conjuntos de dados";
        QTest::newRow("eleven") << "11"
                                << "Erro: Digite no máximo 10 conjuntos de dados";
        QTest::newRow("empty") << ""
                               << "Erro: Não deixe campo em branco";
        QTest::newRow("letters") << "x"
                                 << "Erro: valor inválido: x";
    }
    void comparacaoValidatesAndWarns() {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        user->expectError(message);
        startComparison(typed, 0);
        QVERIFY(!window->findChild<QWidget*>("EntraComp")->isHidden());
        click("BtnCancelComp");
        // Two treatments with different numbers of species lines: compared,
        // with the warning in the status line and under the report's key.
        user->expectOpen(treatment("t1.txt"));
        user->expectOpen(treatment("curto.txt"));
        startComparison("2", 0);
        QVERIFY(!memo1()->isHidden());
        const QString warning = QStringLiteral(
            "Aviso: os tratamentos têm números diferentes de espécies (5, 2); espécies pareadas pela linha");
        QVERIFY2(window->statusText().startsWith(warning + QStringLiteral(" - T1 = t1")),
                 qPrintable(window->statusText()));
        QVERIFY(memo1()->toPlainText().contains(QStringLiteral("  T2 = curto\n") + warning));
    }

    // The files name the PDF; the names the user gave name the treatments
    // in its key. A cancelled names dialog ends the run.
    void similarityFilesAreProposedUnderT1AndTheNamesGoInTheKey() {
        for (const char* f : {"t1.txt", "t2.txt", "t3.txt"})
            user->expectOpen(treatment(f));
        user->expectNames(std::nullopt);
        startSimilarity("3");
        QVERIFY(memo1()->isHidden());
        for (const char* f : {"t1.txt", "t2.txt", "t3.txt"})
            user->expectOpen(treatment(f));
        user->expectNames(QStringList{QStringLiteral("Mata ciliar 2023/24"), "Pasto", "Cerrado"});
        startSimilarity("3");
        QCOMPARE(window->statusText(), QStringLiteral("T1 = Mata ciliar 2023/24, T2 = Pasto, T3 = Cerrado"));
        const QString pdf = path("t1-similaridade.pdf");
        user->expectSave(pdf);
        trigger("MnuExportarPdf");
        QCOMPARE(QFileInfo(user->requests.last().fileName).fileName(), QStringLiteral("t1-similaridade.pdf"));
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(30000));
        const QString shown = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY2(shown.contains(QStringLiteral("T1 = Mata ciliar 2023/24, T2 = Pasto,")), qPrintable(shown.left(400)));
    }

    void cancelarOnTheTreatmentPanel() {
        trigger("MnuSimilar");
        click("BtnCancelRep");
        QVERIFY(window->findChild<QWidget*>("EntraCol")->isHidden());
        QCOMPARE(window->statusText(), QString());
        checkMenus(true, true, true, true);
    }

    // "Gráfico" is on exactly while a report is shown and nothing covers
    // it; printing and the PDF while a report is shown.
    void graficoFollowsTheReportAndThePanels() {
        auto chartMenu = [&] { return window->isMenuEnabled(TZAVMain::Grafico); };
        auto printing = [&] { return window->findChild<QAction*>("MnuImprimir")->isEnabled(); };
        QVERIFY(!chartMenu() && !printing());
        openReport();
        QVERIFY(chartMenu() && printing());
        trigger("MnuZAV");
        QVERIFY(!chartMenu() && printing());
        click("BtnOKAjuda");
        QVERIFY(chartMenu());
        trigger("MnuSimilar");
        QVERIFY(!chartMenu());
        click("BtnCancelRep");
        QVERIFY(chartMenu());
        trigger("MnuGrafico");
        QTRY_VERIFY([] {
            for (auto* w : QApplication::topLevelWidgets())
                if (w->isVisible() && w->windowTitle() == QStringLiteral("Gráfico - dez-especies.txt")) return true;
            return false;
        }());
        const QString pdf = path("dez-especies.pdf");
        user->expectSave(pdf);
        trigger("MnuExportarPdf");
        QVERIFY(readAll(pdf).startsWith("%PDF"));
        user->expectConfirm("Fechar o relatório sem salvar?", true);
        trigger("MnuFechar");
        QVERIFY(!chartMenu() && !printing());
    }

    // A file named outside the dialogs (command line, drop, recent files) is
    // analysed as "Calcular" would; the last eight stay in the menu, and a
    // file gone since leaves it with a word.
    void recentAndNamedFilesRunCalcular() {
        const QString a = exampleFile();
        const QString b = dataFile("b.txt", readAll(a));
        window->calculateFile(a);
        QVERIFY(!memo1()->isHidden());
        window->calculateFile(b); // in the place of a's report
        QCOMPARE(window->recentFiles(), (QStringList{b, a}));
        auto* recent = window->findChild<QMenu*>("MnuRecentes");
        QCOMPARE(recent->actions().size(), 2);
        user->expectConfirm("Fechar o relatório sem salvar?", true);
        trigger("MnuFechar");
        QVERIFY(QFile::remove(b));
        user->expectError("Erro: o arquivo não existe mais e sai da lista: " + b);
        recent->actions().first()->trigger();
        QVERIFY(memo1()->isHidden());
        recent->actions().first()->trigger(); // now a
        QVERIFY(!memo1()->isHidden());
        QCOMPARE(window->recentFiles(), QStringList{a});
        for (int i = 0; i < 10; ++i) {
            user->expectConfirm("Fechar o relatório sem salvar?", true);
            trigger("MnuFechar");
            window->calculateFile(dataFile(QString("r%1.txt").arg(i), readAll(a)));
        }
        QCOMPARE(window->recentFiles().size(), 8);
        QCOMPARE(window->recentFiles().first(), path("r9.txt"));
        user->expectConfirm("Fechar o relatório sem salvar?", true);
        trigger("MnuFechar");
    }

    // Every dialog starts where the last one ended, in this run and the
    // next; shortcuts do what their menu items do.
    void dialogsStartInTheLastFolderAndShortcutsWork() {
        user->expectOpen(std::nullopt);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(user->requests.last().title, QStringLiteral("Editar arquivo"));
        QCOMPARE(user->requests.last().directory, QDir::currentPath());
        QVERIFY(QDir(dir->path()).mkdir("sub"));
        const QString data = dataFile("sub/d.txt", readAll(ZAV_GOLDEN_DIR "/dez-especies.txt"));
        user->expectOpen(data);
        trigger("MnuCalcular");
        user->expectSave(std::nullopt);
        QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(user->requests.last().directory, path("sub"));
        user->expectConfirm("Fechar o relatório sem salvar?", true);
        QTest::keyClick(window.get(), Qt::Key_W, Qt::ControlModifier);
        QVERIFY(memo1()->isHidden());
        const QRect placed(40, 60, 700, 500);
        window->setGeometry(placed);
        window.reset();
        user = std::make_unique<zav::test::ScriptedInteraction>();
        window = std::make_unique<TZAVMain>(*user, *user);
        QCOMPARE(window->geometry(), placed);
        user->expectOpen(std::nullopt);
        trigger("MnuCalcular");
        QCOMPARE(user->requests.last().directory, path("sub"));
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(window.get(), Qt::Key_F1);
        QVERIFY(!window->findChild<QWidget*>("Grupo1")->isHidden());
    }

    // "zaviro dados.txt" analyses the file as it opens (and so it becomes
    // the first recent file, which the program keeps as it ends).
    void theProgramStartsAndQuitsCleanly() {
        QProcess program;
        auto env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_CONFIG_HOME", dir->path());
        program.setProcessEnvironment(env);
        program.setWorkingDirectory(dir->path());
        exampleFile();
        program.start(ZAV_PROGRAM, QStringList{"dez-especies.txt"});
        QVERIFY(program.waitForStarted(5000));
        QVERIFY(!program.waitForFinished(1500)); // still running: the window is up
        program.terminate();
        QVERIFY(program.waitForFinished(5000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QSettings kept(dir->filePath("zaviro/zaviro.conf"), QSettings::IniFormat);
        QCOMPARE(kept.value("arquivos/recentes").toStringList(), QStringList{path("dez-especies.txt")});
    }

    // The icon is compiled in at every size the desktop's theme gets.
    void theIconIsBuiltIn() {
        const QIcon icon = zav::applicationIcon();
        for (const int size : {16, 32, 48, 64, 128, 256}) {
            const QImage image = icon.pixmap(size, size).toImage();
            QCOMPARE(image.size(), QSize(size, size));
            QVERIFY2(image.pixelColor(size / 2, size - 1 - size / 8).alpha() == 255, qPrintable(QString::number(size)));
        }
    }

    void theVersionNeedsNoDisplay() {
        QProcess program;
        runWithoutDisplay(program, {QStringLiteral("--version")});
        QCOMPARE(program.exitCode(), 0);
        QCOMPARE(program.readAllStandardOutput(), QByteArray("zaviro ") + zav::kVersion + "\n");
        for (const auto& [args, exitCode] : {std::pair{QStringList{"--help"}, 0}, {QStringList{"a.txt", "b.txt"}, 2}}) {
            QProcess other;
            runWithoutDisplay(other, args);
            QCOMPARE(other.exitCode(), exitCode);
            QVERIFY((exitCode ? other.readAllStandardError() : other.readAllStandardOutput()).contains("--grafico"));
        }
    }

    void theProgramSaysSoWhenThereIsNoDisplay() {
        QProcess program;
        runWithoutDisplay(program, {});
        QCOMPARE(program.exitCode(), 1);
        QVERIFY(QString::fromUtf8(program.readAllStandardError()).contains("nenhuma tela gráfica"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
