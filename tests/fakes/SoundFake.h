#pragma once

#include "platform/sound/SoundOutput.h"

#include <QStringList>

// Stands in for the sound output in tests: remembers every file it was asked to play.
class RecordingSoundOutput : public SoundOutput {
public:
    void play(const QString& filePath) override { played.append(filePath); }

    QStringList played;
};
