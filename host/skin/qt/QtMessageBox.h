// Message boxes owned by a window, with its caption (the application name).
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include "MessageBox.h"

class CQtMessageBox : public IMessageBox {
public:
    explicit CQtMessageBox(QWidget* owner = nullptr) : owner_(owner) {}
    void SetCaption(const QString& caption) { caption_ = caption; }
    void Show(const std::string& text) override;

private:
    QPointer<QWidget> owner_;
    QString caption_;
};
