#pragma once
// Every file dialog starts in the folder last used by any of them, across
// runs: the program's current directory on the very first run.

#include "qtsupport/interaction.h"

namespace zav {

class RememberedFolder : public Interaction {
  public:
    explicit RememberedFolder(Interaction& inner) : inner_(inner) {}

    QString folder() const;

    std::optional<QString> openFile(const FileDialogRequest& request) override;
    std::optional<QString> saveFile(const FileDialogRequest& request) override;
    void information(const QString& text) override { inner_.information(text); }
    void error(const QString& text) override { inner_.error(text); }
    bool confirm(const QString& text, const QString& action) override { return inner_.confirm(text, action); }
    bool choosePrinter(QPrinter& printer, const QString& pdfFile) override {
        return inner_.choosePrinter(printer, pdfFile);
    }
    std::optional<QStringList> nameTreatments(const QStringList& files, const QStringList& proposed) override {
        return inner_.nameTreatments(files, proposed);
    }
    std::optional<SheetChoice> chooseSheet(const SheetChoiceRequest& request) override {
        return inner_.chooseSheet(request);
    }
    std::optional<int> askNumber(const QString& title, const QString& label, int value, int minimum,
                                 int maximum) override {
        return inner_.askNumber(title, label, value, minimum, maximum);
    }

    // Remembers the folder of a file the user chose some other way
    // (dropped, given on the command line, picked from the recent files).
    void remember(const QString& path);

  private:
    FileDialogRequest startingHere(FileDialogRequest request) const;

    Interaction& inner_;
};

} // namespace zav
