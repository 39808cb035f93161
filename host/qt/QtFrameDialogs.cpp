#include "QtFrameDialogs.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

#include "SettingDialog.h"
#include "SkinSetting.h"
#include "TransDialog.h"

namespace {

class CQtTransView : public ITransDialogView {
public:
    CQtTransView(QSlider* slider, QLabel* percent) : slider_(slider), percent_(percent) {}
    void SetRange(int lowest, int highest) override { slider_->setRange(lowest, highest); }
    void SetPosition(int position) override { slider_->setValue(position); }
    void SetPercentText(const std::string& text) override { percent_->setText(QString::fromStdString(text)); }

private:
    QSlider* slider_;
    QLabel* percent_;
};

}  // namespace

int CQtFrameDialogs::RunSettings(CSettingDialog&) { return CSettingDialog::IDCANCEL; }

bool CQtFrameDialogs::RunTransparency(CTransDialog& logic) {
    QDialog dialog(owner_);
    dialog.setWindowTitle("Transparency");
    auto* slider = new QSlider(Qt::Horizontal);
    auto* percent = new QLabel;
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto* row = new QHBoxLayout;
    row->addWidget(slider);
    row->addWidget(percent);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(row);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    CQtTransView view(slider, percent);
    logic.OnInitDialog(view);
    QObject::connect(slider, &QSlider::valueChanged, &dialog, [&logic](int value) { logic.OnSliderPosition(value); });
    return dialog.exec() == QDialog::Accepted;
}

void CQtFrameDialogs::ShowSkinSelection(CSkinSetting&) {}

void CQtFrameDialogs::ShowAbout() {}

std::string CQtFrameDialogs::BrowseForFolder(const std::string& title) {
    return QFileDialog::getExistingDirectory(owner_, QString::fromStdString(title)).toStdString();
}
