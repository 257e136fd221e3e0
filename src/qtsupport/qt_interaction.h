#pragma once
// The real dialogs, message boxes and print dialog behind the window's one
// interaction seam.

#include "qtsupport/interaction.h"

class QWidget;

namespace zav {

// The real dialogs: the only code of the program that calls QFileDialog,
// QMessageBox and QPrintDialog, and that builds the import's small dialog.
// Message boxes carry the application's title.
// Dialogs open over the window the user is working in (the chart window
// too), so that it is the one in front when they close.
class QtInteraction : public Interaction {
  public:
    void setParent(QWidget* parent) { parent_ = parent; }

    std::optional<QString> openFile(const FileDialogRequest& request) override;
    std::optional<QString> saveFile(const FileDialogRequest& request) override;
    void information(const QString& text) override;
    void error(const QString& text) override;
    bool confirm(const QString& text, const QString& action) override;
    bool choosePrinter(QPrinter& printer, const QString& pdfFile) override;
    std::optional<QStringList> nameTreatments(const QStringList& files, const QStringList& proposed) override;
    std::optional<SheetChoice> chooseSheet(const SheetChoiceRequest& request) override;
    std::optional<int> askNumber(const QString& title, const QString& label, int value, int minimum,
                                 int maximum) override;

  private:
    QWidget* dialogParent() const;

    QWidget* parent_ = nullptr;
};

} // namespace zav
