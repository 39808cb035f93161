#include "fanplugin/qt/FanPageWidget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QString>

#include <algorithm>

#include "fanplugin/FanPageModel.h"
#include "fanplugin/qt/UpDownButtons.h"

namespace zefan {
namespace {

// Dialog units of the template to pixels, for the template's 9-point font.
constexpr double kDluX = 1.75;
constexpr double kDluY = 1.875;
constexpr int kPageWidth = 221;
constexpr int kPageHeight = 152;
// A drop-down's template height includes its open list; closed it is an
// edit's height.
constexpr int kClosedComboHeight = 14;

void Place(QWidget* widget, int x, int y, int width, int height)
{
    widget->setGeometry(static_cast<int>(x * kDluX), static_cast<int>(y * kDluY),
                        static_cast<int>(width * kDluX), static_cast<int>(height * kDluY));
}

QLabel* AddLabel(QWidget* page, const char* text, int x, int y, int width, int height)
{
    auto* label = new QLabel(QString::fromUtf8(text), page);
    Place(label, x, y, width, height);
    // The template was measured for a narrower font; a label grows to its
    // text rather than clip it.
    const QSize fits = label->sizeHint();
    label->resize(std::max(label->width(), fits.width()), std::max(label->height(), fits.height()));
    return label;
}

std::size_t Slot(FanPageValue field)
{
    return static_cast<std::size_t>(field);
}

// Edit id, up-down id and positions of one value field.
struct ValueLayout {
    FanPageValue field;
    const char* editId;
    const char* spinId;
    int editY;
    int editHeight;
    int spinY;
};

constexpr ValueLayout kValueLayouts[] = {
    {FanPageValue::Target, "15003", "15008", 43, 14, 42},
    {FanPageValue::Tolerance, "15004", "15009", 63, 14, 63},
    {FanPageValue::Start, "15005", "15010", 83, 15, 82},
    {FanPageValue::Stop, "15006", "15011", 103, 14, 102},
};

void ReplaceItems(QComboBox* combo, const std::vector<std::string>& names)
{
    combo->clear();
    for (const std::string& name : names) {
        combo->addItem(QString::fromStdString(name));
    }
}

}  // namespace

CFanPageWidget::CFanPageWidget(CFanPageModel& model, QWidget* parent)
    : QWidget(parent), model_(model)
{
    setFont(QFont(font().family(), 9));
    resize(static_cast<int>(kPageWidth * kDluX), static_cast<int>(kPageHeight * kDluY));

    fanList_ = new QComboBox(this);
    fanList_->setObjectName("15000");
    Place(fanList_, 8, 2, 86, kClosedComboHeight);

    enable_ = new QCheckBox(QStringLiteral("Enable ZEFAN"), this);
    enable_->setObjectName("15001");
    Place(enable_, 101, 2, 61, 10);

    AddLabel(this, "Reference Temperature", 8, 24, 76, 8);
    referenceList_ = new QComboBox(this);
    referenceList_->setObjectName("15007");
    Place(referenceList_, 100, 22, 66, kClosedComboHeight);

    AddLabel(this, "Target Temperature", 8, 44, 66, 8);
    AddLabel(this, "Temperature Tolerance", 8, 65, 75, 8);
    AddLabel(this, "Start Control", 8, 86, 41, 8);
    AddLabel(this, "Stop Control", 8, 107, 40, 8);
    targetUnit_ = AddLabel(this, "C", 170, 45, 8, 8);
    targetUnit_->setObjectName("15016");
    toleranceUnit_ = AddLabel(this, "C", 170, 65, 8, 8);
    toleranceUnit_->setObjectName("15017");

    for (const ValueLayout& layout : kValueLayouts) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(layout.editId);
        edit->setReadOnly(true);
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Place(edit, 100, layout.editY, 58, layout.editHeight);
        auto* spin = new CUpDownButtons(this);
        spin->setObjectName(layout.spinId);
        Place(spin, 156, layout.spinY, 10, 14);
        const FanPageValue field = layout.field;
        connect(spin, &CUpDownButtons::stepped, this,
                [this, field](int delta) { model_.OnSpin(field, delta); });
        edits_[Slot(field)] = edit;
        spins_[Slot(field)] = spin;
    }

    default_ = new QPushButton(QStringLiteral("Default"), this);
    default_->setObjectName("15002");
    Place(default_, 8, 129, 68, 16);

    // Beside "Default", so a user whose fans look wrong sees at once which
    // board file described them.
    boardFile_ = new QLabel(this);
    boardFile_->setObjectName("boardFile");
    boardFile_->setWordWrap(true);
    boardFile_->setFont(QFont(font().family(), 8));
    Place(boardFile_, 82, 128, 137, 18);

    // activated and clicked come from the user only, never from the model
    // setting a selection or a tick.
    connect(fanList_, &QComboBox::activated, this, [this](int index) {
        if (index != model_.CurrentListIndex()) {
            model_.OnFanSelected(index);
        }
    });
    connect(enable_, &QCheckBox::clicked, this,
            [this](bool checked) { model_.OnEnableClicked(checked); });
    connect(referenceList_, &QComboBox::activated, this,
            [this](int index) { model_.OnReferenceSelected(index); });
    connect(default_, &QPushButton::clicked, this, [this] { model_.OnDefault(); });
}

CFanPageWidget::~CFanPageWidget()
{
    // The host may destroy its dialog, and this child with it, before the
    // plug-in closes the page.
    model_.DetachView();
}

void CFanPageWidget::SetFanItems(const std::vector<std::string>& names)
{
    ReplaceItems(fanList_, names);
}

void CFanPageWidget::SelectFan(int index)
{
    fanList_->setCurrentIndex(index);
}

void CFanPageWidget::SetEnableChecked(bool checked)
{
    enable_->setChecked(checked);
}

void CFanPageWidget::SetEnableCheckAvailable(bool available)
{
    enable_->setEnabled(available);
}

void CFanPageWidget::SetReferenceItems(const std::vector<std::string>& names)
{
    ReplaceItems(referenceList_, names);
}

void CFanPageWidget::SelectReference(int index)
{
    referenceList_->setCurrentIndex(index);
}

void CFanPageWidget::SetReferenceAvailable(bool available)
{
    referenceList_->setEnabled(available);
}

void CFanPageWidget::SetValueText(FanPageValue field, const std::string& text)
{
    edits_[Slot(field)]->setText(QString::fromStdString(text));
}

void CFanPageWidget::SetSpin(FanPageValue field, int low, int high, int position)
{
    spins_[Slot(field)]->SetRange(low, high, position);
}

void CFanPageWidget::SetValueControlsAvailable(bool available)
{
    for (QLineEdit* edit : edits_) {
        edit->setEnabled(available);
    }
    for (CUpDownButtons* spin : spins_) {
        spin->setEnabled(available);
    }
}

void CFanPageWidget::SetUnitLabels(const std::string& unit)
{
    targetUnit_->setText(QString::fromStdString(unit));
    toleranceUnit_->setText(QString::fromStdString(unit));
}

void CFanPageWidget::SetBoardFileText(const std::string& text)
{
    boardFile_->setText(QString::fromStdString(text));
    boardFile_->setToolTip(boardFile_->text());
}

bool CFanPageWidget::AskYesNo(const std::string& question)
{
    return QMessageBox::question(this, QStringLiteral("ZEFAN"), QString::fromStdString(question),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace zefan
