// A name file merged into the window's names reaches every panel that shows
// names and the sheet table.
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "formdriver.h"
#include "gazetteer/gazetteer.h"
#include "ui/table/sheettable.h"
#include "ui/table/sheettablewindow.h"

using tufu::testing::FormDriver;

namespace {
const QString kMerged = QStringLiteral("合并图名");

/// A name file in `dir` with `text`; its path.
std::string namefile(const QTemporaryDir& dir, const char* file, const QByteArray& text) {
  const QString path = dir.filePath(QString::fromLatin1(file));
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size()) qFatal("cannot write %s", file);
  return path.toStdString();
}
}  // namespace

class NamesTest : public QObject {
  Q_OBJECT

 private slots:
  void mergedname() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // J50D001004: the 1:10万 sheet at 115°30′–116° E, 39°40′–40° N.
    const std::string path = namefile(dir, "names.tsv", "J50D001004\t合并图名\n");
    tufu::Gazetteer merged;
    QCOMPARE(merged.merge(path), std::string());

    FormDriver d;
    d.type(1, "115,45");
    d.type(2, "39,50");
    d.choose(1, QStringLiteral("1:10万"));
    d.click(2);
    d.typeentry(QStringLiteral("J50C001002"));
    QCOMPARE(d.label(69), QStringLiteral("3*3"));  // "10万" ran
    QCOMPARE(d.label(65), QStringLiteral("J50D001004"));
    d.click(14);
    tufu::SheetTableWindow* table = d.form().sheettable();
    QVERIFY(table != nullptr);
    const tufu::Block block = table->block();
    QCOMPARE(table->picture(), tufu::rendertable(block));
    QVERIFY(tufu::rendertable(block, merged) != tufu::rendertable(block));

    QCOMPARE(d.form().mergenames(path), std::string());
    // Every panel shows it at once, and the open table is drawn again.
    QCOMPARE(d.label(109), kMerged);
    QCOMPARE(d.label(70), kMerged);
    QCOMPARE(d.form().sheettable(), table);
    QCOMPARE(table->picture(), tufu::rendertable(block, merged));
    d.choose(3, QStringLiteral("接图表(相邻图幅)"));
    d.typeentry(QStringLiteral("J50D001003"));
    QCOMPARE(d.label(127), kMerged);
    d.typeentry(QStringLiteral("J-50-4"));
    QCOMPARE(d.label(105), kMerged);

    // A table opened afresh has the names too.
    table->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(d.form().sheettable() == nullptr);
    d.typeentry(QStringLiteral("J50C001002"));
    d.click(14);
    QCOMPARE(d.form().sheettable()->picture(), tufu::rendertable(block, merged));
  }

  // A file with a bad line is refused with its reason and changes nothing.
  void refusedfile() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const std::string path = namefile(dir, "bad.tsv", "J50D001004\t合并图名\nJ50F001001\t太小\n");
    FormDriver d;
    d.typeentry(QStringLiteral("J50D001004"));
    const std::string error = d.form().mergenames(path);
    QVERIFY2(QString::fromStdString(error).startsWith(QString::fromStdString(path) + ":2: "),
             error.c_str());
    QCOMPARE(d.label(105), QString());
  }
};

QTEST_MAIN(NamesTest)
#include "names_test.moc"
