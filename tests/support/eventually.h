// Waiting for what the event loop brings about. QtTest's QTRY_ macros cannot serve in GoogleTest: when they
// time out they only return from the test body, which GoogleTest then counts as passed.
#pragma once

#include <QTest>

// Handles events until `condition` holds, for ten seconds at most; true if it came to hold.
#define EVENTUALLY(condition) QTest::qWaitFor([&] { return static_cast<bool>(condition); }, 10000)

// Handles events until `actual` equals `expected` (ten seconds at most), then expects it.
#define EXPECT_EQ_EVENTUALLY(actual, expected)                                                               \
    do {                                                                                                     \
        static_cast<void>(EVENTUALLY((actual) == (expected)));                                               \
        EXPECT_EQ(actual, expected);                                                                         \
    } while (false)
