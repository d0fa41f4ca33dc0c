#include <QLabel>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include "platform/MouseEvents.h"

namespace {
// A press that a child control passes up unhandled is still the control's, not the window's (its
// release does reach the window); after a press on the window the mouse is followed over the child.
TEST(MouseEvents, PressesOnChildControlsAreNotTheWindows) {
    QWidget window;
    window.resize(200, 100);
    auto *label = new QLabel(QStringLiteral("x"), &window);
    label->setGeometry(100, 0, 100, 100);
    QStringList seen;
    MouseEvents::Install(&window, {.down = [&](Qt::MouseButton, Qt::MouseButtons, QPoint pos) {
                                       seen << QStringLiteral("down %1").arg(pos.x());
                                   },
                                   .move = [&](Qt::MouseButton, Qt::MouseButtons buttons, QPoint pos) {
                                       seen << QStringLiteral("move %1 %2").arg(pos.x()).arg(int(buttons));
                                   },
                                   .up = [&](Qt::MouseButton button, Qt::MouseButtons, QPoint) {
                                       seen << QStringLiteral("up %1").arg(int(button));
                                   }});
    EXPECT_TRUE(window.hasMouseTracking());

    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mousePress(&window, Qt::LeftButton, {}, QPoint(20, 10));
    QTest::mouseMove(&window, QPoint(150, 10));
    QTest::mouseRelease(&window, Qt::LeftButton, {}, QPoint(150, 10));
    EXPECT_EQ(seen, QStringList({"up 1", "down 20", "move 150 1", "up 1"}));
}
} // namespace
