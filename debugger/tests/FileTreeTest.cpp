// The file explorer: roots, lazily listed folders in name order, only
// script and compiled files (any case), the start-up script in bold, and
// when each context-menu command is enabled.
#include <QAction>
#include <QLabel>
#include <QSignalSpy>
#include <QTreeView>
#include <QtTest>

#include "debugger/Explorer/ExplorerCommands.h"
#include "debugger/Explorer/FileTree.h"
#include "debugger/Explorer/FileView.h"
#include "debugger/Explorer/PropertiesDialog.h"
#include "debugger/tests/TestSupport.h"

namespace kelvra::ide {

class FileTreeTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init() {
    for (const char* name : {"b_folder/inner.kelvra", "a_folder/notes.txt", ".hidden/secret.kelvra", "Upper.KELVRA",
                             "lib.Bin", "z.kelvra", "a.kelvra", "readme.txt"}) {
      test::WriteFile(m_dir, QString::fromLatin1(name), "i32 x;\n");
    }
    m_tree = std::make_unique<CFileTree>(
        "computer", std::vector<CDriveRoot>{{"work", m_dir.path().toStdString(), CTreeNode::FixedDriveImage}});
  }

  void rootsAndNameOrder() {
    const QModelIndex computer = m_tree->index(0, 0);
    QCOMPARE(m_tree->rowCount(), 1);
    QCOMPARE(computer.data().toString(), QStringLiteral("computer"));
    const QModelIndex work = m_tree->index(0, 0, computer);
    QCOMPARE(work.data().toString(), QStringLiteral("work"));
    QCOMPARE(work.data(CFileTree::PathRole).toString(), m_dir.path());
    // Folders first, then files, each in byte order; hidden entries and other files left out.
    QCOMPARE(Names(work), QStringList({"a_folder", "b_folder", "Upper.KELVRA", "a.kelvra", "lib.Bin", "z.kelvra"}));
    const CTreeNode* upper = m_tree->NodeAt(m_tree->index(2, 0, work));
    QCOMPARE(upper->GetImage(), CTreeNode::ScriptImage);
    QCOMPARE(m_tree->NodeAt(m_tree->index(4, 0, work))->GetImage(), CTreeNode::CompiledImage);
  }

  void foldersAreListedWhenShown() {
    const QModelIndex work = m_tree->index(0, 0, m_tree->index(0, 0));
    const QModelIndex aFolder = m_tree->index(0, 0, work);
    const QModelIndex bFolder = m_tree->index(1, 0, work);
    QVERIFY(!m_tree->NodeAt(bFolder)->IsListed());
    // A folder holding only other files shows no expand button.
    QVERIFY(!m_tree->hasChildren(aFolder));
    QVERIFY(m_tree->hasChildren(bFolder));
    QCOMPARE(Names(bFolder), QStringList{"inner.kelvra"});
    QCOMPARE(m_tree->index(0, 0, bFolder).parent(), bFolder);
  }

  void classification_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("kind");
    QTest::newRow("source") << "a.kelvra" << 1;
    QTest::newRow("upper source") << "A.KELVRA" << 1;
    QTest::newRow("compiled") << "a.kelvra.bin" << 2;
    QTest::newRow("mixed compiled") << "x.Bin" << 2;
    QTest::newRow("text") << "a.kelvra.txt" << 0;
    QTest::newRow("bare") << "kelvra" << 0;
  }

  void classification() {
    QFETCH(QString, name);
    QFETCH(int, kind);
    QCOMPARE(ClassifyScriptFile(name.toStdString()), kind);
  }

  void startupScriptIsBoldUntilClearedOrRefreshed() {
    QSignalSpy changes(m_tree.get(), &CFileTree::startupChanged);
    CTreeNode* script = m_tree->Find(QDir(m_dir.path()).filePath(QStringLiteral("b_folder/inner.kelvra")));
    QVERIFY(script != nullptr);
    QVERIFY(!m_tree->SetStartup(script->Parent()));
    QVERIFY(m_tree->SetStartup(script));
    QCOMPARE(m_tree->StartupPath(), QDir(m_dir.path()).filePath(QStringLiteral("b_folder/inner.kelvra")));
    QCOMPARE(m_tree->StartupName(), QStringLiteral("inner.kelvra"));
    QVERIFY(m_tree->IndexOf(script).data(Qt::FontRole).value<QFont>().bold());
    QCOMPARE(changes.size(), 1);

    // A refresh (after a compile) reads the folder again and forgets the mark.
    test::WriteFile(m_dir, QStringLiteral("b_folder/inner.kelvra.bin"), "KVRA");
    m_tree->RefreshFolder(script->Parent());
    QCOMPARE(m_tree->StartupPath(), QString());
    QCOMPARE(changes.last().first().toString(), QString());
    QCOMPARE(Names(m_tree->IndexOf(m_tree->Find(QDir(m_dir.path()).filePath(QStringLiteral("b_folder"))))),
             QStringList({"inner.kelvra", "inner.kelvra.bin"}));
  }

  void findRejectsPathsOutsideTheRoots() {
    QCOMPARE(m_tree->Find(QStringLiteral("/")), nullptr);
    QCOMPARE(m_tree->Find(QDir(m_dir.path()).filePath(QStringLiteral("missing.kelvra"))), nullptr);
    QCOMPARE(m_tree->Find(m_dir.path())->Type(), CTreeNode::DriveNode);
  }

  void commandEnabling() {
    const QString base = m_dir.path() + QLatin1Char('/');
    CTreeNode* source = m_tree->Find(base + QStringLiteral("a.kelvra"));
    CTreeNode* compiled = m_tree->Find(base + QStringLiteral("lib.Bin"));
    CTreeNode* folder = m_tree->Find(base + QStringLiteral("b_folder"));
    using C = ExplorerCommand;
    auto enabled = [](C command, const CTreeNode* selected, const CTreeNode* startup, bool running) {
      return IsExplorerCommandEnabled(command, selected, startup, running);
    };
    for (const ExplorerCommandInfo& info : ExplorerCommandTable()) QVERIFY(!enabled(info.id, nullptr, nullptr, false));
    QVERIFY(enabled(C::Open, source, nullptr, true));
    QVERIFY(enabled(C::Properties, folder, nullptr, true));
    QVERIFY(!enabled(C::Properties, m_tree->NodeAt(m_tree->index(0, 0)), nullptr, false));
    QVERIFY(enabled(C::SetStartup, source, nullptr, false));
    QVERIFY(!enabled(C::SetStartup, source, source, false));
    QVERIFY(enabled(C::ClearStartup, source, source, false));
    QVERIFY(!enabled(C::ClearStartup, compiled, source, false));
    QVERIFY(enabled(C::Compile, source, nullptr, false));
    QVERIFY(!enabled(C::Compile, compiled, nullptr, false));
    QVERIFY(enabled(C::Decompile, compiled, nullptr, false));
    QVERIFY(!enabled(C::Decompile, source, nullptr, false));
    for (C command : {C::SetStartup, C::ClearStartup, C::Compile, C::Decompile}) {
      QVERIFY(!enabled(command, folder, nullptr, false));
      QVERIFY(!enabled(command, source, source, true));
      QVERIFY(!enabled(command, compiled, nullptr, true));
    }
  }

  void propertiesShowNameTypeFolderAndSize() {
    CPropertiesDialog dialog(QDir(m_dir.path()).filePath(QStringLiteral("a.kelvra")));
    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) texts << label->text();
    for (const QString& expected : {QStringLiteral("a.kelvra"), QStringLiteral("Kelvra script"), m_dir.path(),
                                    QStringLiteral("7 bytes")}) {
      QVERIFY2(texts.contains(expected), qPrintable(expected));
    }
  }

  void viewSetsTheStartupScriptFromTheSelection() {
    CFileView view(*m_tree);
    QSignalSpy changes(m_tree.get(), &CFileTree::startupChanged);
    const QString path = QDir(m_dir.path()).filePath(QStringLiteral("z.kelvra"));
    QVERIFY(view.Reveal(path));
    QVERIFY(view.Action(ExplorerCommand::SetStartup)->isEnabled());
    view.Action(ExplorerCommand::SetStartup)->trigger();
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes.first().first().toString(), path);
    QVERIFY(!view.Action(ExplorerCommand::SetStartup)->isEnabled());
    view.SetRunActive(true);
    QVERIFY(!view.Action(ExplorerCommand::ClearStartup)->isEnabled());
    view.SetRunActive(false);
    view.Action(ExplorerCommand::ClearStartup)->trigger();
    QCOMPARE(changes.last().first().toString(), QString());
  }

 private:
  QStringList Names(const QModelIndex& parent) const {
    QStringList names;
    for (int row = 0; row < m_tree->rowCount(parent); ++row) names << m_tree->index(row, 0, parent).data().toString();
    return names;
  }

  QTemporaryDir m_dir;
  std::unique_ptr<CFileTree> m_tree;
};

}  // namespace kelvra::ide

QTEST_MAIN(kelvra::ide::FileTreeTest)
#include <FileTreeTest.moc>  // generated by moc from this file
