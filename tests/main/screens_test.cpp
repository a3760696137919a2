// The window as the user sees it: in every mode of both editions of the
// numbering, with the longest texts the panels show, every caption fits its
// control, nothing overlaps and nothing is cut off at the edge of its frame.
// Some states are also saved as pictures (in the build directory, or in
// $TUFU_SCREENSHOT_DIR).
#include <QAbstractButton>
#include <QDir>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QtTest>
#include <functional>

#include "formdriver.h"

using tufu::testing::FormDriver;
using Setup = std::function<void(FormDriver&)>;

Q_DECLARE_METATYPE(Setup)

namespace {

bool isleaf(QWidget* w) {
  if (qobject_cast<QComboBox*>(w->parentWidget()) != nullptr) return false;  // a list's own parts
  return qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) ||
         qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w);
}

QString describe(QWidget* w) {
  QString text;
  if (auto* l = qobject_cast<QLabel*>(w)) text = l->text();
  if (auto* b = qobject_cast<QAbstractButton*>(w)) text = b->text();
  return w->objectName() + QStringLiteral(" \"") + text + QLatin1Char('"');
}

/// Why a control's text does not fit it, or "" when it does.
QString fits(QWidget* w) {
  const QFontMetrics fm = w->fontMetrics();
  if (auto* l = qobject_cast<QLabel*>(w)) {
    if (l->text().isEmpty()) return {};
    if (l->wordWrap()) {
      if (l->heightForWidth(l->width()) > l->height()) return QStringLiteral("lines too tall");
      // No single word (or unbreakable run) wider than the label.
      for (const QString& word : l->text().split(QLatin1Char(' '), Qt::SkipEmptyParts))
        if (!word.contains(QRegularExpression(QStringLiteral("[\\x{4e00}-\\x{9fff}]"))) &&
            fm.horizontalAdvance(word) > l->contentsRect().width())
          return QStringLiteral("word too wide");
      return {};
    }
    const QSize hint = l->sizeHint();
    if (hint.width() > l->width()) return QStringLiteral("too wide by %1").arg(hint.width() - l->width());
    if (hint.height() > l->height()) return QStringLiteral("too tall by %1").arg(hint.height() - l->height());
    return {};
  }
  if (auto* b = qobject_cast<QPushButton*>(w)) {
    QStyleOptionButton opt;
    opt.initFrom(b);
    opt.text = b->text();
    const QRect room = b->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, b);
    if (fm.horizontalAdvance(b->text()) > room.width()) return QStringLiteral("caption too wide");
    if (fm.height() > room.height() + 2) return QStringLiteral("caption too tall");
    return {};
  }
  if (auto* c = qobject_cast<QComboBox*>(w)) {
    QStyleOptionComboBox opt;
    opt.initFrom(c);
    opt.editable = c->isEditable();
    const QRect room = c->style()->subControlRect(QStyle::CC_ComboBox, &opt,
                                                  QStyle::SC_ComboBoxEditField, c);
    for (int i = 0; i < c->count(); ++i)
      if (fm.horizontalAdvance(c->itemText(i)) > room.width())
        return QStringLiteral("item too wide: ") + c->itemText(i);
    if (fm.height() > room.height()) return QStringLiteral("text too tall");
    return {};
  }
  if (auto* e = qobject_cast<QLineEdit*>(w)) {
    if (e->sizeHint().height() > e->height() + 2) return QStringLiteral("field too low");
    if (fm.horizontalAdvance(e->text()) > e->contentsRect().width() - 4)
      return QStringLiteral("text too wide");
  }
  return {};
}

/// Every visible control of the window: fits, lies inside its frame and
/// overlaps no other (neighbouring cells of the containing table share one
/// pixel of border).
void checkwindow(QWidget* form) {
  std::vector<QWidget*> leaves;
  for (QWidget* w : form->findChildren<QWidget*>())
    if (isleaf(w) && w->isVisibleTo(form) && !w->isHidden()) leaves.push_back(w);
  QVERIFY(leaves.size() > 5);
  for (QWidget* w : leaves) {
    const QString why = fits(w);
    QVERIFY2(why.isEmpty(), qPrintable(describe(w) + QStringLiteral(": ") + why));
    QVERIFY2(w->parentWidget()->rect().contains(w->geometry()),
             qPrintable(describe(w) + QStringLiteral(" is cut off by its frame")));
    QVERIFY2(form->rect().contains(QRect(w->mapTo(form, QPoint(0, 0)), w->size())),
             qPrintable(describe(w) + QStringLiteral(" is cut off by the window")));
  }
  for (std::size_t i = 0; i < leaves.size(); ++i)
    for (std::size_t j = i + 1; j < leaves.size(); ++j) {
      const QRect a(leaves[i]->mapTo(form, QPoint(0, 0)), leaves[i]->size());
      const QRect b(leaves[j]->mapTo(form, QPoint(0, 0)), leaves[j]->size());
      const QRect both = a.intersected(b);
      QVERIFY2(both.width() <= 1 || both.height() <= 1,
               qPrintable(describe(leaves[i]) + QStringLiteral(" overlaps ") + describe(leaves[j])));
    }
}

void save(QWidget* form, const QString& name) {
  QString dir = qEnvironmentVariable("TUFU_SCREENSHOT_DIR");
  if (dir.isEmpty()) dir = QStringLiteral(TUFU_SCREENSHOT_DEFAULT_DIR);
  QDir().mkpath(dir);
  QVERIFY(form->grab().save(dir + QStringLiteral("/main-") + name + QStringLiteral(".png")));
}

}  // namespace

class ScreensTest : public QObject {
  Q_OBJECT

 private slots:
  void states_data() {
    QTest::addColumn<int>("edition");
    QTest::addColumn<QString>("picture");  // saved when not empty
    QTest::addColumn<Setup>("setup");
    struct State {
      const char* name;
      const char* picture;  // in the 1992 edition
      Setup setup;
    };
    const State states[] = {
        {"point", "point", [](FormDriver& d) {
           d.type(1, "114,30");
           d.type(2, "39,30");
           d.choose(1, "1:25万");
         }},
        {"point, 1:5000", "", [](FormDriver& d) {
           d.type(1, "116,23,30");
           d.type(2, "39,54,30");
           d.choose(1, "1:5000");
         }},
        {"point, longest name", "", [](FormDriver& d) {
           d.type(1, "99,52,30");
           d.type(2, "23,25");
           d.choose(1, "1:5万");
         }},
        {"block", "block", [](FormDriver& d) {
           d.choose(4, "北京");
         }},
        {"block at 5万", "", [](FormDriver& d) {
           d.choose(4, "北京");
           d.click(22);
         }},
        {"block, old view at 5千", "", [](FormDriver& d) {
           d.choose(4, "新疆");
           d.click(25);
           d.click(27);
         }},
        {"sheet", "sheet", [](FormDriver& d) {
           d.click(2);
           d.typeentry("J-50-[1]");
         }},
        {"sheet at 1:10万", "", [](FormDriver& d) {
           d.click(2);
           d.typeentry("I-49-15");
         }},
        {"sheet, 1:5000", "", [](FormDriver& d) {
           d.click(2);
           d.typeentry("D-45-48-(26)-C");
         }},
        {"hierarchy", "hierarchy", [](FormDriver& d) {
           d.click(2);
           d.choose(3, "所含大比例尺图幅编号");
           d.typeentry("J50");  // runs "50万"
         }},
        {"hierarchy at 1万", "", [](FormDriver& d) {
           d.click(2);
           d.choose(3, "所含大比例尺图幅编号");
           d.typeentry("J50D005003");
           d.click(12);
         }},
        {"hierarchy, old view", "", [](FormDriver& d) {
           d.click(2);
           d.choose(3, "所含大比例尺图幅编号");
           d.typeentry("L-48-14-C-3");
           d.click(13);
           d.click(6);
         }},
        {"about", "about", [](FormDriver& d) {
           d.click(3);
         }},
        // Refused inputs: the reason in the status line, the longest first.
        {"sheet refused", "refused", [](FormDriver& d) {
           d.click(2);
           d.typeentry("J-50-XXXVII");
         }},
        {"sheet refused, the longest reason", "", [](FormDriver& d) {
           d.click(2);
           d.typeentry("J50C0010");
         }},
        {"point refused", "", [](FormDriver& d) {
           d.type(1, "116.39");
           d.type(2, "39,54,30");
         }},
        // The largest scales: the longest extent texts and numbers.
        {"point at the largest scale", "", [](FormDriver& d) {
           d.type(1, "116,23,30");
           d.type(2, "39,54,30");
           d.choose(1, d.combo(1)->itemText(d.combo(1)->count() - 1));
         }},
        {"block, old view at the largest scale", "", [](FormDriver& d) {
           d.choose(4, "区块查询");
           d.type(3, "116,23,30");
           d.type(4, "116,23,40");
           d.type(5, "39,54,30");
           d.type(6, "39,54,40");
           d.click(d.form().state().edition == tufu::Edition::k2012 ? 33 : 25);
           d.click(27);
         }},
        {"sheet at the largest scale", "", [](FormDriver& d) {
           d.click(2);
           d.typeentry(d.form().state().edition == tufu::Edition::k2012 ? "J50K00530919"
                                                                        : "J50H005077");
         }},
        {"hierarchy at the largest scale", "", [](FormDriver& d) {
           d.click(2);
           d.choose(3, "所含大比例尺图幅编号");
           d.typeentry("J50");
           d.click(d.form().state().edition == tufu::Edition::k2012 ? 30 : 13);
         }},
        {"neighbours", "neighbours", [](FormDriver& d) {
           d.click(2);
           d.choose(3, "接图表(相邻图幅)");
           d.typeentry("J50");
         }},
        {"neighbours, longest name", "", [](FormDriver& d) {
           d.click(2);
           d.choose(3, "接图表(相邻图幅)");
           d.typeentry("F47E004015");
           QCOMPARE(d.label(127).size(), 15);
         }},
        {"neighbours, empty cells", "", [](FormDriver& d) {
           d.click(2);
           d.choose(3, "接图表(相邻图幅)");
           d.typeentry("O-60-144");
         }},
        {"neighbours, longest numbers", "", [](FormDriver& d) {
           d.click(2);
           d.choose(3, "接图表(相邻图幅)");
           d.typeentry(d.form().state().edition == tufu::Edition::k2012 ? "J50K00530919"
                                                                        : "D-45-48-(26)-C");
         }},
    };
    for (int edition : {1992, 2012})
      for (const State& s : states) {
        // The 2012 window is pictured with the containing table of a 1:500 sheet.
        QString picture = edition == 1992 ? QString::fromLatin1(s.picture) : QString();
        if (edition == 2012 && QByteArray(s.name) == "sheet at the largest scale")
          picture = QStringLiteral("2012");
        QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(edition).arg(QString::fromUtf8(s.name))))
            << edition << picture << s.setup;
      }
  }
  void states() {
    QFETCH(int, edition);
    QFETCH(QString, picture);
    QFETCH(Setup, setup);
    FormDriver d;
    d.form().show();
    QVERIFY(QTest::qWaitForWindowExposed(&d.form()));
    if (edition != 1992) d.edition(edition);
    setup(d);
    if (QTest::currentTestFailed()) return;
    checkwindow(&d.form());
    if (!picture.isEmpty()) save(&d.form(), picture);
  }
};

QTEST_MAIN(ScreensTest)
#include "screens_test.moc"
