#include "capture/PictureSavingStamp.h"

#include <gtest/gtest.h>

namespace {

const QDateTime kNow(QDate(2026, 12, 9), QTime(8, 15, 30));

}  // namespace

TEST(PictureStamp, GeneralDateIsShortDateThenTimeWithSeconds)
{
    EXPECT_EQ(generalDateText(kNow, QLocale(QLocale::English, QLocale::UnitedStates)),
              "12/9/26 8:15:30 AM");
    EXPECT_EQ(generalDateText(kNow, QLocale(QLocale::German, QLocale::Germany)), "09.12.26 08:15:30");
}

TEST(PictureStamp, TextIsStampTextThenTheSystemsGeneralDate)
{
    SettingsModel s;
    s.StampText = "Door ";
    EXPECT_EQ(stampText(s, kNow), "Door " + generalDateText(kNow));
    s.StampText.clear();
    EXPECT_EQ(stampText(s, kNow), "Tolvex " + generalDateText(kNow));
    EXPECT_EQ(s.StampText, "Tolvex ");
}

TEST(PictureStamp, FontSettingsOnlyEverAddToTheFont)
{
    const struct {
        int size;
        int bold;
        const char* name;
        int expectedSize;
        bool expectedBold;
        const char* expectedFamily;
    } cases[] = {
        {7, 0, "", 11, false, "Start"},
        {8, 0, "", 8, false, "Start"},
        {24, 1, "", 24, true, "Start"},
        {0, 0, "DejaVu Serif", 11, false, "DejaVu Serif"},
        {-3, 0, "", 11, false, "Start"},
    };
    for (const auto& c : cases) {
        SettingsModel s;
        s.EmbedFontSize = c.size;
        s.EmbedFontBold = int16_t(c.bold);
        s.EmbedFontName = c.name;
        QFont font("Start", 11);
        applyStampFont(font, s);
        EXPECT_EQ(font.pointSize(), c.expectedSize) << "size " << c.size;
        EXPECT_EQ(font.bold(), c.expectedBold) << "size " << c.size;
        EXPECT_EQ(font.family(), QString(c.expectedFamily)) << "size " << c.size;
    }
    SettingsModel notBold;
    QFont bold("Start", 11);
    bold.setBold(true);
    applyStampFont(bold, notBold);
    EXPECT_TRUE(bold.bold());
}

TEST(PictureStamp, DrawsOnPicturesOfAnyFormat)
{
    SettingsModel s;
    WorkPicture picture;
    picture.image = QImage(120, 30, QImage::Format_Indexed8);
    picture.image.setColorTable({qRgb(128, 128, 128)});
    picture.image.fill(0);
    drawStamp(picture, s, kNow);
    ASSERT_GE(picture.image.depth(), 24);
    bool dark = false;
    for (int x = 0; x < 120 && !dark; ++x)
        for (int y = 0; y < 30 && !dark; ++y)
            dark = qGray(picture.image.pixel(x, y)) < 40;
    EXPECT_TRUE(dark);
}
