// The main window loaded and shown on the display, its surface exposed, for the tests that drive it; the
// controls are found by their design names.
#pragma once

#include "app/qt/formwindow.h"
#include "support/eventually.h"
#include "support/qt_named.h"
#include "support/testsurface.h"

#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form = std::make_unique<FormWindow>();
        ASSERT_TRUE(form->Load());
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        ASSERT_TRUE(EVENTUALLY(picture().surface()->isExposed()));
        QCoreApplication::sendPostedEvents(); // the window takes in that its surface can be seen
    }

    PictureBox& picture() const { return Named<PictureBox>(*form, "picMain"); }
    QScrollBar& zoomBar() const { return Named<QScrollBar>(*form, "scrTrans_0"); }
    QScrollBar& tiltBar() const { return Named<QScrollBar>(*form, "scrTrans_1"); }
    TimerControl& timer() const { return Named<SystemTimer>(*form, "tmrDisplay"); }

    // The surface, the credit box and the drawing area follow the client area.
    void ExpectLaidOut() const {
        EXPECT_EQ(picture().geometry(), QRect(24, 0, std::max(0, form->width() - 24), form->height()));
        EXPECT_EQ(Named<QWidget>(*form, "txtSign").pos(),
                  QPoint(picture().width() - 201, picture().height() - 21));
        const double ratio = picture().devicePixelRatioF();
        EXPECT_EQ(CurrentViewport(),
                  (std::array<int, 4>{0, 0, static_cast<int>(std::lround(picture().width() * ratio)),
                                      static_cast<int>(std::lround(picture().height() * ratio))}));
    }

    std::unique_ptr<FormWindow> form;
};
