#include "CaptureTestSupport.h"
#include "ModalAnswer.h"

#include "platform/capdriver/SceneRenderer.h"
#include "platform/capdriver/VideoSourceDialog.h"

#include <QAccessible>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>

#include <functional>

using namespace captest;

namespace {

class CaptureDialogTest : public CaptureTest {
protected:
    // Runs the source dialog and, once it is up, `inside` and then a click on `button`.
    bool runDialog(CaptureHandle h, const std::function<void(QDialog&)>& inside, const char* button)
    {
        bool reached = false;
        answerNextModal([&](QWidget* widget) {
            auto* dialog = qobject_cast<QDialog*>(widget);
            reached = dialog->objectName() == "videoSourceDialog";
            inside(*dialog);
            dialog->findChild<QPushButton*>(button)->click();
        });
        const bool result = cap().capDlgVideoSource(h);
        EXPECT_TRUE(reached);
        return result;
    }

    static FakeV4l2Io::Node cameraWithControls()
    {
        auto node = camera("/dev/video0");
        node.controls = {
            FakeV4l2Io::integerControl(V4L2_CID_BRIGHTNESS, "Brightness", 0, 255, 128),
            FakeV4l2Io::integerControl(V4L2_CID_CONTRAST, "Contrast", 0, 100, 32),
            FakeV4l2Io::menuControl(V4L2_CID_POWER_LINE_FREQUENCY, "Power Line Frequency",
                                    {"Disabled", "50 Hz", "60 Hz"}, 1),
        };
        auto autoWhite = FakeV4l2Io::integerControl(V4L2_CID_AUTO_WHITE_BALANCE, "White Balance, Automatic", 0, 1, 1);
        autoWhite.query.type = V4L2_CTRL_TYPE_BOOLEAN;
        node.controls << autoWhite;
        auto readOnly = FakeV4l2Io::integerControl(V4L2_CID_GAIN, "Gain", 0, 10, 5);
        readOnly.query.flags = V4L2_CTRL_FLAG_READ_ONLY;
        node.controls << readOnly;
        return node;
    }
};

}  // namespace

TEST_F(CaptureDialogTest, NamesRowsAfterTheirSettings)
{
    EXPECT_EQ(VideoSourceDialog::objectNameFor("Brightness"), "brightness");
    EXPECT_EQ(VideoSourceDialog::objectNameFor("White Balance, Automatic"), "white_balance_automatic");
    EXPECT_EQ(VideoSourceDialog::objectNameFor(" (Exposure) "), "exposure");
}

TEST_F(CaptureDialogTest, NeedsAConnectedDevice)
{
    env.set("TOLVEX_CAPTURE_DRIVERS", "synthetic");
    EXPECT_FALSE(cap().capDlgVideoSource(makeWindow()));
}

TEST_F(CaptureDialogTest, TestPatternBrightnessAppliesLiveAndStaysOnOk)
{
    env.set("TOLVEX_CAPTURE_DRIVERS", "synthetic");
    env.set("TOLVEX_SYNTH_SCENE", "still:404040");
    const CaptureHandle h = connectedWindow();
    QRgb during = 0;
    EXPECT_TRUE(runDialog(h, [&](QDialog& d) {
        d.findChild<QSlider*>("brightness")->setValue(20);
        during = grabbed(h).pixel(0, 0);
    }, "okButton"));
    EXPECT_EQ(during, qRgb(0x73, 0x73, 0x73));
    EXPECT_EQ(grabbed(h).pixel(0, 0), qRgb(0x73, 0x73, 0x73));
}

TEST_F(CaptureDialogTest, TestPatternCancelRestoresSceneAndBrightness)
{
    env.set("TOLVEX_CAPTURE_DRIVERS", "synthetic");
    env.set("TOLVEX_SYNTH_SCENE", "still:404040");
    const CaptureHandle h = connectedWindow();
    const QImage before = grabbed(h);
    QImage during;
    EXPECT_TRUE(runDialog(h, [&](QDialog& d) {
        auto* scene = d.findChild<QComboBox*>("scene");
        EXPECT_EQ(scene->currentText(), "Still picture");
        scene->setCurrentIndex(scene->findText("Colour bars"));
        d.findChild<QSpinBox*>("brightnessValue")->setValue(-50);
        during = grabbed(h);
    }, "cancelButton"));
    EXPECT_NE(during, before);
    EXPECT_EQ(grabbed(h), before);
}

TEST_F(CaptureDialogTest, CameraControlsOneRowEachAppliedLiveCancelRestores)
{
    v4l2->addNode(cameraWithControls());
    env.set("TOLVEX_CAPTURE_DRIVERS", "v4l2");
    const CaptureHandle h = connectedWindow();
    EXPECT_TRUE(runDialog(h, [&](QDialog& d) {
        EXPECT_EQ(d.findChild<QWidget*>("gain"), nullptr) << "read-only controls are no rows";
        auto* brightness = d.findChild<QSlider*>("brightness");
        ASSERT_NE(brightness, nullptr);
        EXPECT_EQ(brightness->value(), 128);
        EXPECT_EQ(brightness->maximum(), 255);
        brightness->setValue(200);
        d.findChild<QComboBox*>("power_line_frequency")->setCurrentIndex(2);
        d.findChild<QCheckBox*>("white_balance_automatic")->setChecked(false);
        EXPECT_EQ(v4l2->controlValue("/dev/video0", V4L2_CID_BRIGHTNESS), 200);
        EXPECT_EQ(v4l2->controlValue("/dev/video0", V4L2_CID_POWER_LINE_FREQUENCY), 2);
        EXPECT_EQ(v4l2->controlValue("/dev/video0", V4L2_CID_AUTO_WHITE_BALANCE), 0);
        EXPECT_EQ(d.findChild<QSpinBox*>("contrastValue")->value(), 32);
    }, "cancelButton"));
    EXPECT_EQ(v4l2->controlValue("/dev/video0", V4L2_CID_BRIGHTNESS), 128);
    EXPECT_EQ(v4l2->controlValue("/dev/video0", V4L2_CID_POWER_LINE_FREQUENCY), 1);
    EXPECT_EQ(v4l2->controlValue("/dev/video0", V4L2_CID_AUTO_WHITE_BALANCE), 1);
}

TEST_F(CaptureDialogTest, EveryEditorOfACameraControlHasAnAccessibleName)
{
    v4l2->addNode(cameraWithControls());
    env.set("TOLVEX_CAPTURE_DRIVERS", "v4l2");
    const CaptureHandle h = connectedWindow();
    EXPECT_TRUE(runDialog(h, [&](QDialog& d) {
        const auto editors = d.findChildren<QWidget*>();
        int named = 0;
        for (QWidget* w : editors) {
            if (!qobject_cast<QAbstractSlider*>(w) && !qobject_cast<QAbstractSpinBox*>(w)
                && !qobject_cast<QComboBox*>(w) && !qobject_cast<QCheckBox*>(w))
                continue;
            // The slider and its number box of an integer row are both named after it.
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
            ASSERT_NE(a, nullptr);
            EXPECT_FALSE(a->text(QAccessible::Name).isEmpty()) << w->objectName().toStdString();
            ++named;
        }
        EXPECT_GE(named, 4);
        EXPECT_EQ(QAccessible::queryAccessibleInterface(d.findChild<QSlider*>("brightness"))->text(QAccessible::Name),
                  "Brightness");
    }, "cancelButton"));
}

TEST_F(CaptureDialogTest, CameraControlsStayOnOk)
{
    v4l2->addNode(cameraWithControls());
    env.set("TOLVEX_CAPTURE_DRIVERS", "v4l2");
    const CaptureHandle h = connectedWindow();
    EXPECT_TRUE(runDialog(h, [&](QDialog& d) { d.findChild<QSpinBox*>("contrastValue")->setValue(90); },
                          "okButton"));
    EXPECT_EQ(v4l2->controlValue("/dev/video0", V4L2_CID_CONTRAST), 90);
}
