#include "qtsupport/qt_interaction.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace zav {
namespace {

std::optional<QString> runFileDialog(QWidget* parent, const FileDialogRequest& r, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, r.title, r.directory, r.filter);
    dialog.setAcceptMode(mode);
    dialog.setDefaultSuffix(r.defaultSuffix);
    // The typed file need not exist when opening: the run says so itself.
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!r.fileName.isEmpty()) dialog.selectFile(r.fileName);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const auto files = dialog.selectedFiles();
    if (files.isEmpty()) return std::nullopt;
    return QDir::toNativeSeparators(files.first());
}

} // namespace

std::optional<QString> QtInteraction::openFile(const FileDialogRequest& request) {
    return runFileDialog(parent_, request, QFileDialog::AcceptOpen);
}

std::optional<QString> QtInteraction::saveFile(const FileDialogRequest& request) {
    return runFileDialog(parent_, request, QFileDialog::AcceptSave);
}

void QtInteraction::information(const QString& text) {
    QMessageBox::information(parent_, QApplication::applicationName(), text);
}

void QtInteraction::error(const QString& text) {
    QMessageBox::critical(parent_, QApplication::applicationName(), text);
}

bool QtInteraction::confirm(const QString& text) {
    return QMessageBox::question(parent_, QApplication::applicationName(), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

bool QtInteraction::choosePrinter(QPrinter& printer) {
    QPrintDialog dialog(&printer, parent_);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace zav
