// The settings file without any window: a round trip of every setting, the
// default document for a missing, empty or malformed file (the malformed
// one kept), and a save that fails part-way leaving the previous file.
#include <QtTest>
#include <csignal>
#include <sys/resource.h>

#include "debugger/Settings/DebuggerSettings.h"

namespace kelvra::ide {

namespace {

QByteArray Contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

// Writes beyond a byte limit fail, as on a full disk.
class CFileSizeLimit {
 public:
  explicit CFileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &m_previous);
    m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = m_previous;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~CFileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &m_previous);
    std::signal(SIGXFSZ, m_previousHandler);
  }
  CFileSizeLimit(const CFileSizeLimit&) = delete;
  CFileSizeLimit& operator=(const CFileSizeLimit&) = delete;

 private:
  rlimit m_previous{};
  void (*m_previousHandler)(int);
};

}  // namespace

class SettingsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init() { m_path = m_dir.filePath(QStringLiteral("kelvra/debugger.data")); }
  void cleanup() {
    QFile::remove(m_path);
    QFile::remove(m_path + QStringLiteral(".bad"));
  }

  void defaultPathFollowsTheConfigurationFolder() {
    qputenv("XDG_CONFIG_HOME", m_dir.path().toUtf8());
    QCOMPARE(CDebuggerSettings::DefaultPath(), m_path);
  }

  // Breakpoints of two files in one folder share one "path" element; they
  // come back in the order written, line 9 before line 10.
  void roundTrip() {
    const std::vector<CSettingsBreakpoint> breakpoints{
        {"/work/s", "a.kelvra", 9}, {"/work/s", "a.kelvra", 10}, {"/work/s", "b.kelvra", 2}, {"/other", "c.kelvra", 1}};
    CDebuggerSettings written(m_path);
    written.SetBreakpoints(breakpoints);
    written.SetStartupScript(QStringLiteral("/work/s/main.kelvra"));
    written.SetShowAddress(true);
    written.SetView(CDebuggerSettings::BinaryView);
    QVERIFY(written.Save());

    const QString text = QString::fromUtf8(Contents(m_path));
    QCOMPARE(text.count(QStringLiteral("<path ")), 2);
    QCOMPARE(text.count(QStringLiteral("<file ")), 3);
    QVERIFY(text.indexOf(QStringLiteral("<bp>9</bp>")) < text.indexOf(QStringLiteral("<bp>10</bp>")));

    CDebuggerSettings read(m_path);
    QCOMPARE(read.Load(), CDebuggerSettings::LoadOutcome::Loaded);
    QCOMPARE(read.Breakpoints(), breakpoints);
    QCOMPARE(read.StartupFolder(), QStringLiteral("/work/s"));
    QCOMPARE(read.StartupFile(), QStringLiteral("main.kelvra"));
    QVERIFY(read.ShowAddress());
    QCOMPARE(read.View(), CDebuggerSettings::BinaryView);

    // Clearing the start-up script forgets the file, not the folder.
    read.SetStartupScript(QString());
    QVERIFY(read.Save());
    CDebuggerSettings cleared(m_path);
    QCOMPARE(cleared.Load(), CDebuggerSettings::LoadOutcome::Loaded);
    QCOMPARE(cleared.StartupFolder(), QStringLiteral("/work/s"));
    QVERIFY(cleared.StartupFile().isEmpty());
  }

  void unusableFilesGiveTheDefaultDocument_data() {
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<bool>("keptAsBad");
    QTest::newRow("missing") << false << QByteArray() << false;
    QTest::newRow("empty") << true << QByteArray() << false;
    QTest::newRow("corrupt") << true << QByteArray("\x01\xff garbage <<") << true;
    QTest::newRow("truncated") << true << QByteArray("<?xml version=\"1.0\"?><root><breakpoints><path name=\"/a\">")
                               << true;
    QTest::newRow("another document") << true << QByteArray("<settings/>") << true;
  }
  void unusableFilesGiveTheDefaultDocument() {
    QFETCH(bool, exists);
    QFETCH(QByteArray, contents);
    QFETCH(bool, keptAsBad);
    QDir().mkpath(QFileInfo(m_path).path());
    if (exists) Write(m_path, contents);

    CDebuggerSettings settings(m_path);
    QCOMPARE(settings.Load(), keptAsBad ? CDebuggerSettings::LoadOutcome::ReplacedMalformed
                                        : CDebuggerSettings::LoadOutcome::CreatedDefault);
    QCOMPARE(QFile::exists(settings.BadFilePath()), keptAsBad);
    if (keptAsBad) {
      QCOMPARE(Contents(settings.BadFilePath()), contents);
      QVERIFY(!settings.Problem().isEmpty());
    }
    QVERIFY(settings.Breakpoints().empty());
    QVERIFY(!settings.ShowAddress());
    QCOMPARE(settings.View(), CDebuggerSettings::DefaultView);
    // The default document was written at once and reads back.
    CDebuggerSettings again(m_path);
    QCOMPARE(again.Load(), CDebuggerSettings::LoadOutcome::Loaded);
  }

  void failedSaveLeavesThePreviousFile() {
    CDebuggerSettings settings(m_path);
    settings.SetBreakpoints({{"/work", "a.kelvra", 1}});
    QVERIFY(settings.Save());
    const QByteArray previous = Contents(m_path);

    std::vector<CSettingsBreakpoint> many;
    for (int line = 1; line <= 500; ++line) many.push_back({"/work", "a.kelvra", line});
    settings.SetBreakpoints(many);
    {
      const CFileSizeLimit limit(static_cast<rlim_t>(previous.size()) + 64);
      QVERIFY(!settings.Save());
    }
    QVERIFY(!settings.Problem().isEmpty());
    QCOMPARE(Contents(m_path), previous);
    QCOMPARE(QDir(QFileInfo(m_path).path()).entryList(QDir::Files), QStringList({"debugger.data"}));
  }

 private:
  QTemporaryDir m_dir;
  QString m_path;
};

}  // namespace kelvra::ide

QTEST_GUILESS_MAIN(kelvra::ide::SettingsTest)
#include <SettingsTest.moc>  // generated by moc from this file
