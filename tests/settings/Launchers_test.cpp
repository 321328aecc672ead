#include "ShellFake.h"
#include "settings/Module1Launchers.h"
#include "core/SettingsModel.h"

#include <gtest/gtest.h>

namespace {

TEST(Launchers, WebPageWithTheDefaultHandler)
{
    RecordingShell shell;
    OpenWebPage(shell, "https://example.org/a page?q=1");
    OpenWebPage(shell, "www.example.org");
    OpenWebPage(shell, "");
    ASSERT_EQ(shell.openedUrls.size(), 3);
    EXPECT_EQ(shell.openedUrls[0].toString(QUrl::FullyEncoded), "https://example.org/a%20page?q=1");
    EXPECT_EQ(shell.openedUrls[1].toString(), "http://www.example.org");
    EXPECT_EQ(shell.openedUrls[2].toString(), kMakerHomePage);
    EXPECT_TRUE(shell.startedPrograms.isEmpty());
}

TEST(Launchers, MailSubjectCarriesTheVersionInPrintForm)
{
    const QString expected = QString("Vyk-Tolvex v %1. %2. %3")
                                 .arg(ProgramVersion::major)
                                 .arg(ProgramVersion::minor)
                                 .arg(ProgramVersion::revision);
    EXPECT_EQ(MailToAuthorSubject(), expected);

    RecordingShell shell;
    SendMailToAuthor(shell);
    ASSERT_EQ(shell.openedUrls.size(), 1);
    const QUrl link = shell.openedUrls.first();
    EXPECT_EQ(link.toString(QUrl::FullyEncoded),
              QString("mailto:") + kMakerMailAddress + "?subject=" + QString(expected).replace(' ', "%20"));
    EXPECT_EQ(link.scheme(), "mailto");
    EXPECT_EQ(link.path(), kMakerMailAddress);
}

TEST(Launchers, NotepadIsTheDesktopsHandlerForTheFile)
{
    RecordingShell shell;
    shell.result = false;  // a launcher that fails is ignored
    OpenInNotepad(shell, "/opt/tolvex/read me; rm -rf ~.txt");
    OpenInNotepad(shell, "");
    ASSERT_EQ(shell.openedUrls.size(), 1);
    EXPECT_TRUE(shell.openedUrls[0].isLocalFile());
    EXPECT_EQ(shell.openedUrls[0].toLocalFile(), "/opt/tolvex/read me; rm -rf ~.txt");
    EXPECT_TRUE(shell.startedPrograms.isEmpty());
}

}  // namespace
