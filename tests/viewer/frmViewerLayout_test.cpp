#include "CaptionFit.h"
#include "ViewerHarness.h"

#include <gtest/gtest.h>

TEST(frmViewerLayout, EveryCaptionShowsWhole)
{
    ViewerHarness h;
    frmViewer& v = h.open();
    v.show();
    const QStringList clipped = caption_fit::clippedCaptions(&v);
    EXPECT_TRUE(clipped.isEmpty()) << clipped.join("\n").toStdString();
}
