#include "modeplugin/qt/ModePageWidget.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>

#include "plugin_api/kit/qt/PageLook.h"

namespace modes {

CModePageWidget::CModePageWidget(CModePage& model, QWidget* parent) : QWidget(parent), model_(model)
{
    pluginkit::SetPageLook(*this, "ModePage");
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(4, 4, 4, 4);
    status_ = new QLabel(this);
    status_->setObjectName("ModeStatus");
    status_->setWordWrap(true);
    grid->addWidget(status_, 0, 0, 1, 3);
    for (int mode = 0; mode < kModeCount; ++mode) {
        grid->addWidget(new QLabel(kModeNames[mode].shown, this), mode + 1, 0);
        tips_[mode] = new QLabel(this);
        tips_[mode]->setObjectName(QString("ModeTip%1").arg(mode));
        tips_[mode]->setWordWrap(true);
        if (IsUserMode(mode)) {
            const int user = mode - kUser1;
            choices_[user] = new QComboBox(this);
            choices_[user]->setObjectName(QString("User%1Profile").arg(user + 1));
            grid->addWidget(choices_[user], mode + 1, 1);
            connect(choices_[user], &QComboBox::currentIndexChanged, this,
                    [this, user](int index) { model_.ChooseUserProfile(user, index); });
            grid->addWidget(tips_[mode], mode + 1, 2);
        } else {
            grid->addWidget(tips_[mode], mode + 1, 1, 1, 2);
        }
    }
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(kModeCount + 1, 1);
}

void CModePageWidget::ShowStatus(const std::string& text)
{
    status_->setText(QString::fromStdString(text));
}

void CModePageWidget::ShowModeTip(int mode, const std::string& text)
{
    if (IsMode(mode)) {
        // The mode's name is in its row already.
        const std::string prefix = std::string(kModeNames[mode].shown) + ": ";
        tips_[mode]->setText(QString::fromStdString(text.starts_with(prefix) ? text.substr(prefix.size()) : text));
    }
}

void CModePageWidget::ShowUserChoices(int user, const std::vector<std::string>& profiles, int selected)
{
    if (user < 0 || user >= kUserModeCount) {
        return;
    }
    // Filling the list is not the user's choice.
    const QSignalBlocker quiet(choices_[user]);
    choices_[user]->clear();
    for (const std::string& profile : profiles) {
        choices_[user]->addItem(QString::fromStdString(profile));
    }
    choices_[user]->setCurrentIndex(selected);
}

}  // namespace modes
