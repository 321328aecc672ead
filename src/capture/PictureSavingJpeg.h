#pragma once

#include "settings/GDIPlusJPGConvertor.h"

#include <QString>

// Why a JPEG save failed, as a reason behind "Snapshot NOT saved: ".
QString jpegFailureText(const JpegResult& result, const QString& path);
