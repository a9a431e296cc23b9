#include "platform/Pictures.h"
#include "support/TestMain.h"

#include <QImage>
#include <QPixmap>

namespace {

const int listed[] = {img1616::Add,
                      img1616::Edit,
                      img1616::Save,
                      img1616::Delete,
                      img1616::AddStar,
                      img1616::DeleteStar,
                      img1616::Move,
                      img1616::Paste,
                      img1616::Go,
                      img1616::ClearClipboard,
                      img1616::Help,
                      img1616::Exit,
                      img1616::KeyIncomplete,
                      img1616::KeyComplete,
                      img1616::Root,
                      img1616::Category,
                      img1616::CurrentCategory,
                      img1616::NotAllChecked,
                      img1616::AllChecked,
                      img1616::Rank,
                      img1616::SortAscending,
                      img1616::SortDescending,
                      img1616::Site,
                      img1616::Password};

QImage image16(const QIcon& icon)
{
    return icon.pixmap(QSize(16, 16), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
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
    void listedPicture_data()
    {
        QTest::addColumn<int>("index");
        for (int index : listed)
            QTest::addRow("%d", index) << index;
    }

    void listedPicture()
    {
        QFETCH(int, index);
        const QIcon icon = img1616::picture(index);
        QVERIFY(!icon.isNull());
        const QList<QSize> sizes = icon.availableSizes();
        QVERIFY(sizes.contains(QSize(16, 16)));
        QVERIFY(sizes.contains(QSize(32, 32)));

        const QImage image = image16(icon);
        QCOMPARE(image.size(), QSize(16, 16));
        // A picture must be visible, and a 16x16 picture that fills nearly nothing would not read at all.
        QVERIFY2(paintedPixels(image) >= 16, qPrintable(QString::number(paintedPixels(image))));
        // Built once: a second request hands out the same cached icon.
        QCOMPARE(img1616::picture(index).cacheKey(), icon.cacheKey());
    }

    void picturesAreDistinct()
    {
        QList<QImage> images;
        for (int index : listed)
            images << image16(img1616::picture(index));
        for (qsizetype i = 0; i < images.size(); ++i)
            for (qsizetype j = i + 1; j < images.size(); ++j)
                QVERIFY2(images[i] != images[j],
                         qPrintable(QStringLiteral("pictures %1 and %2 are the same").arg(listed[i]).arg(listed[j])));
    }

    void unlistedIndexIsNull_data()
    {
        QTest::addColumn<int>("index");
        QTest::newRow("none") << img1616::None;
        QTest::newRow("gap between root and category") << 16;
        QTest::newRow("past the last") << img1616::Password + 1;
        QTest::newRow("negative") << -1;
    }

    void unlistedIndexIsNull()
    {
        QFETCH(int, index);
        QVERIFY(img1616::picture(index).isNull());
    }

    void windowIconHasAboutBoxSize()
    {
        const QIcon icon = img1616::windowIcon();
        QVERIFY(!icon.isNull());
        QVERIFY(icon.availableSizes().contains(QSize(32, 32)));
        const QImage image = icon.pixmap(QSize(32, 32), 1.0).toImage();
        QCOMPARE(image.size(), QSize(32, 32));
        QVERIFY(paintedPixels(image.convertToFormat(QImage::Format_ARGB32)) > 0);
    }
};

DORVU_TEST_MAIN(PicturesTest)
#include "tst_pictures.moc"
