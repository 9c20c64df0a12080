#pragma once
// Choosing in, and dismissing, the open list of a drop-down list the way a user does, then waiting
// until the list has reported its close.

#include <QAbstractItemView>
#include <QComboBox>
#include <QTest>
#include <gtest/gtest.h>

// Clicks the entry with this text in the open list of `box`.
inline void ClickListItem(QComboBox* box, const QString& text) {
    QAbstractItemView* list = box->view();
    ASSERT_TRUE(list->isVisible()) << "the list is open";
    const int entry = box->findText(text);
    ASSERT_GE(entry, 0) << text.toStdString();
    const QModelIndex item = box->model()->index(entry, box->modelColumn(), box->rootModelIndex());
    list->scrollTo(item);
    const QPoint centre = list->visualRect(item).center();
    // Qt takes a release shortly after the list opened as the end of the click that opened it.
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QTest::mouseMove(list->viewport(), centre);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !list->isVisible(); })) << "the click closes the list";
    QCoreApplication::processEvents();
}

// Closes the open list of `box` with Escape, choosing nothing.
inline void DismissList(QComboBox* box) {
    QTest::keyClick(box->view(), Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !box->view()->isVisible(); }));
    QCoreApplication::processEvents();
}
