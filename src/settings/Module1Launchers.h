#pragma once

#include <QString>

class Shell;

// Where the program's maker can be reached.
inline constexpr const char* kMakerHomePage = "https://www.vykondrelsoft.example/tolvex/";
inline constexpr const char* kMakerMailAddress = "tolvex@vykondrelsoft.example";

// Opens the address (a web page, or anything the desktop has a handler for) with
// its default handler; an empty address opens the maker's home page.
void OpenWebPage(Shell& shell, const QString& address);

// The subject of a mail to the maker: "Vyk-Tolvex v 1. 0. 0" for version 1.0.0.
QString MailToAuthorSubject();

// A new mail to the maker, with the program's version in its subject.
void SendMailToAuthor(Shell& shell);

// Shows a text file in the desktop's text editor (its default handler for the file).
void OpenInNotepad(Shell& shell, const QString& filePath);
