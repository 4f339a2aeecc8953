#include "markup/surface.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPrinter>
#include <QTemporaryDir>

using namespace corvane::markup;

namespace {

TEST(Fonts, ArialAndCourierNewResolveToTheirLiberationFaces) {
    EXPECT_EQ(QFontInfo(QFont("Arial", 12)).family(), "Liberation Sans");
    EXPECT_EQ(QFontInfo(QFont("Courier New", 12)).family(), "Liberation Mono");
}

TEST(PictureSurface, MeasuresInTwipsAtFifteenPerPixel) {
    PictureSurface picture(200, 100);
    EXPECT_EQ(picture.scaleWidth(), 3000);
    EXPECT_EQ(picture.scaleHeight(), 1500);
    EXPECT_EQ(picture.twipsPerPixelY(), 15);
    picture.setFontSize(12);
    // 12 pt at 96 dpi is 16 px: the line is a little taller, the ascent a little shorter.
    EXPECT_GT(picture.textHeight("Hp"), 16 * 15);
    EXPECT_LT(picture.fontAscentPixels(), 16);
    EXPECT_EQ(picture.textHeight("a\nb"),
              picture.textHeight("a") +
                  QFontMetricsF(picture.font(), &picture.image()).lineSpacing() * 15);
}

TEST(PictureSurface, DrawTextAdvancesByItsWidthAndInks) {
    PictureSurface picture(200, 40);
    picture.setCurrentX(150);
    picture.drawText("Wide");
    EXPECT_DOUBLE_EQ(picture.currentX(), 150 + picture.textWidth("Wide"));
    int dark = 0;
    for (int x = 0; x < 200; ++x)
        for (int y = 0; y < 40; ++y)
            dark += qGray(picture.image().pixel(x, y)) < 128;
    EXPECT_GT(dark, 20);
    picture.clear();
    EXPECT_EQ(picture.image().pixelColor(20, 10), QColor(Qt::white));
}

TEST(PictureSurface, LinesUseThePenWidthInPixels) {
    PictureSurface picture(100, 100);
    picture.setPenWidth(3);
    picture.drawLine(0, 50 * 15, 100 * 15, 50 * 15, Qt::black);
    const QImage& image = picture.image();
    EXPECT_LT(qGray(image.pixel(50, 49)), 100);
    EXPECT_LT(qGray(image.pixel(50, 50)), 100);
    EXPECT_EQ(image.pixelColor(50, 45), QColor(Qt::white));
}

TEST(Surfaces, RejectedFontSizesHaveNoEffect) {
    PictureSurface picture(10, 10);
    picture.setFontSize(12);
    for (double bad : {0.0, -3.0, 1e300, std::nan("")}) {
        picture.setFontSize(bad);
        EXPECT_EQ(picture.fontSize(), 12);
    }
}

TEST(MeasuringSurface, MeasuresLikeItsTarget) {
    PictureSurface picture(300, 50);
    picture.setFontName("Courier New");
    picture.setFontSize(17);
    picture.setBold(true);
    MeasuringSurface measure(picture);
    EXPECT_EQ(measure.fontName(), picture.fontName());
    EXPECT_EQ(measure.textWidth("C3PO R2D2"), picture.textWidth("C3PO R2D2"));
    EXPECT_EQ(measure.textHeight("Hp"), picture.textHeight("Hp"));
    EXPECT_EQ(measure.scaleWidth(), picture.scaleWidth());
    measure.drawText("abc");
    EXPECT_EQ(measure.currentX(), picture.textWidth("abc"));
}

TEST(PrinterSurface, MeasuresInTwipsAtThePrinterResolution) {
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("page.pdf"));
    {
        PrinterSurface page(printer);
        ASSERT_TRUE(page.isActive());
        EXPECT_TRUE(page.isPrinter());
        EXPECT_DOUBLE_EQ(page.twipsPerPixelX(), 1440.0 / printer.resolution());
        EXPECT_GT(page.scaleWidth(), 5 * 1440) << "a page is wider than five inches";
        page.setFontSize(12);
        // A 12 pt line is about a sixth of an inch on paper as on screen.
        EXPECT_NEAR(page.textHeight("Hp"), 276, 40);
        MeasuringSurface measure(page);
        EXPECT_TRUE(measure.isPrinter());
        EXPECT_EQ(measure.textWidth("Titration"), page.textWidth("Titration"));
        page.drawText("Titration");
        page.drawLine(0, 0, 1440, 1440, Qt::black);
    }
    EXPECT_GT(QFileInfo(dir.filePath("page.pdf")).size(), 500);
}

} // namespace
