#include "Children.h"
#include "viewer/FrmBlend.h"

#include "EffectsViewFake.h"
#include "PictureFixtures.h"
#include "Sandbox.h"
#include "buttons/StyledButton.h"
#include "viewer/PictureEffects.h"
#include "viewer/ViewerEffects.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QTest>

#include <memory>

namespace {

class BlendPanel : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<QWidget>();
        window->resize(800, 500);
        panel = new FrmBlend(window.get(), effects);
        view.partner = [this] { return panel->PicBlender(); };
        view.Image1 = pictureOf({{qRgb(10, 20, 30), qRgb(1, 2, 3)}, {qRgb(4, 5, 6), qRgb(7, 8, 9)}});
        view.picResult = view.Image1;
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        panel->showPanel();
    }

    template <typename T>
    T* control(const char* name) const
    {
        T* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void click(QWidget* w, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(window->windowHandle(), button, {}, w->mapTo(window.get(), w->rect().center()));
    }
    void pickFile(const QString& name)
    {
        auto* list = control<QListWidget>("File2");
        const QList<QListWidgetItem*> items = list->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << name.toStdString();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(items[0]).center());
    }
    void writeFile(const QString& name, const QByteArray& bytes)
    {
        QFile f(sandbox.root() + "/" + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    Sandbox sandbox;
    EffectsViewFake view;
    ViewerEffects effects{view};
    std::unique_ptr<QWidget> window;
    FrmBlend* panel = nullptr;
};

TEST_F(BlendPanel, ControlsAndCaptions)
{
    EXPECT_TRUE(FrmBlend(window.get(), effects).isHidden());  // until cmdAlphaBlend opens it
    EXPECT_EQ(panel->title(), "Gamma Enhanced Blending");
    EXPECT_EQ(control<QLabel>("lblSelectFile")->text(), "Select file to blend");
    EXPECT_EQ(control<QLabel>("lblPreview")->text(), "Preview of file to blend");
    auto* blend = control<StyledButton>("cmdDoTheBlend");
    EXPECT_EQ(blend->Caption(), "Gamma Blend Now");
    EXPECT_FALSE(blend->Enabled());  // nothing to blend yet
    EXPECT_EQ(control<StyledButton>("StyledButton19")->Caption(), "Back");
    EXPECT_EQ(control<StyledButton>("StyledButton19")->toolTip(), "Close Blend and Return");
    EXPECT_EQ(control<StyledButton>("StyledButton25")->Caption(), "&Cancel");
}

TEST_F(BlendPanel, ListsThePicturesOfTheFolderOnly)
{
    const QImage one = pictureOf({{qRgb(1, 1, 1)}});
    ASSERT_TRUE(one.save(sandbox.root() + "/a.bmp", "BMP"));
    ASSERT_TRUE(one.save(sandbox.root() + "/B.BMP", "BMP"));
    ASSERT_TRUE(one.save(sandbox.root() + "/c.jpg", "JPG"));
    writeFile("d.gif", "GIF89a");
    writeFile("notes.txt", "x");
    writeFile("clip.avi", "x");
    panel->setFolder(sandbox.root());
    QStringList listed;
    for (int i = 0; i < child<QListWidget>(*panel, "File2")->count(); ++i)
        listed << child<QListWidget>(*panel, "File2")->item(i)->text();
    EXPECT_EQ(listed, (QStringList{"a.bmp", "B.BMP", "c.jpg", "d.gif"}));
}

TEST_F(BlendPanel, PickingAFileShowsItAndBlendsIntoTheTopLeft)
{
    ASSERT_TRUE(pictureOf({{qRgb(11, 21, 255)}}).save(sandbox.root() + "/partner.bmp", "BMP"));
    panel->setFolder(sandbox.root());
    pickFile("partner.bmp");
    EXPECT_EQ(control<QLabel>("Label5")->text(), "Size = 1 x 1");
    EXPECT_FALSE(control<QLabel>("imgBlendPrev")->pixmap().isNull());
    auto* blend = control<StyledButton>("cmdDoTheBlend");
    ASSERT_TRUE(blend->Enabled());
    click(blend, Qt::RightButton);  // MouseDown: any button
    EXPECT_EQ(rgbOnly(view.Image1.pixel(0, 0)), rgbOnly(qRgb(10, 20, 142)));
    EXPECT_EQ(rgbOnly(view.Image1.pixel(1, 0)), rgbOnly(qRgb(1, 2, 3)));
    EXPECT_FALSE(view.waitCursor);
}

TEST_F(BlendPanel, UnreadableFileKeepsThePanelAsItWas)
{
    writeFile("broken.jpg", "not a picture");
    panel->setFolder(sandbox.root());
    pickFile("broken.jpg");
    EXPECT_TRUE(panel->PicBlender().isNull());
    EXPECT_FALSE(control<StyledButton>("cmdDoTheBlend")->Enabled());
    EXPECT_TRUE(control<QLabel>("Label5")->text().startsWith("Cannot show this picture: "));
}

TEST_F(BlendPanel, BackKeepsTheBlendAndCancelShowsTheFileAgain)
{
    const QImage onDisk = view.Image1;
    ASSERT_TRUE(onDisk.save(sandbox.root() + "/shown.bmp", "BMP"));
    view.Frame2 = sandbox.root() + "/shown.bmp";
    EXPECT_EQ(panel->x(), 37);  // 555 twips
    EXPECT_TRUE(panel->isVisible());
    view.showPicture(invertPicture(onDisk));  // a blend or any edit
    click(control<StyledButton>("StyledButton19"));
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(pixelsOf(view.Image1), pixelsOf(invertPicture(onDisk)));

    panel->showPanel();
    click(control<StyledButton>("StyledButton25"));
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(pixelsOf(view.Image1), pixelsOf(onDisk));
    EXPECT_EQ(pixelsOf(view.picResult), pixelsOf(onDisk));
}

}  // namespace

TEST(BlendPanelLook, ThePanelHidesWhatLiesUnderIt)
{
    EffectsViewFake view;
    ViewerEffects effects{view};
    QWidget window;
    window.resize(400, 420);
    auto* under = new QWidget(&window);  // the file list the panel covers
    under->setGeometry(0, 0, 400, 420);
    under->setAutoFillBackground(true);
    QPalette loud = under->palette();
    loud.setColor(QPalette::Window, QColor(255, 0, 255));
    under->setPalette(loud);
    auto* panel = new FrmBlend(&window, effects);
    panel->move(10, 10);
    panel->show();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QImage shown = window.grab().toImage();
    int seeThrough = 0;
    for (int y = panel->y() + 20; y < panel->y() + panel->height() - 4; y += 3)
        for (int x = panel->x() + 4; x < panel->x() + panel->width() - 4; x += 3)
            seeThrough += shown.pixelColor(x, y) == QColor(255, 0, 255);
    EXPECT_EQ(seeThrough, 0);
}
