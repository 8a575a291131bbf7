// The window's layout: every control in the arrangement of the layout table at the opening size,
// nothing cut off, and the room a larger window gains going to the list, the BaZi box and the
// report.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>

#include "ui/fit_label.h"
#include "ui_fixture.h"

namespace norlune::ui::testing {
namespace {

class LayoutTest : public WindowTest {
protected:
    void showWindow() {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        QCoreApplication::processEvents();
    }
    // A control's rectangle in the client area's coordinates.
    QRect placed(const char* name) const {
        auto* widget = control<QWidget>(name);
        auto* client = control<QWidget>("client");
        return QRect(widget->mapTo(client, QPoint(0, 0)), widget->size());
    }
    void resizeTo(int width, int height) {
        window->resize(width, height);
        QCoreApplication::processEvents();
    }
};

// Frame and controls inside it, as the layout table puts them.
struct Membership {
    const char* frame;
    std::vector<const char*> controls;
};

// "a lies left of b" (a's right edge before b's left edge) or "a lies above b".
struct Relation {
    const char* a;
    enum { LeftOf, Above } relation;
    const char* b;
};

TEST_F(LayoutTest, EveryControlKeepsItsFrameAndItsPlaceRelativeToTheOthers) {
    showWindow();
    const Membership frames[] = {
        {"Frame5", {"Label2", "Text1", "Option7", "Option8"}},
        {"Frame4", {"Label4", "Option6", "Option5", "Option4"}},
        {"Frame3", {"Label7", "Text4", "Text5", "Label3", "Check1"}},
        {"Frame6", {"Label1", "Label5", "Command1", "Command2", "ProgressBar1"}},
        {"Frame7", {"Label6", "HScroll1", "Check2"}},
    };
    for (const Membership& m : frames) {
        for (const char* name : m.controls) {
            EXPECT_TRUE(control<QWidget>(m.frame)->isAncestorOf(control<QWidget>(name)))
                << name << " in " << m.frame;
        }
    }
    using R = Relation;
    const Relation relations[] = {
        {"Label2", R::LeftOf, "Text1"},         {"Text1", R::LeftOf, "Option7"},
        {"Option7", R::LeftOf, "Option8"},      {"Frame5", R::Above, "Frame4"},
        {"Label4", R::LeftOf, "Option6"},       {"Option6", R::LeftOf, "Option5"},
        {"Option5", R::LeftOf, "Option4"},      {"Frame4", R::Above, "Frame3"},
        {"Label7", R::LeftOf, "Text4"},         {"Text4", R::LeftOf, "Text5"},
        {"Text5", R::LeftOf, "Label3"},         {"Label7", R::Above, "Check1"},
        {"Frame5", R::LeftOf, "Frame6"},        {"Frame3", R::LeftOf, "Frame7"},
        {"Frame6", R::Above, "Frame7"},         {"Label1", R::Above, "Label5"},
        {"Label5", R::Above, "Command1"},       {"Command1", R::LeftOf, "Command2"},
        {"Command1", R::Above, "ProgressBar1"}, {"Label6", R::Above, "HScroll1"},
        {"HScroll1", R::Above, "Check2"},       {"Frame6", R::LeftOf, "Command4"},
        {"Command4", R::LeftOf, "Text6"},       {"Text6", R::LeftOf, "Label8"},
        {"Command4", R::Above, "Text3"},        {"Frame3", R::Above, "List1"},
        {"Frame7", R::Above, "List1"},          {"List1", R::LeftOf, "Text2"},
        {"Text3", R::Above, "Text2"},           {"Frame7", R::LeftOf, "Text3"},
    };
    for (const Relation& r : relations) {
        const QRect a = placed(r.a);
        const QRect b = placed(r.b);
        if (r.relation == Relation::LeftOf) {
            EXPECT_LE(a.right(), b.left()) << r.a << " left of " << r.b;
        } else {
            EXPECT_LE(a.bottom(), b.top()) << r.a << " above " << r.b;
        }
    }
    // The list and the report start on one line, as do the settings and the birth-time row.
    EXPECT_EQ(placed("List1").top(), placed("Text2").top());
    EXPECT_EQ(placed("Frame5").top(), placed("Frame6").top());
}

TEST_F(LayoutTest, OpensAtLeastAtTheLayoutsSizeWithNothingCutOff) {
    showWindow();
    EXPECT_GE(control<QWidget>("client")->width(), kClientWidth);
    EXPECT_GE(control<QWidget>("client")->height(), kClientHeight);
    const QRect client = control<QWidget>("client")->rect();
    // Every caption gets the room its text needs, and lies inside the window.
    for (QWidget* widget : control<QWidget>("client")->findChildren<QWidget*>()) {
        if (!widget->isVisible() || widget->objectName().isEmpty()) {
            continue;
        }
        const std::string name = widget->objectName().toStdString();
        EXPECT_TRUE(client.contains(placed(name.c_str()))) << name;
        if (qobject_cast<QLabel*>(widget) != nullptr &&
            qobject_cast<FitLabel*>(widget) == nullptr) {
            EXPECT_GE(widget->width(), widget->sizeHint().width()) << name;
        }
        if (qobject_cast<QAbstractButton*>(widget) != nullptr) {
            EXPECT_GE(widget->width(), widget->minimumSizeHint().width()) << name;
            EXPECT_GE(widget->height(), widget->minimumSizeHint().height()) << name;
        }
    }
}

TEST_F(LayoutTest, ResizingGivesTheRoomToTheListTheBaZiBoxAndTheReport) {
    showWindow();
    const QSize opening = window->size();
    const QSize list = control<QWidget>("List1")->size();
    const QSize bazi = control<QWidget>("Text3")->size();
    const QSize report = control<QWidget>("Text2")->size();
    const QSize frame5 = control<QWidget>("Frame5")->size();
    const QSize frame6 = control<QWidget>("Frame6")->size();
    resizeTo(1600, 1000);
    ASSERT_EQ(window->size(), QSize(1600, 1000));
    EXPECT_GT(control<QWidget>("List1")->width(), list.width() + 100);
    EXPECT_GT(control<QWidget>("List1")->height(), list.height() + 200);
    EXPECT_GT(control<QWidget>("Text3")->width(), bazi.width() + 200);
    EXPECT_GT(control<QWidget>("Text3")->height(), bazi.height() + 50);
    EXPECT_GT(control<QWidget>("Text2")->width(), report.width() + 200);
    // The report box of the fixed layout was 281 pixels high; a full screen gives twice that.
    EXPECT_GE(control<QWidget>("Text2")->height(), 2 * 281);
    EXPECT_GT(control<QWidget>("Text2")->height(), report.height());
    // The frames of the settings keep their height.
    EXPECT_EQ(control<QWidget>("Frame5")->height(), frame5.height());
    EXPECT_EQ(control<QWidget>("Frame6")->height(), frame6.height());
    // And back: the window shrinks again to the layout's size.
    resizeTo(opening.width(), opening.height());
    EXPECT_EQ(control<QWidget>("Text2")->size(), report);
}

TEST_F(LayoutTest, SizeAndPlaceAreRememberedForTheNextStart) {
    showWindow();
    resizeTo(1100, 760);
    window->close();
    EXPECT_TRUE(settings->contains(QString::fromLatin1(kGeometryKey)));
    reopenWindow();
    EXPECT_EQ(window->size(), QSize(1100, 760));
    // A remembered size smaller than the layout's is not taken.
    settings->clear();
    window->resize(300, 200);
    window->close();
    reopenWindow();
    showWindow();
    EXPECT_GE(control<QWidget>("client")->width(), kClientWidth);
    EXPECT_GE(control<QWidget>("client")->height(), kClientHeight);
}

TEST_F(LayoutTest, TheNameLabelShrinksItsFontUntilNameAndScoreFit) {
    showWindow();
    auto* label = qobject_cast<FitLabel*>(control<QWidget>("Label1"));
    ASSERT_NE(label, nullptr);
    label->setText(qs("赵"));
    EXPECT_DOUBLE_EQ(label->shownFont().pointSizeF(), 26.25);
    for (const char* text : {"张碧恩=92.65", "欧阳浩然=100.05", "欧阳𠀀𠀁=88.4"}) {
        label->setText(qs(text));
        const QFont shown = label->shownFont();
        EXPECT_LE(QFontMetricsF(shown).horizontalAdvance(label->text()),
                  label->contentsRect().width())
            << text;
        EXPECT_LT(shown.pointSizeF(), 26.25) << text;
        // Shrunk only as far as needed: a point more would not fit.
        QFont larger = shown;
        larger.setPointSizeF(shown.pointSizeF() + 1.0);
        EXPECT_GT(QFontMetricsF(larger).horizontalAdvance(label->text()),
                  label->contentsRect().width())
            << text;
    }
}

TEST(FittedPointSizeTest, KeepsTheSizeWhenTheTextFitsAndNeverGoesBelowTheMinimum) {
    QFont font;
    font.setPointSizeF(26.25);
    EXPECT_DOUBLE_EQ(fittedPointSize(font, QString(), 10), 26.25);
    EXPECT_DOUBLE_EQ(fittedPointSize(font, qs("赵"), 2000), 26.25);
    EXPECT_DOUBLE_EQ(fittedPointSize(font, qs("赵钱孙李周吴郑王"), 5, 6.0), 6.0);
    const double fitted = fittedPointSize(font, qs("赵钱孙李周吴郑王"), 150);
    font.setPointSizeF(fitted);
    EXPECT_LE(QFontMetricsF(font).horizontalAdvance(qs("赵钱孙李周吴郑王")), 150.0);
}

}  // namespace
}  // namespace norlune::ui::testing
