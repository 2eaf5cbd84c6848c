#include <QImage>
#include <QImageReader>
#include <QtTest>

// The windows load their pictures by these names; a picture missing from the program, or
// rendered at the wrong size, shows as a gap or a blur rather than failing anywhere.
class AssetsTest : public QObject {
  Q_OBJECT

 private slots:
  void everyPictureIsCompiledInAtItsSize_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("pixels");
    QTest::addColumn<qreal>("devicePixelRatio");
    QTest::newRow("logo") << ":/assets/logo.png" << QSize(227, 65) << 1.0;
    QTest::newRow("logo at 200 %") << ":/assets/logo@2x.png" << QSize(454, 130) << 2.0;
    QTest::newRow("title badge") << ":/assets/image2.png" << QSize(32, 32) << 1.0;
    QTest::newRow("title badge at 200 %") << ":/assets/image2@2x.png" << QSize(64, 64) << 2.0;
    for (const int size : {16, 32, 48, 64, 128, 256}) {
      const QString name = QStringLiteral(":/assets/mainicon-%1.png").arg(size);
      QTest::newRow(qPrintable(name)) << name << QSize(size, size) << 1.0;
    }
  }

  void everyPictureIsCompiledInAtItsSize() {
    QFETCH(QString, name);
    QFETCH(QSize, pixels);
    QFETCH(qreal, devicePixelRatio);
    const QImage image(name);
    QVERIFY2(!image.isNull(), qPrintable(name));
    QCOMPARE(image.size(), pixels);
    QCOMPARE(image.devicePixelRatio(), devicePixelRatio);
    QVERIFY(image.hasAlphaChannel());
  }

  // The logo is drawn over the window's background, so its corners must let that show through.
  void pictureCornersAreTransparent_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("logo") << ":/assets/logo.png";
    QTest::newRow("title badge") << ":/assets/image2.png";
    QTest::newRow("application icon") << ":/assets/mainicon-48.png";
  }

  void pictureCornersAreTransparent() {
    QFETCH(QString, name);
    const QImage image(name);
    QVERIFY(!image.isNull());
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(image.pixel(image.width() - 1, 0)), 0);
  }
};

QTEST_MAIN(AssetsTest)
#include "assets_test.moc"
