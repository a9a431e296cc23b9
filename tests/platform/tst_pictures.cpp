#include "platform/Pictures.h"
#include "support/TestMain.h"

#include <QImage>
#include <QPixmap>

namespace {

QImage render(const QIcon& icon, int size)
{
    return icon.pixmap(QSize(size, size), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
}

int paintedPixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) > 0;
    return count;
}

} // namespace

class PicturesTest : public QObject {
    Q_OBJECT

private slots:
    // Indexes 1-15 and 17-25 each hold a picture that reads at 16x16 and differs from every other; 0, 16 and
    // indexes outside the list hold none. The window icon is painted too.
    void everyListedIndexHasItsOwnVisiblePicture()
    {
        QList<QImage> seen;
        for (int index = -1; index <= img1616::Password + 1; ++index) {
            const QByteArray at = "index " + QByteArray::number(index);
            const QIcon icon = img1616::picture(index);
            const bool listed = index >= img1616::Add && index <= img1616::Password && index != 16;
            QVERIFY2(icon.isNull() != listed, at);
            if (!listed)
                continue;
            const QImage image = render(icon, 16);
            QCOMPARE(image.size(), QSize(16, 16));
            QVERIFY2(paintedPixels(image) >= 16, at);
            QVERIFY2(!seen.contains(image), at);
            seen << image;
        }
        QVERIFY(paintedPixels(render(img1616::windowIcon(), 32)) > 0);
    }
};

DORVU_TEST_MAIN(PicturesTest)
#include "tst_pictures.moc"
