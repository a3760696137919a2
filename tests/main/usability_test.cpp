// What a new user needs besides the answers: why an input is refused, Qt's
// own texts in Chinese, results that can be copied, the program's identity,
// and the organisation's name lists read at start.
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>
#include <QtTest>

#include "formdriver.h"
#include "ui/main/aboutpanel.h"
#include "ui/main/clicklabel.h"
#include "ui/main/translations.h"

using tufu::testing::FormDriver;

class UsabilityTest : public QObject {
  Q_OBJECT

 private slots:
  // The status line names the rule an input broke, in the panel in view,
  // and is cleared when the input is acceptable again.
  void refusalreasons_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("input");
    QTest::addColumn<QString>("reason");
    const QString digits = QStringLiteral("只能输入数字和逗号 (度,分,秒), 不能有“.”");
    QTest::newRow("decimal degrees") << 1 << QStringList{"116.39", "39"} << "经度" + digits;
    QTest::newRow("decimal seconds") << 1 << QStringList{"116,23,30.5", "39"} << "经度" + digits;
    QTest::newRow("over 180°") << 1 << QStringList{"200", "39"} << QStringLiteral("经度不能大于180°");
    QTest::newRow("over 60°") << 1 << QStringList{"116", "61"} << QStringLiteral("纬度不能大于60°");
    QTest::newRow("accepted point") << 1 << QStringList{"116,23,30", "39,54,30"} << QString();
    QTest::newRow("half typed") << 1 << QStringList{"", "39"} << QString();
    QTest::newRow("old number") << 2 << QStringList{"J-50-XXXVII"}
                                << QStringLiteral("第3段应为A至D、1至144、[1]至[16]或I至XXXVI");
    QTest::newRow("new number") << 2 << QStringList{"J50B003001"}
                                << QStringLiteral("第5至7位图幅行号应在1至2之间");
    QTest::newRow("accepted number") << 2 << QStringList{"J50C001002"} << QString();
    QTest::newRow("empty entry") << 2 << QStringList{""} << QString();
  }
  void refusalreasons() {
    QFETCH(int, mode);
    QFETCH(QStringList, input);
    QFETCH(QString, reason);
    FormDriver d;
    if (mode == 1) {
      d.type(1, input[0]);
      d.type(2, input[1]);
    } else {
      d.click(2);
      d.typeentry(input[0]);
    }
    QCOMPARE(d.label(112), reason);
    QVERIFY(d.labelshown(112));
    if (!reason.isEmpty()) QCOMPARE(d.label(mode == 1 ? 9 : 23), QString());  // results stay blank
  }

  void reasonfollowstheview() {
    FormDriver d;
    d.type(1, QStringLiteral("200"));
    QCOMPARE(d.label(112), QStringLiteral("经度不能大于180°"));
    d.click(2);  // the sheet-number query has no refused input
    QCOMPARE(d.label(112), QString());
    d.typeentry(QStringLiteral("K-49X"));
    QCOMPARE(d.label(112), QStringLiteral("列号应为数字"));
    d.click(1);
    QCOMPARE(d.label(112), QStringLiteral("经度不能大于180°"));
    d.type(1, QStringLiteral("116"));
    QCOMPARE(d.label(112), QString());
    // The block query: its fields and their order.
    d.choose(4, QStringLiteral("区块查询"));
    d.type(3, QStringLiteral("118"));
    d.type(4, QStringLiteral("114"));
    QCOMPARE(d.label(112), QStringLiteral("东界应大于西界"));
    d.type(6, QStringLiteral("60,0,1"));
    QCOMPARE(d.label(112), QStringLiteral("北界纬度不能大于60°"));
    d.choose(4, QStringLiteral("北京"));
    QCOMPARE(d.label(112), QString());
  }

  // A result can be copied whole with Ctrl+C once clicked, or from its
  // context menu; the click still does what it did.
  void copyresults() {
    FormDriver d;
    d.form().show();
    QVERIFY(QTest::qWaitForWindowActive(&d.form()));
    d.type(1, QStringLiteral("116,23,30"));
    d.type(2, QStringLiteral("39,54,30"));
    d.choose(1, QStringLiteral("1:25万"));
    QApplication::clipboard()->clear();
    QTest::mouseMove(d.labelw(9));  // the pointer comes over it first
    d.clicklabel(9);
    QCOMPARE(d.combo(2)->currentText(), QStringLiteral("J50C001002"));  // the click's own work
    QCOMPARE(QApplication::focusWidget(), d.labelw(9));
    QTest::keyClick(d.labelw(9), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("J50C001002"));

    QString seen;
    QTimer::singleShot(0, [&seen] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (menu == nullptr) return;
      seen = menu->actions().value(0)->text();
      menu->actions().value(0)->trigger();
      menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), d.labelw(14)->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(d.labelw(14), &event);
    QCOMPARE(seen, QStringLiteral("复制"));
    QCOMPARE(QApplication::clipboard()->text(), d.label(14));
    QCOMPARE(d.label(14), QStringLiteral("115°30′-- 117°0′"));
  }

  void translations_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("ok");
    QTest::newRow("no language") << "C" << "zh_CN" << "确定";
    QTest::newRow("Chinese") << "zh_CN" << "zh_CN" << "确定";
    QTest::newRow("Taiwan") << "zh_TW" << "zh_TW" << "確定";
    QTest::newRow("English") << "en_US" << "" << "OK";
  }
  void translations() {
    QFETCH(QString, locale);
    QFETCH(QString, language);
    QFETCH(QString, ok);
    QCOMPARE(tufu::installtranslations(*QCoreApplication::instance(), QLocale(locale)), language);
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "OK"), ok);
    for (QTranslator* t : QCoreApplication::instance()->findChildren<QTranslator*>()) {
      QCoreApplication::removeTranslator(t);
      delete t;
    }
  }

  void identity() {
    FormDriver d;
    QVERIFY(!d.form().windowIcon().isNull());
    d.click(3);
    QCOMPARE(d.label(131), QStringLiteral("版本：") + QStringLiteral(TUFU_VERSION));
    QVERIFY(d.label(132).contains(QStringLiteral("MIT")));
    auto* folder = d.form().findChild<tufu::ClickLabel*>(QStringLiteral("Label133"));
    QVERIFY(folder != nullptr);
    QVERIFY(folder->copytext().contains(QDir::toNativeSeparators(tufu::Form1::namefolder())));
  }

  // A name folder too long for its lines is shortened in the middle: the
  // caption still fits, and its tooltip and a copy give the whole folder.
  void longnamefolder_data() {
    QTest::addColumn<QString>("path");
    QTest::newRow("short") << QStringLiteral("/home/a/.config/tufu/names");
    QTest::newRow("wide letters")
        << QStringLiteral("/tmp/form_screens_test-WMWMWM/tufu/names");
    QTest::newRow("long") << QStringLiteral("/home/") + QString(120, QLatin1Char('W')) +
                                 QStringLiteral("/.config/tufu/names");
    QTest::newRow("Chinese") << QStringLiteral("/home/测绘院/") + QString(40, QChar(0x56FE)) +
                                    QStringLiteral("/tufu/names");
  }
  void longnamefolder() {
    QFETCH(QString, path);
    FormDriver d;
    tufu::AboutPanel about(&d.form(), path);
    auto* folder = about.findChild<tufu::ClickLabel*>(QStringLiteral("Label133"));
    QVERIFY(folder != nullptr);
    QVERIFY2(folder->heightForWidth(folder->width()) <= folder->height(), qPrintable(folder->text()));
    QVERIFY(folder->copytext().contains(path));
    const bool whole = folder->text().contains(path);
    QCOMPARE(folder->toolTip(), whole ? QString() : path);
    QVERIFY(folder->text().startsWith(QStringLiteral("图名文件夹：")));
  }

  // Every list in the name folder is merged in the order of the files'
  // names; a broken one is left out and reported once, with its line.
  void namefolder() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    auto write = [&dir](const char* file, const QByteArray& text) {
      QFile f(dir.filePath(QString::fromLatin1(file)));
      QVERIFY(f.open(QIODevice::WriteOnly));
      f.write(text);
    };
    write("a.tsv", "J50C001002\t甲名\nJ50\t北京甲\n");
    write("b.tsv", "J50\t北京乙\n");
    write("c.tsv", "J50C001001\t丙名\nK42 no tab\n");
    write("notes.txt", "J50\t不读\n");
    FormDriver d;
    d.click(2);
    d.typeentry(QStringLiteral("J50"));
    const QStringList reports = d.form().mergenamefolder(dir.path());
    QCOMPARE(reports.size(), 1);
    QVERIFY2(reports[0].startsWith(dir.filePath("c.tsv") + ":2: "), qPrintable(reports[0]));
    const QStringList messages = d.takemessages();
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages[0].contains(dir.filePath("c.tsv") + ":2: "));
    QCOMPARE(d.label(105), QStringLiteral("北京乙"));  // later files win; shown at once
    d.typeentry(QStringLiteral("J50C001002"));
    QCOMPARE(d.label(105), QStringLiteral("甲名"));
    d.typeentry(QStringLiteral("J50C001001"));
    QCOMPARE(d.label(105), QStringLiteral("蔚县"));  // the broken file's rows are not used
    // A folder that does not exist is no error.
    QCOMPARE(d.form().mergenamefolder(dir.filePath("none")), QStringList());
    QCOMPARE(d.takemessages(), QStringList());
  }
};

QTEST_MAIN(UsabilityTest)
#include "usability_test.moc"
