#include "monplugin/qt/QtShutdownNotice.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>

namespace monitor {

CQtShutdownNotice::~CQtShutdownNotice()
{
    Close();
}

void CQtShutdownNotice::Show(const std::string& text)
{
    // Widgets need a widget application; the host is one.
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        return;
    }
    if (window_.isNull()) {
        auto* window = new QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint);
        window->setObjectName(kNoticeObjectName);
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->setWindowTitle(QStringLiteral("Velmar: power-off ahead"));
        auto* layout = new QVBoxLayout(window);
        auto* label = new QLabel(window);
        label->setObjectName("VarneqShutdownText");
        label->setTextFormat(Qt::PlainText);  // names come from the board file
        label->setWordWrap(true);
        label->setMinimumWidth(360);
        layout->addWidget(label);
        window_ = window;
        text_ = label;
    }
    text_->setText(QString::fromStdString(text));
    window_->show();
    window_->raise();
}

void CQtShutdownNotice::Close()
{
    delete window_.data();
}

}  // namespace monitor
