#pragma once
// A scripted user for window tests: each test says which dialogs and boxes
// it expects, in order, with the answers to give. Anything else is recorded
// as a failure, which the test checks when it ends.

#include "qtsupport/interaction.h"

#include <QList>
#include <QPrinter>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>

namespace zav::test {

class ScriptedInteraction : public Interaction, public Clock {
  public:
    enum class Kind { Open, Save, Information, Error, Confirm, Print, Sheet, Names, Number };

    // A dialog answered with a path, or cancelled (std::nullopt).
    void expectOpen(const std::optional<QString>& answer) { steps_.push_back(fileStep(Kind::Open, answer)); }
    void expectSave(const std::optional<QString>& answer) { steps_.push_back(fileStep(Kind::Save, answer)); }
    void expectInformation(const QString& text) { steps_.push_back({Kind::Information, {}, false, false, text}); }
    void expectError(const QString& text) { steps_.push_back({Kind::Error, {}, false, false, text}); }
    // A question, answered with its action (yes) or "Cancelar"; `action`,
    // when given, is the action's button text the box must show.
    void expectConfirm(const QString& text, bool yes, const QString& action = QString()) {
        steps_.push_back({Kind::Confirm, action, false, yes, text});
    }
    // The print dialog, answered with a PDF file as the printer, or cancelled.
    void expectPrint(const std::optional<QString>& pdfFile) { steps_.push_back(fileStep(Kind::Print, pdfFile)); }

    // The import's dialog, answered with a choice or cancelled.
    void expectSheet(const std::optional<SheetChoice>& choice) {
        steps_.push_back({Kind::Sheet, {}, choice.has_value(), false, {}});
        if (choice) sheetAnswers_.push_back(*choice);
    }

    std::optional<QString> openFile(const FileDialogRequest& r) override {
        requests.append(r);
        return answer(next(Kind::Open, "open dialog \"" + r.title + "\""));
    }
    // A path the request refuses is answered with its error, as the dialog
    // shows it, and the dialog stays: the next expected save answers it.
    std::optional<QString> saveFile(const FileDialogRequest& r) override {
        requests.append(r);
        if (duringDialog) duringDialog();
        for (;;) {
            auto chosen = answer(next(Kind::Save, "save dialog \"" + r.title + "\""));
            const QString reason = chosen && r.refuse ? r.refuse(*chosen) : QString();
            if (reason.isEmpty()) return chosen;
            error(reason);
        }
    }
    void information(const QString& text) override { checkText(next(Kind::Information, "information: " + text), text); }
    void error(const QString& text) override { checkText(next(Kind::Error, "error: " + text), text); }
    bool confirm(const QString& text, const QString& action) override {
        const auto step = next(Kind::Confirm, "confirmation: " + text);
        checkText(step, text);
        confirmActions << action;
        // Every question names its action, never a bare "Sim"/"OK".
        if (action.isEmpty() || action == QStringLiteral("Sim") || action == QStringLiteral("OK"))
            failures << "confirmation without its action: " + text;
        if (!step.path.isNull() && step.path != action)
            failures << "expected the action \"" + step.path + "\" but was \"" + action + "\"";
        return step.yes;
    }

    bool choosePrinter(QPrinter& printer, const QString& pdfFile) override {
        proposedPdf = pdfFile;
        const auto chosen = answer(next(Kind::Print, "print dialog"));
        if (!chosen) return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(*chosen);
        return true;
    }

    // The treatments' names: the answer of an expected step; without one,
    // the names proposed are taken as they are (as Enter would).
    void expectNames(const std::optional<QStringList>& names) {
        steps_.push_back({Kind::Names, {}, names.has_value(), false, {}});
        if (names) namesAnswers_.push_back(*names);
    }
    std::optional<QStringList> nameTreatments(const QStringList& files, const QStringList& proposed) override {
        proposedNames << proposed;
        (void)files;
        if (steps_.empty() || steps_.front().kind != Kind::Names) return proposed;
        const auto step = next(Kind::Names, "names dialog");
        if (!step.chosen || namesAnswers_.empty()) return std::nullopt;
        QStringList names = namesAnswers_.front();
        namesAnswers_.pop_front();
        return names;
    }

    // A number question answered (or cancelled); without one expected, the
    // proposed value is taken as Enter would.
    void expectNumber(const std::optional<int>& answer) {
        steps_.push_back({Kind::Number, {}, answer.has_value(), false, {}});
        if (answer) numberAnswers_.push_back(*answer);
    }
    std::optional<int> askNumber(const QString& title, const QString& label, int value, int minimum,
                                 int maximum) override {
        numberQuestions << title + " | " + label + QStringLiteral(" %1 [%2, %3]").arg(value).arg(minimum).arg(maximum);
        if (steps_.empty() || steps_.front().kind != Kind::Number) return value;
        const auto step = next(Kind::Number, "number question " + label);
        if (!step.chosen || numberAnswers_.empty()) return std::nullopt;
        const int answer = numberAnswers_.front();
        numberAnswers_.pop_front();
        return answer;
    }

    std::optional<SheetChoice> chooseSheet(const SheetChoiceRequest& r) override {
        sheetRequests.append(r);
        // What each sheet proposes, asked while the dialog is open.
        sheetProposals.clear();
        for (qsizetype i = 0; r.proposeFor && i < r.sheets.size(); ++i)
            sheetProposals.append(r.proposeFor(i));
        sheetRequests.last().proposeFor = {};
        const auto step = next(Kind::Sheet, "sheet dialog for " + r.file);
        if (!step.chosen || sheetAnswers_.empty()) return std::nullopt;
        const SheetChoice choice = sheetAnswers_.front();
        sheetAnswers_.pop_front();
        return choice;
    }

    DateTime now() override {
        ++clockReads;
        return time;
    }

    // What went wrong, including expected steps that never came.
    QStringList problems() const {
        QStringList all = failures;
        for (const auto& s : steps_)
            all << "expected but not shown: " + describe(s);
        return all;
    }

    QList<FileDialogRequest> requests;
    QList<SheetChoiceRequest> sheetRequests;
    QList<std::optional<bool>> sheetProposals; // by the last import dialog, sheet by sheet
    QList<QStringList> proposedNames;          // by each names dialog
    QStringList numberQuestions;               // "title | label value [min, max]", by each number question
    QStringList confirmActions;                // each confirmation's action button, in order
    QString proposedPdf;                       // by the last print dialog
    // What a window manager does while a save dialog is open (gives the
    // keyboard to the dialog's parent, say).
    std::function<void()> duringDialog;
    QStringList failures;
    DateTime time{6, 12, 2026, 9, 5, 7, 42};
    int clockReads = 0;

  private:
    struct Step {
        Kind kind;
        QString path; // a file dialog's answer; a confirmation's action
        bool chosen;  // a file dialog confirmed with `path`
        bool yes;
        QString text;
    };

    static Step fileStep(Kind kind, const std::optional<QString>& answer) {
        return {kind, answer.value_or(QString()), answer.has_value(), false, {}};
    }
    static std::optional<QString> answer(const Step& s) {
        if (!s.chosen) return std::nullopt;
        return s.path;
    }

    static QString describe(const Step& s) {
        switch (s.kind) {
        case Kind::Open:
            return "open dialog";
        case Kind::Save:
            return "save dialog";
        case Kind::Information:
            return "information: " + s.text;
        case Kind::Error:
            return "error: " + s.text;
        case Kind::Confirm:
            return "confirmation: " + s.text;
        case Kind::Print:
            return "print dialog";
        case Kind::Sheet:
            return "sheet dialog";
        case Kind::Names:
            return "names dialog";
        case Kind::Number:
            return "number question";
        }
        return {};
    }

    Step next(Kind kind, const QString& what) {
        if (steps_.empty() || steps_.front().kind != kind) {
            failures << "unexpected " + what;
            return {kind, {}, false, false, {}};
        }
        Step s = std::move(steps_.front());
        steps_.pop_front();
        return s;
    }

    void checkText(const Step& s, const QString& shown) {
        if (!s.text.isNull() && s.text != shown) failures << "expected \"" + s.text + "\" but was \"" + shown + "\"";
    }

    std::deque<Step> steps_;
    std::deque<SheetChoice> sheetAnswers_;
    std::deque<QStringList> namesAnswers_;
    std::deque<int> numberAnswers_;
};

} // namespace zav::test
