#include "QtMessageBox.h"

#include <QMessageBox>

void CQtMessageBox::Show(const std::string& text) {
    QMessageBox::information(owner_, caption_, QString::fromStdString(text));
}
