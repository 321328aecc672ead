#pragma once

#include "viewer/ViewerDisplay.h"

#include <QString>

#include <vector>

// The viewer's side of video playback below the window: the command strings it
// sends to the player under the alias "AVIvideo", how it reads the replies, and
// the player buttons each step leaves on or off.

// PlayerState of the viewer.
enum PlayerState : int { kPlaying = 0, kAtStart = 1, kPausePressed = 2, kStopped = 3, kAtEnd = 4 };

QString openSceneCommand(const QString& movieFile);
QString windowCommand(qint64 handle);
QString playCommand(bool repeat);
QString positionCommand(long left, long top, long width, long height);
QString seekCommand(long position);
// The pause button's command for the mode the device reports: a playing device
// pauses, any other resumes.
QString pauseOrResumeCommand(const QString& mode);

// The number a reply starts with ("30" is 30, "" or "stopped" is 0): leading
// blanks skipped, digits up to the first other sign; a reply without one is 0.
double replyNumber(const QString& reply);

// Whole seconds from the length reply in tenths of a second: from 10 up the
// reply rounded to a whole number (halves to even) then divided by 10 without
// remainder; above 1 and below 10 it is 1; 1 or less is 0.
long movieSeconds(double lengthReply);
// "Movie length 3 seconds - 12KB"
QString movieLengthText(long seconds, qint64 fileBytes);
// The scale of the progress bar and the scroll bar: ten per second, at least 1.
long progressScale(long seconds);

// The open-failure box.
QString openErrorText(const QString& movieFile);
QString openErrorTitle(int code);

// Whether the status timer hands over to the stop button: no device is open any
// more, or it reports "stopped" while the player is not moved to the clip's start
// or end (a clip resumed after a pause or a seek runs out like a played one).
bool statusEndsPlayback(const QString& mode, int playerState);

// The player buttons after each step: the play step's end (kPlaying) and the
// stop, start and end buttons.
std::vector<ControlChange> playerButtonChanges(PlayerState after);
