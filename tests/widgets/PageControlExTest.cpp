// The tab-less page control: its sheets take the whole width and reach the
// bottom, 10 pixels higher than a plain page control places them.
#include <gtest/gtest.h>
#include <widgets/pages/PageControlEx.h>

#include "KitFixture.h"
#include "WindowFixture.h"

namespace {

class PageControlExTest : public WindowTest {
protected:
    // A page control of the class with two sheets on the form, the first
    // one shown; tabs hidden unless tabsVisible.
    template <class T>
    T* Pages(TForm* form, TTabStyle style, bool tabsVisible) {
        auto pages = new T(form);
        pages->SetParent(form);
        pages->SetBounds(20, 30, 320, 220);
        pages->SetStyle(style);
        for (const char* caption : {"Overview", "Scan"}) {
            auto sheet = new TTabSheet(form);
            sheet->SetCaption(caption);
            sheet->SetPageControl(pages);
            sheet->SetTabVisible(tabsVisible);
        }
        pages->SetActivePageIndex(0);
        return pages;
    }
};

}  // namespace

TEST_F(PageControlExTest, SheetsFillTheWidthAndReachTheBottomTenPixelsHigher) {
    for (TTabStyle style : {tsTabs, tsButtons, tsFlatButtons}) {
        for (bool tabsVisible : {true, false}) {
            auto form = NewForm(400, 300);
            TPageControl* plain = Pages<TPageControl>(form.get(), style, tabsVisible);
            TPageControlEx* ex = Pages<TPageControlEx>(form.get(), style, tabsVisible);
            form->Show();
            const TRect expected = plain->Pages(0)->BoundsRect();
            // Each page as it becomes the active one.
            for (int page : {0, 1}) {
                SCOPED_TRACE(testing::Message()
                             << "style " << style << " tabs " << tabsVisible << " page " << page);
                ex->SetActivePageIndex(page);
                const TRect bounds = ex->Pages(page)->BoundsRect();
                EXPECT_EQ(bounds.left, 0);
                EXPECT_EQ(bounds.right, ex->ClientWidth());
                EXPECT_EQ(bounds.top, expected.top - 10);
                EXPECT_EQ(bounds.bottom, ex->ClientHeight());
            }
            // The plain control keeps its border: the correction is the subclass's.
            EXPECT_GT(expected.left, 0);
            EXPECT_LT(expected.right, plain->ClientWidth());
        }
    }
}

TEST_F(PageControlExTest, TheCorrectionHoldsInBothDirectionsAndFollowsTheSize) {
    auto form = NewForm(400, 300);
    TPageControl* plain = Pages<TPageControl>(form.get(), tsButtons, false);
    TPageControlEx* ex = Pages<TPageControlEx>(form.get(), tsButtons, false);
    form->Show();
    for (BOOL larger : {FALSE, TRUE}) {
        TRect asked = Rect(0, 0, 320, 220);
        TRect given = asked;
        SendMessageA(plain->Handle(), TCM_ADJUSTRECT, larger, reinterpret_cast<LPARAM>(&asked));
        SendMessageA(ex->Handle(), TCM_ADJUSTRECT, larger, reinterpret_cast<LPARAM>(&given));
        EXPECT_EQ(given, Rect(0, asked.top - 10, ex->ClientWidth(), ex->ClientHeight()))
            << "larger " << larger;
    }

    ex->SetBounds(20, 30, 250, 150);
    plain->SetBounds(20, 30, 250, 150);
    const TRect bounds = ex->ActivePage()->BoundsRect();
    EXPECT_EQ(bounds, Rect(0, plain->ActivePage()->Top() - 10, 250, 150));
}

TEST_F(PageControlExTest, PagesAreChosenByIndex) {
    auto form = NewForm(400, 300);
    TPageControlEx* ex = Pages<TPageControlEx>(form.get(), tsButtons, false);
    form->Show();
    ex->SetActivePageIndex(1);
    EXPECT_FALSE(ex->Pages(0)->Showing());
    EXPECT_TRUE(ex->Pages(1)->Showing());
    EXPECT_EQ(ex->Pages(1)->Width(), ex->ClientWidth());
}
