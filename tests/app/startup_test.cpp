#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest/QtTest>
#include <unistd.h>

#include "base/host.h"
#include "qt_settings.h"
#include "startup.h"

class StartupTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

  void settingsRoundTripBySectionAndName() {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("Lumiverdant.ini"));
    {
      lumi::app::QtSettings s(ini);
      QCOMPARE(s.GetInt("Settings", "DefWidth", 400), 400);
      QCOMPARE(s.GetString("Font", "Name", "Arial"), std::string("Arial"));
      s.SetInt("Settings", "DefWidth", 640);
      s.SetString("Load", "Path", "/home/u/Samples/\xC3\xA9");
      s.Sync();
    }
    lumi::app::QtSettings again(ini);
    QCOMPARE(again.GetInt("Settings", "DefWidth", 400), 640);
    QCOMPARE(again.GetString("Load", "Path", ""), std::string("/home/u/Samples/\xC3\xA9"));
    QCOMPARE(again.GetInt("Load", "Path", 7), 7);  // not a number: the default
  }

  void publishesTheFourFolders() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("LumiverdantFile.ini"));
    lumi::RecordingHost host;
    lumi::app::PublishFolders(lumi::FolderSet::FromRoot("/opt/lv"), host, file);
    QVERIFY(host.Messages().empty());
    QSettings key(file, QSettings::IniFormat);
    QCOMPARE(key.value("Textures").toString(), QStringLiteral("/opt/lv/Textures/"));
    QCOMPARE(key.value("Transpar").toString(), QStringLiteral("/opt/lv/Transp/"));
    QCOMPARE(key.value("Styles").toString(), QStringLiteral("/opt/lv/Styles/"));
    QCOMPARE(key.value("Objects").toString(), QStringLiteral("/opt/lv/Objects/"));
  }

  void unwritableFolderKeyIsReportedAndStartGoesOn() {
    if (geteuid() == 0) QSKIP("root can write anywhere");
    QTemporaryDir dir;
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    lumi::RecordingHost host;
    lumi::app::PublishFolders(lumi::FolderSet::FromRoot("/opt/lv"), host,
                              dir.filePath(QStringLiteral("LumiverdantFile.ini")));
    QCOMPARE(host.Messages().size(), size_t{1});
    QVERIFY(QString::fromStdString(host.Messages()[0])
                .startsWith(QStringLiteral("Error opening writable key in the system Registry:\n")));
  }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
