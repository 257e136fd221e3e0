#pragma once
// The about dialog: a small window of its own, shown without blocking the
// main window.

#include <QDialog>
#include <QString>

namespace zav {

// "Como citar": the program, its version and licence, as a reference.
QString citationText();

class TJanSobre : public QDialog {
    Q_OBJECT

  public:
    explicit TJanSobre(QWidget* parent = nullptr);

  private:
    void OKButtonClick();
};

} // namespace zav
