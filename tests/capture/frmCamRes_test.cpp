#include "buttons/StyledButton.h"
#include "capture/frmCamRes.h"
#include "Children.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>

#include <gtest/gtest.h>

namespace {

QStringList itemsOf(const QComboBox* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

struct CamRes : ::testing::Test {
    SettingsModel s;
    frmCamRes& loaded()
    {
        window = std::make_unique<frmCamRes>(s, nullptr);
        window->Form_Load();
        return *window;
    }
    std::unique_ptr<frmCamRes> window;
};

}  // namespace

TEST_F(CamRes, ShowsTheKnownSizesAndTheDepthChoices)
{
    s.ResolutionList[1] = "160x120@24";
    s.ResolutionList[2] = "640x480@24";
    s.ResolutionList[4] = "1280x720";
    frmCamRes& w = loaded();
    EXPECT_EQ(w.windowTitle(), "Video Size");
    EXPECT_TRUE(w.isModal());
    EXPECT_EQ(child<QLabel>(w, "Label1")->text(), "True Resolution");
    EXPECT_EQ(child<QGroupBox>(w, "Frame1")->title(), "Stream");
    EXPECT_EQ(child<QLabel>(w, "Label2")->text(), "Pixel depth & compression");
    EXPECT_EQ(child<StyledButton>(w, "commands_0")->Caption(), "OK");
    EXPECT_EQ(child<StyledButton>(w, "commands_1")->Caption(), "Cancel");
    EXPECT_EQ(itemsOf(child<QComboBox>(w, "cmbRes")), QStringList({"160x120", "640x480", "1280x720"}));
    EXPECT_EQ(itemsOf(child<QComboBox>(w, "cmbCol")), QStringList({"Auto", "I420", "YUY2"}));
    EXPECT_EQ(w.itemOfEntry(4), 2);
    EXPECT_EQ(w.itemOfEntry(0), -1);
}

TEST_F(CamRes, DepthChosenBeforeIsPreselected)
{
    const std::pair<int32_t, const char*> cases[] = {{0, "Auto"}, {1, "I420"}, {2, "YUY2"}, {24, "Auto"}, {-1, "Auto"}};
    s.ResolutionList[0] = "640x480@24";
    for (const auto& [depth, shown] : cases) {
        SCOPED_TRACE(depth);
        s.SelectedColorDepth = depth;
        EXPECT_EQ(child<QComboBox>(loaded(), "cmbCol")->currentText(), shown);
    }
}

TEST_F(CamRes, OkWritesTheChoice)
{
    s.ResolutionList[1] = "160x120@24";
    s.ResolutionList[6] = "1280x720@24";
    s.SelectedColorDepth = 24;
    frmCamRes& w = loaded();
    child<QComboBox>(w, "cmbRes")->setCurrentIndex(1);
    child<QComboBox>(w, "cmbCol")->setCurrentIndex(2);
    emit child<StyledButton>(w, "commands_" + QString::number(frmCamRes::kCommandOk))->Click();
    EXPECT_EQ(s.SelectedResolution, "1280x720");
    EXPECT_EQ(s.ResolutionIndex, 6);
    EXPECT_EQ(s.SelectedColorDepth, 2);
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(CamRes, CancelOrNothingToChooseLeavesNoChoice)
{
    s.ResolutionList[0] = "640x480@24";
    frmCamRes& w = loaded();
    emit child<StyledButton>(w, "commands_" + QString::number(frmCamRes::kCommandCancel))->Click();
    EXPECT_EQ(s.SelectedResolution, "");
    EXPECT_EQ(w.result(), QDialog::Rejected);

    s.ResolutionList[0].clear();
    emit child<StyledButton>(loaded(), "commands_" + QString::number(frmCamRes::kCommandOk))->Click();
    EXPECT_EQ(s.SelectedResolution, "");
}
