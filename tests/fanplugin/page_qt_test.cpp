// The Qt page under a display: controls of template 15000 where the template
// puts them, user actions reaching the model, the save question as a message
// box, and a page destroyed with the host's dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "fanplugin/ToolkitPageWindows.h"
#include "fanplugin/qt/UpDownButtons.h"
#include "page_test_support.h"

namespace zefan::test {
namespace {

class FanPageQtTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        rig.AddFan(PageFanItem(1, "CPU FAN", "CPUFANIN0"));
        hwmon::FanItemRecord system = PageFanItem(2, "SYS FAN", "SYSFANIN");
        system.targetTemp = 45;
        rig.AddFan(system);
        rig.Fill();  // the model, first on the recording view
        window = ToolkitPageWindowFactory().Create(&dialog, *rig.model);
        ASSERT_NE(window, nullptr);
        rig.model->Fill(window->View());
        page = static_cast<QWidget*>(window->Handle());
    }

    template <typename T>
    T* Control(const char* id) const
    {
        T* control = page->findChild<T*>(id);
        EXPECT_NE(control, nullptr) << id;
        return control;
    }

    QToolButton* Arrow(const char* spinId, const char* which) const
    {
        return Control<CUpDownButtons>(spinId)->findChild<QToolButton*>(which);
    }

    CPageRig rig;
    QWidget dialog;
    std::unique_ptr<IPageWindow> window;
    QWidget* page = nullptr;
};

TEST_F(FanPageQtTest, PageIsAHiddenChildWithTheTemplatesControls)
{
    EXPECT_EQ(page->parentWidget(), &dialog);
    EXPECT_TRUE(page->isHidden());
    EXPECT_EQ(Control<QCheckBox>("15001")->text(), "Enable ZEFAN");
    EXPECT_EQ(Control<QPushButton>("15002")->text(), "Default");
    EXPECT_EQ(Control<QComboBox>("15000")->count(), 2);
    EXPECT_EQ(Control<QComboBox>("15000")->currentText(), "CPU FAN");
    EXPECT_EQ(Control<QComboBox>("15007")->count(), 3);
    EXPECT_EQ(Control<QLabel>("15016")->text(), "C");
    QLineEdit* target = Control<QLineEdit>("15003");
    EXPECT_TRUE(target->isReadOnly());
    EXPECT_TRUE(target->alignment() & Qt::AlignRight);
    EXPECT_EQ(target->text(), "55");
    EXPECT_EQ(Control<QLineEdit>("15005")->text(), "70%");
    // Dialog units scale alike in both directions of the page.
    const QRect edit = target->geometry();
    const QRect spin = Control<CUpDownButtons>("15008")->geometry();
    EXPECT_GT(spin.left(), edit.left());
    EXPECT_LT(spin.left(), edit.right());  // the up-down overlaps its edit's end, as in the template
    EXPECT_GT(Control<QPushButton>("15002")->geometry().top(), Control<QLineEdit>("15006")->geometry().bottom());
    QStringList labels;
    for (QLabel* label : page->findChildren<QLabel*>()) {
        labels << label->text();
        EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();  // not clipped
    }
    for (const char* text : {"Reference Temperature", "Target Temperature", "Temperature Tolerance",
                             "Start Control", "Stop Control"}) {
        EXPECT_TRUE(labels.contains(text)) << text;
    }
}

TEST_F(FanPageQtTest, ArrowsAndKeysStepTheValueAndReportAChange)
{
    page->show();
    QTest::mouseClick(Arrow("15008", "up"), Qt::LeftButton);
    EXPECT_EQ(Control<QLineEdit>("15003")->text(), "56");
    EXPECT_EQ(rig.changes, 1);
    CUpDownButtons* start = Control<CUpDownButtons>("15010");
    start->setFocus();
    QTest::keyClick(start, Qt::Key_Down);
    EXPECT_EQ(Control<QLineEdit>("15005")->text(), "60%");
    EXPECT_EQ(rig.changes, 2);
}

TEST_F(FanPageQtTest, UntickingDisablesTheValueControls)
{
    page->show();
    QTest::mouseClick(Control<QCheckBox>("15001"), Qt::LeftButton);
    EXPECT_FALSE(Control<QLineEdit>("15004")->isEnabled());
    EXPECT_FALSE(Control<CUpDownButtons>("15011")->isEnabled());
    EXPECT_TRUE(rig.model->IsChanged());
    EXPECT_FALSE(rig.model->EnableChecked());
}

TEST_F(FanPageQtTest, SwitchingAfterAnEditAsksInAMessageBox)
{
    page->show();
    QTest::mouseClick(Arrow("15009", "up"), Qt::LeftButton);
    QString asked;
    QTimer::singleShot(0, [&asked] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        asked = box->text();
        box->button(QMessageBox::No)->click();
    });
    QComboBox* fans = Control<QComboBox>("15000");
    fans->setCurrentIndex(1);
    emit fans->activated(1);
    EXPECT_EQ(asked, "Do you want to save the setting?");
    EXPECT_FALSE(rig.model->IsChanged());
    EXPECT_EQ(Control<QLineEdit>("15003")->text(), "45");
}

TEST_F(FanPageQtTest, PageDestroyedWithTheHostsDialogLeavesTheModelWorking)
{
    delete page;
    EXPECT_EQ(window->Handle(), nullptr);
    rig.model->Refresh();
    window->View().SetValueText(FanPageValue::Target, "1");
    EXPECT_TRUE(rig.model->Commit());
    window.reset();
}

TEST(FanPageQtFactoryTest, NoParentNoPage)
{
    CPageRig rig;
    rig.Fill();
    EXPECT_EQ(ToolkitPageWindowFactory().Create(nullptr, *rig.model), nullptr);
}

}  // namespace
}  // namespace zefan::test

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
