#pragma once
// The real dialogs, message boxes and print dialog behind the window's one
// interaction seam.

#include "qtsupport/interaction.h"

class QWidget;

namespace zav {

// The real dialogs: the only code of the program that calls QFileDialog,
// QMessageBox and QPrintDialog. Message boxes carry the application's title.
class QtInteraction : public Interaction {
  public:
    void setParent(QWidget* parent) { parent_ = parent; }

    std::optional<QString> openFile(const FileDialogRequest& request) override;
    std::optional<QString> saveFile(const FileDialogRequest& request) override;
    void information(const QString& text) override;
    void error(const QString& text) override;
    bool confirm(const QString& text) override;
    bool choosePrinter(QPrinter& printer) override;

  private:
    QWidget* parent_ = nullptr;
};

} // namespace zav
