#include "CaptureTestSupport.h"
#include "ModalAnswer.h"

#include "platform/capdriver/VideoFormatDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QTimer>

#include <functional>

using namespace captest;

namespace {

class FormatDialogTest : public CaptureTest {
protected:
    // Runs the format dialog and, once it is up, `inside` and then a click on `button`.
    bool runDialog(CaptureHandle h, const std::function<void(QDialog&)>& inside, const char* button)
    {
        bool reached = false;
        answerNextModal([&](QWidget* widget) {
            auto* dialog = qobject_cast<QDialog*>(widget);
            reached = dialog->objectName() == "videoFormatDialog" && dialog->windowTitle() == "Video Format";
            inside(*dialog);
            dialog->findChild<QPushButton*>(button)->click();
        });
        const bool result = cap().capDlgVideoFormat(h);
        EXPECT_TRUE(reached);
        return result;
    }
    static QStringList items(QDialog& d, const char* list)
    {
        QStringList texts;
        auto* box = d.findChild<QComboBox*>(list);
        for (int i = 0; i < box->count(); ++i)
            texts << box->itemText(i);
        return texts;
    }
    static void pick(QDialog& d, const char* list, const QString& text)
    {
        auto* box = d.findChild<QComboBox*>(list);
        box->setCurrentIndex(box->findText(text));
    }
};

}  // namespace

TEST_F(FormatDialogTest, NeedsAConnectedDevice)
{
    env.set("TOLVEX_CAPTURE_DRIVERS", "synthetic");
    EXPECT_FALSE(cap().capDlgVideoFormat(makeWindow()));
}

TEST_F(FormatDialogTest, ListsTheTestPatternSizesAndAppliesTheChoice)
{
    env.set("TOLVEX_CAPTURE_DRIVERS", "synthetic");
    env.set("TOLVEX_SYNTH_SIZES", "1280x720,320x240,640x480");
    const CaptureHandle h = connectedWindow();
    QStringList sizes, depths;
    QString current;
    EXPECT_TRUE(runDialog(h, [&](QDialog& d) {
        sizes = items(d, "sizeList");
        depths = items(d, "depthList");
        current = d.findChild<QComboBox*>("sizeList")->currentText() + "@"
                  + d.findChild<QComboBox*>("depthList")->currentText();
        pick(d, "sizeList", "1280x720");
        pick(d, "depthList", "16");
    }, "okButton"));
    EXPECT_EQ(sizes, QStringList({"320x240", "640x480", "1280x720"}));
    EXPECT_EQ(depths, QStringList({"16", "24", "32"}));
    EXPECT_EQ(current, "640x480@24");
    BitmapFormat f;
    ASSERT_TRUE(cap().capGetVideoFormat(h, f));
    EXPECT_EQ(f, (BitmapFormat{1280, 720, 16, 0}));
    EXPECT_EQ(grabbed(h).size(), QSize(1280, 720));
}

TEST_F(FormatDialogTest, CancelChangesNothing)
{
    env.set("TOLVEX_CAPTURE_DRIVERS", "synthetic");
    env.set("TOLVEX_SYNTH_SIZES", "640x480,1280x720");
    const CaptureHandle h = connectedWindow();
    EXPECT_TRUE(runDialog(h, [&](QDialog& d) { pick(d, "sizeList", "1280x720"); }, "cancelButton"));
    BitmapFormat f;
    ASSERT_TRUE(cap().capGetVideoFormat(h, f));
    EXPECT_EQ(f, BitmapFormat::rgb24({640, 480}));
}
