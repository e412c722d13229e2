// Covers the media show's command text: classification of its parts and the decision of what to show.
#include "runtime/mediacommand.h"

#include "support/testfiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using runtime::DecideMediaShow;
using runtime::MediaActionKind;
using runtime::ParseMediaCommand;

Q_DECLARE_METATYPE(runtime::MediaActionKind)

class TestMediaCommand : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString dir() const { return m_dir.path() + QLatin1Char('/'); }
    void touch(const QString& name) { WriteAll(dir() + name, QByteArray("x")); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        touch(QStringLiteral("PIC.BMP"));
        touch(QStringLiteral("photo.jpg"));
        touch(QStringLiteral("SOUND.WAV"));
        touch(QStringLiteral("tune.mid"));
        touch(QStringLiteral("Clip.Avi"));
        QDir(m_dir.path()).mkdir(QStringLiteral("FOLDER.BMP"));
    }

    void parse_classifiesParts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("sound");
        QTest::addColumn<QString>("video");
        QTest::addColumn<int>("time");

        QTest::newRow("picture, wave and fifty") << "pic.bmp,sound.wav,50"
                                                 << "PIC.BMP"
                                                 << "SOUND.WAV"
                                                 << "" << 5000;
        QTest::newRow("picture alone") << "Pic.Bmp"
                                       << "PIC.BMP"
                                       << ""
                                       << "" << 0;
        QTest::newRow("picture and zero") << "PIC.BMP,0"
                                          << "PIC.BMP"
                                          << ""
                                          << "" << 0;
        QTest::newRow("jpeg and midi") << "a.jpg,b.mid"
                                       << "A.JPG"
                                       << "B.MID"
                                       << "" << 0;
        QTest::newRow("metafile") << "drawing.wmf,12"
                                  << "DRAWING.WMF"
                                  << ""
                                  << "" << 1200;
        QTest::newRow("video and picture") << "clip.avi,pic.bmp"
                                           << "PIC.BMP"
                                           << ""
                                           << "CLIP.AVI" << 0;
        QTest::newRow("later picture wins") << "a.bmp,b.jpg"
                                            << "B.JPG"
                                            << ""
                                            << "" << 0;
        QTest::newRow("later sound wins") << "a.wav,b.mid"
                                          << ""
                                          << "B.MID"
                                          << "" << 0;
        QTest::newRow("later time wins") << "a.bmp,10,20"
                                         << "A.BMP"
                                         << ""
                                         << "" << 2000;
        QTest::newRow("substring not extension") << "my.bmpfile"
                                                 << "MY.BMPFILE"
                                                 << ""
                                                 << "" << 0;
        QTest::newRow("part in two classes") << "x.bmp.wav"
                                             << "X.BMP.WAV"
                                             << "X.BMP.WAV"
                                             << "" << 0;
        QTest::newRow("name with digits is no time") << "12.bmp"
                                                     << "12.BMP"
                                                     << ""
                                                     << "" << 0;
        QTest::newRow("text is no time") << "a.bmp,5x"
                                         << "A.BMP"
                                         << ""
                                         << "" << 0;
        QTest::newRow("blanks around parts") << " a.bmp , b.wav , 3 "
                                             << "A.BMP"
                                             << "B.WAV"
                                             << "" << 300;
        QTest::newRow("negative time") << "a.bmp,-5"
                                       << "A.BMP"
                                       << ""
                                       << "" << -500;
        QTest::newRow("empty") << ""
                               << ""
                               << ""
                               << "" << 0;
    }

    void parse_classifiesParts()
    {
        QFETCH(QString, text);
        const runtime::MediaCommand command = ParseMediaCommand(text);
        QTEST(command.picture, "picture");
        QTEST(command.sound, "sound");
        QTEST(command.video, "video");
        QTEST(command.displayTime, "time");
    }

    void parse_ignoresPartsAfterTheSixth()
    {
        const auto command = ParseMediaCommand(QStringLiteral("a.bmp,1,2,3,4,5,b.wav,c.avi,99"));
        QCOMPARE(command.picture, QStringLiteral("A.BMP"));
        QCOMPARE(command.displayTime, 500);
        QVERIFY(command.sound.isEmpty());
        QVERIFY(command.video.isEmpty());
    }

    void parse_hugeTime_isHeldInRange()
    {
        QCOMPARE(ParseMediaCommand(QStringLiteral("a.bmp,2000000000")).displayTime,
                 std::numeric_limits<int>::max());
        // Too large even for a 64-bit number: not an integer at all.
        QCOMPARE(ParseMediaCommand(QStringLiteral("a.bmp,99999999999999999999999")).displayTime, 0);
    }

    void decide_followsTheSteps_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<MediaActionKind>("kind");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("sound");
        QTest::addColumn<QString>("media");
        QTest::addColumn<int>("time");

        const QString none;
        QTest::newRow("picture, wave and fifty")
            << "pic.bmp,sound.wav,50" << MediaActionKind::ShowPicture << none << "PIC.BMP"
            << "SOUND.WAV" << none << 5000;
        QTest::newRow("picture alone")
            << "PIC.BMP" << MediaActionKind::ShowPicture << none << "PIC.BMP" << none << none << 0;
        QTest::newRow("picture and zero")
            << "PIC.BMP,0" << MediaActionKind::ShowPicture << none << "PIC.BMP" << none << none << 0;
        QTest::newRow("picture and midi")
            << "photo.jpg,tune.mid,30" << MediaActionKind::ShowPicture << none << "photo.jpg"
            << "tune.mid" << none << 3000;
        QTest::newRow("video and picture plays only the video")
            << "PIC.BMP,CLIP.AVI,SOUND.WAV" << MediaActionKind::PlayVideo << none << none << none
            << "Clip.Avi" << 0;
        QTest::newRow("missing video") << "NOCLIP.AVI,PIC.BMP" << MediaActionKind::ReportMissing
                                       << "The file NOCLIP.AVI is missing" << none << none << none << 0;
        QTest::newRow("midi alone opens the player")
            << "TUNE.MID" << MediaActionKind::OpenMidiPlayer << none << none << "tune.mid"
            << "tune.mid" << 0;
        QTest::newRow("wave alone") << "sound.wav" << MediaActionKind::PlayWave << none << none << "SOUND.WAV"
                                    << none << 0;
        QTest::newRow("missing sound with a picture gives only the message")
            << "PIC.BMP,LOST.WAV,50" << MediaActionKind::ReportMissing << "The file LOST.WAV is missing"
            << none << none << none << 5000;
        QTest::newRow("missing picture") << "LOST.BMP,SOUND.WAV" << MediaActionKind::ReportMissing
                                         << "The file LOST.BMP is missing" << none << none << none << 0;
        QTest::newRow("a folder is not a picture")
            << "FOLDER.BMP" << MediaActionKind::ReportMissing << "The file FOLDER.BMP is missing" << none
            << none << none << 0;
        QTest::newRow("number alone")
            << "50" << MediaActionKind::Nothing << none << none << none << none << 5000;
        QTest::newRow("nothing named")
            << "readme.txt" << MediaActionKind::Nothing << none << none << none << none << 0;
        // A sound that contains ".WAV" but ends otherwise is neither played nor opened.
        QTest::newRow("sound of another extension")
            << "SOUND.WAV.TXT" << MediaActionKind::ReportMissing << "The file SOUND.WAV.TXT is missing"
            << none << none << none << 0;
    }

    void decide_followsTheSteps()
    {
        QFETCH(QString, text);
        QFETCH(QString, picture);
        QFETCH(QString, sound);
        QFETCH(QString, media);
        const runtime::MediaAction action = DecideMediaShow(text, dir());
        QTEST(action.kind, "kind");
        QTEST(action.message, "message");
        QCOMPARE(action.picturePath, picture.isEmpty() ? QString() : dir() + picture);
        QCOMPARE(action.soundPath, sound.isEmpty() || action.kind == MediaActionKind::ReportMissing
                                       ? QString()
                                       : dir() + sound);
        QCOMPARE(action.mediaPath, media.isEmpty() ? QString() : dir() + media);
        QTEST(action.displayTime, "time");
    }

    void decide_soundNamedButOtherExtension_doesNothing()
    {
        touch(QStringLiteral("odd.wav.txt"));
        const auto action = DecideMediaShow(QStringLiteral("odd.wav.txt"), dir());
        QCOMPARE(action.kind, MediaActionKind::Nothing);
    }

    void decide_lowerCaseNamesFindUpperCaseFilesAndBack()
    {
        // The text is upper-cased, so a lower-case file on disk must still be found.
        auto action = DecideMediaShow(QStringLiteral("PHOTO.JPG,TUNE.MID"), dir());
        QCOMPARE(action.kind, MediaActionKind::ShowPicture);
        QCOMPARE(action.picturePath, dir() + QStringLiteral("photo.jpg"));
        QCOMPARE(action.soundPath, dir() + QStringLiteral("tune.mid"));
        action = DecideMediaShow(QStringLiteral("pic.bmp,sound.wav"), dir());
        QCOMPARE(action.kind, MediaActionKind::ShowPicture);
        QCOMPARE(action.picturePath, dir() + QStringLiteral("PIC.BMP"));
        QCOMPARE(action.soundPath, dir() + QStringLiteral("SOUND.WAV"));
    }

    void decide_nameLeavingTheDirectory_isNotFoundThere()
    {
        const auto action = DecideMediaShow(QStringLiteral("../../../../NOWHERE/X.BMP"), dir());
        QCOMPARE(action.kind, MediaActionKind::ReportMissing);
        QCOMPARE(action.message, QStringLiteral("The file ../../../../NOWHERE/X.BMP is missing"));
    }

    void extensions_ignoreCase()
    {
        QVERIFY(runtime::IsWaveName(QStringLiteral("/a/b/x.wav")));
        QVERIFY(runtime::IsMidiName(QStringLiteral("X.MID")));
        QVERIFY(!runtime::IsWaveName(QStringLiteral("X.WAV.MID")));
        QVERIFY(!runtime::IsMidiName(QStringLiteral("MIDI")));
    }
};

QTEST_GUILESS_MAIN(TestMediaCommand)
#include "tst_mediacommand.moc"
