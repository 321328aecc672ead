#include "Children.h"
#include "FolderCaptions.h"
#include "PromptsFake.h"
#include "Sandbox.h"
#include "buttons/StyledButton.h"
#include "dialogs/frmGetFolder.h"
#include "platform/lists/DirListBox.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QToolButton>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

struct ChooserTest : ::testing::Test {
    Sandbox box;
    SettingsModel s;
    std::array<QLineEdit, kFolderKinds> edits;
    FolderBoxes boxes{};
    PromptsFake prompts;

    void SetUp() override
    {
        s.AppPath = box.programFolder();
        for (int i = 0; i < kFolderKinds; ++i) {
            boxes[i] = &edits[i];
            edits[i].setText(folder(QStringLiteral("kind%1").arg(i)));
        }
    }

    QString folder(const QString& name) const
    {
        const QString path = box.root() + "/" + name;
        QDir().mkpath(path);
        return path;
    }

    QStringList texts() const
    {
        QStringList all;
        for (const QLineEdit& e : edits)
            all << e.text();
        return all;
    }
};

}  // namespace

TEST_F(ChooserTest, EachCaptionStartsInItsBoxAndOkWritesOnlyThatBox)
{
    const QString chosen = folder("chosen");
    for (const auto& [caption, kind] : kFolderCaptions) {
        SCOPED_TRACE(caption);
        const QStringList before = texts();
        const int k = static_cast<int>(kind);
        {
            frmGetFolder chooser(s, boxes, prompts);
            chooser.setShownFolder(s.AppPath);
            chooser.setWindowTitle(caption);
            chooser.show();
            EXPECT_EQ(child<platform::DirListBox>(chooser, "Dir1")->Path(), before[k]);
            EXPECT_EQ(child<QLabel>(chooser, "Label1")->text(), before[k]);
            QTest::mousePress(child<StyledButton>(chooser, "StyledButton1_0"), Qt::LeftButton);
            EXPECT_EQ(chooser.result(), QDialog::Accepted);
        }
        EXPECT_EQ(texts(), before) << "OK without touching the list writes the start folder";
        {
            frmGetFolder chooser(s, boxes, prompts);
            chooser.setWindowTitle(caption);
            chooser.show();
            child<platform::DirListBox>(chooser, "Dir1")->setPath(chosen);
            QTest::mousePress(child<StyledButton>(chooser, "StyledButton1_0"), Qt::LeftButton);
        }
        QStringList expected = before;
        expected[k] = chosen;
        EXPECT_EQ(texts(), expected);
        edits[k].setText(before[k]);
    }
}

TEST_F(ChooserTest, StartFolderLabelIsFilledEvenWhenTheListWasAlreadyThere)
{
    frmGetFolder chooser(s, boxes, prompts);
    chooser.setWindowTitle("Select your video folder");
    edits[static_cast<int>(FolderKind::Video)].setText(s.AppPath);
    chooser.setShownFolder(s.AppPath);
    child<QLabel>(chooser, "Label1")->clear();
    chooser.show();
    EXPECT_EQ(child<QLabel>(chooser, "Label1")->text(), s.AppPath);
    QTest::mousePress(child<StyledButton>(chooser, "StyledButton1_0"), Qt::LeftButton);
    EXPECT_EQ(edits[static_cast<int>(FolderKind::Video)].text(), s.AppPath);
}

TEST_F(ChooserTest, MissingFolderStartsInTheProgramFolder)
{
    edits[static_cast<int>(FolderKind::SaveAs)].setText(box.root() + "/gone");
    frmGetFolder chooser(s, boxes, prompts);
    chooser.setWindowTitle("Select your 'Save As...' folder");
    chooser.show();
    EXPECT_EQ(child<platform::DirListBox>(chooser, "Dir1")->Path(), s.AppPath);
    EXPECT_EQ(child<QLabel>(chooser, "Label1")->text(), s.AppPath);
}

TEST_F(ChooserTest, DesktopAndDocumentsButtons)
{
    const QString desktop = folder("Desktop");
    const QString documents = folder("Documents");
    QFile dirs(box.configFolder() + "/user-dirs.dirs");
    ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
    dirs.write(QStringLiteral("XDG_DESKTOP_DIR=\"%1\"\nXDG_DOCUMENTS_DIR=\"%2\"\n").arg(desktop, documents).toUtf8());
    dirs.close();
    const int picture = static_cast<int>(FolderKind::Picture);
    {
        frmGetFolder chooser(s, boxes, prompts);
        chooser.setWindowTitle("Select your picture folder");
        chooser.show();
        EXPECT_EQ(child<QToolButton>(chooser, "Command1_0")->toolTip(), "Desktop folder");
        EXPECT_EQ(child<QToolButton>(chooser, "Command1_1")->toolTip(), "My Documents folder");
        QTest::mouseClick(child<QToolButton>(chooser, "Command1_0"), Qt::LeftButton);
        EXPECT_EQ(child<QLabel>(chooser, "Label1")->text(), desktop);
        QTest::mousePress(child<StyledButton>(chooser, "StyledButton1_0"), Qt::LeftButton);
    }
    EXPECT_EQ(edits[picture].text(), desktop);
    {
        frmGetFolder chooser(s, boxes, prompts);
        chooser.setWindowTitle("Select your picture folder");
        chooser.show();
        QTest::mouseClick(child<QToolButton>(chooser, "Command1_1"), Qt::LeftButton);
        QTest::mousePress(child<StyledButton>(chooser, "StyledButton1_0"), Qt::RightButton);
    }
    EXPECT_EQ(edits[picture].text(), documents) << "any mouse button";
}

TEST_F(ChooserTest, CancelChangesNoBox)
{
    const QStringList before = texts();
    frmGetFolder chooser(s, boxes, prompts);
    chooser.setWindowTitle("Select your autosave folder");
    chooser.show();
    child<platform::DirListBox>(chooser, "Dir1")->setPath(folder("elsewhere"));
    QTest::mousePress(child<StyledButton>(chooser, "StyledButton1_1"), Qt::LeftButton);
    EXPECT_EQ(chooser.result(), QDialog::Rejected);
    EXPECT_EQ(texts(), before);
    EXPECT_EQ(chooser.windowTitle(), "Select your autosave folder");
}

TEST_F(ChooserTest, DesignCaptions)
{
    frmGetFolder chooser(s, boxes, prompts);
    EXPECT_EQ(chooser.windowTitle(), "Get Folder");
    EXPECT_EQ(child<QGroupBox>(chooser, "Frame1")->title(), "Choose the target folder");
    EXPECT_EQ(child<StyledButton>(chooser, "StyledButton1_0")->Caption(), "OK");
    EXPECT_EQ(child<StyledButton>(chooser, "StyledButton1_1")->Caption(), "Cancel");
    EXPECT_EQ(child<QLabel>(chooser, "Label1")->font().family(), "Arial");
}

TEST_F(ChooserTest, AFolderThatCannotBeOpenedIsToldAndTheChooserStaysPut)
{
    const QString start = folder("start");
    const QString gone = folder("start/gone");
    edits[static_cast<int>(FolderKind::Video)].setText(start);
    frmGetFolder chooser(s, boxes, prompts);
    chooser.setWindowTitle("Select your video folder");
    chooser.show();
    ASSERT_EQ(child<platform::DirListBox>(chooser, "Dir1")->Path(), start);
    ASSERT_EQ(child<platform::DirListBox>(chooser, "Dir1")->List(0), gone);
    QDir(gone).removeRecursively();
    auto* folders = child<platform::DirListBox>(chooser, "Dir1");
    const QList<QListWidgetItem*> entries = folders->findItems("gone", Qt::MatchContains);
    ASSERT_EQ(entries.size(), 1);

    // By mouse and by keyboard alike.
    const QRect place = folders->visualItemRect(entries[0]);
    QTest::mouseClick(folders->viewport(), Qt::LeftButton, {}, place.center());
    QTest::mouseDClick(folders->viewport(), Qt::LeftButton, {}, place.center());
    EXPECT_EQ(prompts.boxes.size(), 1) << "by mouse";
    child<platform::DirListBox>(chooser, "Dir1")->setCurrentItem(entries[0]);
    QTest::keyClick(child<platform::DirListBox>(chooser, "Dir1"), Qt::Key_Return);

    ASSERT_EQ(prompts.boxes.size(), 2);
    for (const auto& told : prompts.boxes) {
        EXPECT_EQ(told.text, "The folder " + gone + " cannot be opened: it does not exist.");
        EXPECT_EQ(told.title, "Select your video folder");
    }
    EXPECT_EQ(child<platform::DirListBox>(chooser, "Dir1")->Path(), start);
    EXPECT_EQ(child<QLabel>(chooser, "Label1")->text(), start);
}

TEST_F(ChooserTest, MissingDesktopAndDocumentsFoldersAreTold)
{
    const QString desktop = box.root() + "/NoDesktop";
    const QString documents = box.root() + "/NoDocuments";
    QFile dirs(box.configFolder() + "/user-dirs.dirs");
    ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
    dirs.write(QStringLiteral("XDG_DESKTOP_DIR=\"%1\"\nXDG_DOCUMENTS_DIR=\"%2\"\n").arg(desktop, documents).toUtf8());
    dirs.close();
    const QString start = edits[static_cast<int>(FolderKind::Picture)].text();
    frmGetFolder chooser(s, boxes, prompts);
    chooser.setWindowTitle("Select your picture folder");
    chooser.show();
    QTest::mouseClick(child<QToolButton>(chooser, "Command1_0"), Qt::LeftButton);
    QTest::mouseClick(child<QToolButton>(chooser, "Command1_1"), Qt::LeftButton);
    ASSERT_EQ(prompts.boxes.size(), 2);
    EXPECT_EQ(prompts.boxes[0].text, "The Desktop folder " + desktop + " does not exist.");
    EXPECT_EQ(prompts.boxes[1].text, "The My Documents folder " + documents + " does not exist.");
    EXPECT_EQ(prompts.boxes[0].icon, BoxIcon::Exclamation);
    EXPECT_EQ(child<QLabel>(chooser, "Label1")->text(), start) << "the chooser stays where it was";
}
